#include "fuzz_support.h"
#include "imagelib/codecs/jpeg/jpeg.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    lv::fuzz::FuzzPictureReader(data, size, [](lv::ByteSource& source) { return lv::ReadJpeg(source); });
    // The decoder's reductions take other ways through it (scaled transforms and upsampling).
    return lv::fuzz::FuzzPictureReader(data, size, [](lv::ByteSource& source) { return lv::ReadJpegCovering(source, 1, 1); });
}
