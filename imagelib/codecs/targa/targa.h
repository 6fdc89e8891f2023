#pragma once
// Targa files: an 18-byte header, an optional identification field and colour map, then
// colour-mapped, true-colour or grey pixels, raw or in run-length packets.

#include "common/byte_sink.h"
#include "common/byte_source.h"
#include "imagelib/codecs/codec_result.h"

#include <cstdint>
#include <string>

namespace lv {

inline constexpr std::size_t kTargaHeaderSize = 18;

struct TargaHeader {
    std::uint8_t idLength;
    std::uint8_t colourMapType;
    std::uint8_t imageType;
    std::uint16_t colourMapFirst;
    std::uint16_t colourMapLength;
    std::uint8_t colourMapEntryBits;
    std::uint16_t width;
    std::uint16_t height;
    std::uint8_t bitsPerPixel;
    std::uint8_t descriptor;

    bool compressed() const { return imageType & 8; }
    bool topOrigin() const { return descriptor >= 32; }
};

TargaHeader ParseTargaHeader(const std::uint8_t* bytes);

// ReadTarga: −1 for a file shorter than the header; 0 carrying "Unknown file format" for an
// image type or pixel size it doesn't read, and 0 for a bad header, a short colour map,
// exhausted memory or cancellation; −2 for a file that can't be opened or pixel data that
// is cut short.
ReadResult ReadTarga(const std::string& path);
ReadResult ReadTarga(ByteSource& source);

// Run-length coded rows when `compress`; the path form takes the Save-as compress flag.
// Results: 2 null image, cancelled or a failed raw write, 3 cannot create, 0 a failed header or row write.
WriteResult WriteTarga(const std::string& path, const HDIB& image);
WriteResult WriteTarga(ByteSink& sink, const HDIB& image, bool compress);

// A 24-bit picture with its alpha (8-bit, same size, 255 opaque) as an uncompressed 32-bit
// true-colour file whose descriptor declares 8 alpha bits. Other pictures are not written.
WriteResult WriteTargaWithAlpha(const std::string& path, const HDIB& image, const HDIB& alpha);
WriteResult WriteTargaWithAlpha(ByteSink& sink, const HDIB& image, const HDIB& alpha);

}  // namespace lv
