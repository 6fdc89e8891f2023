#include "common/byte_source.h"
#include "edit/layered_format.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    lv::fuzz::InstallSilentService();
    lv::MemorySource source({data, size});
    const lv::HDIB preview = lv::ReadLayeredPreview(source);
    if (preview && !preview.hasValidLayout())
        __builtin_trap();
    return 0;
}
