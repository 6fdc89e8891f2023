#include "fuzz_support.h"
#include "imagelib/codecs/raw/camera_raw.h"

// The developed picture and the preview path take different ways through LibRaw.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    lv::fuzz::FuzzPictureReader(data, size, [](lv::ByteSource& source) { return lv::ReadCameraRaw(source); });
    return lv::fuzz::FuzzPictureReader(data, size, [](lv::ByteSource& source) { return lv::ReadCameraRawPreview(source); });
}
