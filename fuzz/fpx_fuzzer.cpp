#include "fuzz_support.h"
#include "imagelib/fpx.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    lv::fuzz::InstallSilentService();
    lv::fuzz::CheckPicture(lv::ReadFlashPix(std::span<const std::uint8_t>(data, size)).image());
    return 0;
}
