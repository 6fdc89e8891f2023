// Capture devices' frames: six bytes choose the coding, size and line length the device
// claims, the rest is the frame.
#include "acquire/video/frame_conversion.h"
#include "fuzz_support.h"
#include "imagelib/dib.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    lv::fuzz::InstallSilentService();
    if (size < 6)
        return 0;
    lv::video::DeviceLayout layout;
    layout.coding = lv::video::PixelCoding(data[0] % 5);
    layout.width = int(data[1] | (data[2] & 1) << 8);  // up to 511 × 511
    layout.height = int(data[3] | (data[4] & 1) << 8);
    layout.bytesPerLine = std::size_t(data[5]) * 8;
    std::vector<std::uint8_t> rows(std::size_t(lv::DibStride(std::uint64_t(layout.width), 24)) *
                                   std::size_t(layout.height));
    lv::video::ConvertFrame(layout, {data + 6, size - 6}, rows);
    return 0;
}
