#include "fuzz_support.h"
#include "imagelib/codecs/alpha_mask.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    lv::fuzz::InstallSilentService();
    lv::MemorySource source({data, size});
    lv::fuzz::CheckPicture(lv::ReadAlphaMask(source));
    return 0;
}
