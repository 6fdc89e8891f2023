#include "common/byte_source.h"
#include "fuzz_support.h"
#include "imagelib/gif.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    lv::fuzz::InstallSilentService();
    lv::MemorySource source({data, size});
    lv::ReadResult result = lv::ReadGif(source);
    if (result.ok() && !result.image().hasValidLayout())
        __builtin_trap();
    return 0;
}
