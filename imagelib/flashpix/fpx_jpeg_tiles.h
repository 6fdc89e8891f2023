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
//
// Starting the library for each tile costs a good part of coding it, so a run of
// tiles is coded as one picture 64 pixels wide, the tiles stacked, with a restart marker
// at each tile's start. A restart byte-aligns the coded data and restarts the DC
// predictions, so each tile's data is exactly what coding it alone gives; each tile's
// stream is the lone tile's headers, that data and the end marker.
class JpegTileEncoder {
public:
    JpegTileEncoder(int channels, int quality);
    ~JpegTileEncoder();
    JpegTileEncoder(const JpegTileEncoder&) = delete;
    JpegTileEncoder& operator=(const JpegTileEncoder&) = delete;

    bool ok() const { return ok_; }
    // The shared JPEG tables stream every tile refers to.
    const std::vector<std::uint8_t>& tables() const { return tables_; }
    // Codes the tiles whose rows `rows` lists, 64 per tile, tile after tile: appends each
    // tile's stream to `out` and its size to `sizes`. The library only reads the rows.
    // False on a library error.
    bool encode(std::span<const std::uint8_t* const> rows, std::vector<std::uint8_t>& out,
                std::vector<std::uint32_t>& sizes);

    struct Destination;

private:
    bool setUp(int channels, int quality);
    bool learnTileLayout(int channels);
    // Codes the rows as one picture 64 pixels wide into `coded_`.
    bool code(std::span<const std::uint8_t* const> rows, unsigned restartInterval);
    // Where the coded data begins in `coded_`, past the scan header; 0 if it can't be found.
    std::size_t codedDataStart() const;
    bool splitTiles(std::size_t tiles, std::vector<std::uint8_t>& out, std::vector<std::uint32_t>& sizes);

    jpeg_compress_struct cinfo_{};
    JpegErrorManager errors_{};
    std::vector<std::uint8_t> tables_;
    std::vector<std::uint8_t> tileHeaders_;  // a lone tile's stream up to its coded data
    std::vector<std::uint8_t> coded_;        // the stacked tiles' stream
    unsigned mcusPerTile_ = 0;
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
