#include "acquire/video/frame_conversion.h"

#include "common/byte_source.h"
#include "common/failure_notices.h"
#include "imagelib/dib.h"
#include "imagelib/dib_convert.h"
#include "imagelib/codecs/jpeg/jpeg.h"

#include <algorithm>
#include <cstring>

namespace lv::video {
namespace {

std::uint8_t Clamp(int value)
{
    return std::uint8_t(std::clamp(value, 0, 255));
}

// Device line `line` counted from the top lands in picture row height − 1 − line.
std::uint8_t* PictureRow(std::span<std::uint8_t> rows, std::size_t stride, int height, int line)
{
    return rows.data() + std::size_t(height - 1 - line) * stride;
}

// Saturation to a byte for (value >> 8) within −512 … 767, which covers every luma-chroma sum.
struct ByteClamp {
    std::uint8_t table[1280];
    ByteClamp()
    {
        for (int i = 0; i < 1280; ++i)
            table[i] = Clamp(i - 512);
    }
    std::uint8_t operator()(int value) const { return table[(value >> 8) + 512]; }
};

void ConvertLumaChroma(const DeviceLayout& layout, const std::uint8_t* frame, std::span<std::uint8_t> rows,
                       std::size_t stride, std::size_t bytesPerLine)
{
    static const ByteClamp clamp;
    // Offsets of Y0, U, Y1, V inside each four-byte group.
    const bool yFirst = layout.coding == PixelCoding::Yuyv;
    const int y0 = yFirst ? 0 : 1, u = yFirst ? 1 : 0, y1 = yFirst ? 2 : 3, v = yFirst ? 3 : 2;
    const int pairs = layout.width / 2;
    for (int line = 0; line < layout.height; ++line) {
        const std::uint8_t* in = frame + std::size_t(line) * bytesPerLine;
        std::uint8_t* out = PictureRow(rows, stride, layout.height, line);
        // The two pixels of a group share their chroma.
        for (int pair = 0; pair < pairs; ++pair, in += 4, out += 6) {
            const int d = in[u] - 128, e = in[v] - 128;
            const int blue = 516 * d, green = -100 * d - 208 * e, red = 409 * e;
            const int first = 298 * (in[y0] - 16) + 128, second = 298 * (in[y1] - 16) + 128;
            out[0] = clamp(first + blue), out[1] = clamp(first + green), out[2] = clamp(first + red);
            out[3] = clamp(second + blue), out[4] = clamp(second + green), out[5] = clamp(second + red);
        }
        if (layout.width % 2) {
            const Bgr last = YuvToBgr(in[y0], in[u], in[v]);
            out[0] = last.blue, out[1] = last.green, out[2] = last.red;
        }
    }
}

void ConvertColour(const DeviceLayout& layout, const std::uint8_t* frame, std::span<std::uint8_t> rows,
                   std::size_t stride, std::size_t bytesPerLine)
{
    const std::size_t lineBytes = std::size_t(layout.width) * 3;
    for (int line = 0; line < layout.height; ++line) {
        const std::uint8_t* in = frame + std::size_t(line) * bytesPerLine;
        std::uint8_t* out = PictureRow(rows, stride, layout.height, line);
        if (layout.coding == PixelCoding::Bgr24) {
            std::memcpy(out, in, lineBytes);
            continue;
        }
        for (std::size_t i = 0; i < lineBytes; i += 3) {
            out[i] = in[i + 2];
            out[i + 1] = in[i + 1];
            out[i + 2] = in[i];
        }
    }
}

bool ConvertJpeg(const DeviceLayout& layout, std::span<const std::uint8_t> frame, std::span<std::uint8_t> rows,
                 std::size_t stride)
{
    MemorySource source(frame);
    ReadResult read = ReadJpeg(source);
    ShowFailureNotices(read.failure());
    if (!read.ok())
        return false;
    HDIB picture = read.take();
    if (picture.bitCount() != 24)
        picture = DibPromoteTo24(picture);
    if (!picture || picture.width() != layout.width || picture.height() != layout.height)
        return false;
    // Both are bottom-up with the same padding.
    std::memcpy(rows.data(), picture.pixels(), stride * std::size_t(layout.height));
    return true;
}

}  // namespace

std::string_view PixelCodingName(PixelCoding coding)
{
    switch (coding) {
    case PixelCoding::Yuyv:
        return "YUYV 4:2:2";
    case PixelCoding::Uyvy:
        return "UYVY 4:2:2";
    case PixelCoding::Mjpeg:
        return "Motion-JPEG";
    case PixelCoding::Rgb24:
        return "RGB 24 bits";
    case PixelCoding::Bgr24:
        return "BGR 24 bits";
    }
    return "";
}

std::size_t TightBytesPerLine(PixelCoding coding, int width)
{
    switch (coding) {
    case PixelCoding::Yuyv:
    case PixelCoding::Uyvy:
        return std::size_t((width + 1) / 2) * 4;
    case PixelCoding::Rgb24:
    case PixelCoding::Bgr24:
        return std::size_t(width) * 3;
    case PixelCoding::Mjpeg:
        return 0;
    }
    return 0;
}

Bgr YuvToBgr(int y, int u, int v)
{
    const int c = 298 * (y - 16) + 128;
    const int d = u - 128;
    const int e = v - 128;
    return {Clamp((c + 516 * d) >> 8), Clamp((c - 100 * d - 208 * e) >> 8), Clamp((c + 409 * e) >> 8)};
}

bool ConvertFrame(const DeviceLayout& layout, std::span<const std::uint8_t> frame, std::span<std::uint8_t> rows)
{
    if (layout.width <= 0 || layout.height <= 0 || layout.width > kMaxPictureDimension ||
        layout.height > kMaxPictureDimension)
        return false;
    const std::size_t stride = std::size_t(DibStride(std::uint64_t(layout.width), 24));
    if (rows.size() < stride * std::size_t(layout.height))
        return false;
    if (layout.coding == PixelCoding::Mjpeg)
        return ConvertJpeg(layout, frame, rows, stride);

    const std::size_t tight = TightBytesPerLine(layout.coding, layout.width);
    const std::size_t bytesPerLine = layout.bytesPerLine ? layout.bytesPerLine : tight;
    // The last line needs only its own pixels, not the padding after it.
    if (bytesPerLine < tight || frame.size() < bytesPerLine * std::size_t(layout.height - 1) + tight)
        return false;
    if (layout.coding == PixelCoding::Yuyv || layout.coding == PixelCoding::Uyvy)
        ConvertLumaChroma(layout, frame.data(), rows, stride, bytesPerLine);
    else
        ConvertColour(layout, frame.data(), rows, stride, bytesPerLine);
    return true;
}

}  // namespace lv::video
