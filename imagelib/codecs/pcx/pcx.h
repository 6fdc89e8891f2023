#pragma once
// Paintbrush (PCX) files: one to four bit planes, run-length coded lines, and for 256
// colours a palette of 769 bytes at the end of the file.

#include "common/byte_sink.h"
#include "common/byte_source.h"
#include "imagelib/codecs/codec_result.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace lv {

inline constexpr std::size_t kPcxHeaderSize = 128;
inline constexpr std::uint8_t kPcxManufacturer = 10;
inline constexpr std::uint8_t kPcxRunLengthEncoding = 1;
inline constexpr std::uint8_t kPcxPaletteMarker = 12;
inline constexpr std::size_t kPcxPaletteTrailerSize = 1 + 256 * 3;
inline constexpr std::uint16_t kPcxGreyPaletteInfo = 2;

// The header fields as stored, and what follows from them.
struct PcxHeader {
    std::uint8_t manufacturer;
    std::uint8_t encoding;
    std::uint8_t bitsPerPlane;
    std::uint16_t xMin, yMin, xMax, yMax;
    std::uint16_t dpiX, dpiY;
    std::array<std::uint8_t, 48> palette;  // 16 entries, red, green, blue
    std::uint8_t planes;
    std::uint16_t bytesPerLine;  // per plane
    std::uint16_t paletteInfo;

    // Zero when the extent is reversed.
    std::int64_t width() const { return xMax >= xMin ? std::int64_t(xMax) - xMin + 1 : 0; }
    std::int64_t height() const { return yMax >= yMin ? std::int64_t(yMax) - yMin + 1 : 0; }
    std::size_t lineBytes() const { return std::size_t(bytesPerLine) * planes; }
};

PcxHeader ParsePcxHeader(const std::uint8_t* bytes);

// ReadPcx: −1 for a short header or another manufacturer byte, 0 for a 256-colour file
// without its palette, an unsupported plane layout, exhausted memory or cancellation,
// −2 for a file that can't be opened or pixel data that is cut short or runs past its line.
ReadResult ReadPcx(const std::string& path);
ReadResult ReadPcx(ByteSource& source);

// The general loader's reader: any supported layout as a new 24-bit picture, or 0.
ReadResult ReadPcxWhole(const std::string& path);
ReadResult ReadPcxWhole(std::span<const std::uint8_t> file);

// Always run-length coded. Results: 2 null image or cancelled, 3 cannot create, 0 a failed write.
WriteResult WritePcx(const std::string& path, const HDIB& image);
WriteResult WritePcx(ByteSink& sink, const HDIB& image);

}  // namespace lv
