#pragma once
// Fuzz targets run with a UI service that shows nothing and never cancels, and check every
// picture a reader hands back.

#include "common/byte_source.h"
#include "common/ui_service.h"
#include "imagelib/codecs/codec_result.h"

namespace lv::fuzz {

inline void InstallSilentService()
{
    static ui::SilentService service;
    static ui::ScopedService guard(service);
}

// A picture whose block doesn't hold what its header promises is a reader's fault.
inline void CheckPicture(const HDIB& picture)
{
    if (picture && !picture.hasValidLayout())
        __builtin_trap();
}

// Runs a reader of a ByteSource over the input and checks its picture.
template <typename Read>
int FuzzPictureReader(const std::uint8_t* data, std::size_t size, Read read)
{
    InstallSilentService();
    MemorySource source({data, size});
    CheckPicture(read(source).image());
    return 0;
}

}  // namespace lv::fuzz
