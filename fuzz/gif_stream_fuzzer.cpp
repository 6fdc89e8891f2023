#include "fuzz_support.h"
#include "imagelib/codecs/gif/gif.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    lv::fuzz::InstallSilentService();
    lv::fuzz::CheckPicture(lv::ReadGifStream(std::span<const std::uint8_t>(data, size)));
    return 0;
}
