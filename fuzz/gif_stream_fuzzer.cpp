#include "fuzz_support.h"
#include "imagelib/gif.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    lv::fuzz::InstallSilentService();
    const lv::HDIB image = lv::ReadGifStream(std::span<const std::uint8_t>(data, size));
    if (image && !image.hasValidLayout())
        __builtin_trap();
    return 0;
}
