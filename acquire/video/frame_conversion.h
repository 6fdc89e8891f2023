#pragma once
// Turning what a capture device delivers into the rows of a 24-bit picture: packed 4:2:2
// luma-chroma (both byte orders), motion-JPEG frames and 24-bit colour in either order.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace lv::video {

enum class PixelCoding {
    Yuyv,   // Y0 U Y1 V
    Uyvy,   // U Y0 V Y1
    Mjpeg,  // one JPEG picture per frame, often without its Huffman tables
    Rgb24,  // red, green, blue
    Bgr24,  // blue, green, red
};

std::string_view PixelCodingName(PixelCoding coding);

// How a device lays out one frame.
struct DeviceLayout {
    PixelCoding coding = PixelCoding::Bgr24;
    int width = 0;
    int height = 0;
    std::size_t bytesPerLine = 0;  // 0: the tightest the coding allows
};

// Bytes per device line when the device leaves it to us (0 for compressed codings).
std::size_t TightBytesPerLine(PixelCoding coding, int width);

// One luma-chroma triple in studio range (ITU-R BT.601) as blue, green, red.
struct Bgr {
    std::uint8_t blue, green, red;
};
Bgr YuvToBgr(int y, int u, int v);

// Writes the frame as bottom-up 24-bit rows padded to four bytes (DibStride(width, 24) per
// row, `height` rows) into `rows`. False, with `rows` in an unspecified state, when the
// frame is short, its JPEG picture is broken or of another size, or the layout is unusable.
bool ConvertFrame(const DeviceLayout& layout, std::span<const std::uint8_t> frame, std::span<std::uint8_t> rows);

}  // namespace lv::video
