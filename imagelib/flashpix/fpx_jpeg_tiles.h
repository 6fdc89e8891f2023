#pragma once
// JPEG-compressed tiles: abbreviated streams that share one set of tables.

#include "imagelib/jpeg_managers.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace lv::flashpix {

// Encodes 64 x 64 tiles of grey or blue-green-red pixels (rows top-down) at one quality.
// Colour tiles are stored as YCbCr with chroma halved both ways.
class JpegTileEncoder {
public:
    JpegTileEncoder(int channels, int quality);
    ~JpegTileEncoder();
    JpegTileEncoder(const JpegTileEncoder&) = delete;
    JpegTileEncoder& operator=(const JpegTileEncoder&) = delete;

    bool ok() const { return ok_; }
    // The shared JPEG tables stream every tile refers to.
    const std::vector<std::uint8_t>& tables() const { return tables_; }
    // Appends one tile's stream to `out`; false on a library error.
    bool encode(const std::uint8_t* tile, std::vector<std::uint8_t>& out);

    struct Destination;

private:
    bool setUp(int channels, int quality);

    jpeg_compress_struct cinfo_{};
    JpegErrorManager errors_{};
    std::vector<std::uint8_t> tables_;
    bool ok_ = false;
};

enum class TileColour {
    AsStored,     // the stream's channels as they are (grey, RGB, PhotoYCC)
    FromYCbCr,    // YCbCr made from RGB, delivered as blue-green-red
};

// Decodes tiles into a 64 x 64 buffer of `channels` bytes per pixel.
class JpegTileDecoder {
public:
    JpegTileDecoder();
    ~JpegTileDecoder();
    JpegTileDecoder(const JpegTileDecoder&) = delete;
    JpegTileDecoder& operator=(const JpegTileDecoder&) = delete;

    // `tables` may be empty when the tile carries its own. Rows go to `out`, `stride` bytes
    // apart (negative for bottom-up pictures). False when the stream is bad, larger than a
    // tile or has another channel count; the rows then hold what was decoded.
    bool decode(std::span<const std::uint8_t> tables, std::span<const std::uint8_t> tile, TileColour colour,
                int channels, std::uint8_t* out, std::ptrdiff_t stride);

private:
    bool create();
    jpeg_decompress_struct cinfo_{};
    JpegErrorManager errors_{};
    bool created_ = false;
    const std::uint8_t* loadedTables_ = nullptr;
};

}  // namespace lv::flashpix
