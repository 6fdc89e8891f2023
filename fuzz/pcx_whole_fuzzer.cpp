#include "fuzz_support.h"
#include "imagelib/codecs/pcx/pcx.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    lv::fuzz::InstallSilentService();
    const lv::ReadResult result = lv::ReadPcxWhole({data, size});
    lv::fuzz::CheckPicture(result.image());
    if (result.ok() && result.image().bitCount() != 24)
        __builtin_trap();
    return 0;
}
