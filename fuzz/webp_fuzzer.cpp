#include "fuzz_support.h"
#include "imagelib/codecs/webp/webp.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return lv::fuzz::FuzzPictureReader(data, size, [](lv::ByteSource& source) { return lv::ReadWebp(source); });
}
