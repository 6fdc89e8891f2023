#include "acquire/source_manager/scan_rows.h"

#include <cstring>

namespace lv::twain {
namespace {

// Sample x of a row at the given depth, as eight bits.
std::uint8_t Sample8(const std::uint8_t* raw, std::size_t x, int depth)
{
    switch (depth) {
    case 1:
        return (raw[x >> 3] >> (7 - (x & 7))) & 1 ? 0 : 255;  // one-bit samples: 1 is dark
    case 16: {
        std::uint16_t v;  // host byte order
        std::memcpy(&v, raw + 2 * x, 2);
        return std::uint8_t(v >> 8);
    }
    default:
        return raw[x];
    }
}

}  // namespace

bool FormatOfParameters(const SANE_Parameters& p, bool threePass, ScanFormat& format)
{
    if (p.pixels_per_line <= 0 || p.pixels_per_line > 65535 || p.lines > 65535)
        return false;
    if (p.depth != 1 && p.depth != 8 && p.depth != 16)
        return false;
    format.width = p.pixels_per_line;
    format.height = p.lines;
    if (p.format == SANE_FRAME_GRAY && !threePass) {
        format.pixelType = p.depth == 1 ? TWPT_BW : TWPT_GRAY;
        format.bitsPerPixel = p.depth == 1 ? 1 : 8;
    } else if (p.format == SANE_FRAME_RGB || threePass) {
        format.pixelType = TWPT_RGB;
        format.bitsPerPixel = 24;
    } else {
        return false;
    }
    format.rowBytes = (std::size_t(format.width) * std::size_t(format.bitsPerPixel) + 31) / 32 * 4;
    const std::size_t samples = std::size_t(format.width) * (p.format == SANE_FRAME_RGB ? 3 : 1);
    return std::size_t(p.bytes_per_line) >= (samples * std::size_t(p.depth) + 7) / 8;
}

void ConvertRow(const SANE_Parameters& p, const std::uint8_t* raw, std::uint8_t* out, const ScanFormat& format,
                bool zeroIsWhite)
{
    const std::size_t width = std::size_t(format.width);
    std::memset(out, 0, format.rowBytes);
    if (format.pixelType == TWPT_BW) {
        const std::size_t bytes = (width + 7) / 8;
        if (zeroIsWhite) {
            std::memcpy(out, raw, bytes);
        } else {
            for (std::size_t i = 0; i < bytes; ++i)
                out[i] = std::uint8_t(~raw[i]);
        }
        if (width & 7)
            out[bytes - 1] &= std::uint8_t(0xFF << (8 - (width & 7)));
        return;
    }
    const std::size_t samples = width * (format.pixelType == TWPT_RGB ? 3 : 1);
    if (p.depth == 8) {
        std::memcpy(out, raw, samples);
    } else {
        for (std::size_t i = 0; i < samples; ++i)
            out[i] = Sample8(raw, i, p.depth);
    }
    if (zeroIsWhite)
        for (std::size_t i = 0; i < samples; ++i)
            out[i] = std::uint8_t(255 - out[i]);
}

void ConvertPlaneRow(const SANE_Parameters& p, const std::uint8_t* raw, std::uint8_t* out, int width, int channel)
{
    for (int x = 0; x < width; ++x)
        out[3 * std::size_t(x) + std::size_t(channel)] = Sample8(raw, std::size_t(x), p.depth);
}

}  // namespace lv::twain
