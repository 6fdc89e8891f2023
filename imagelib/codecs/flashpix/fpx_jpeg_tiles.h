#pragma once
// JPEG-compressed tiles: abbreviated streams that share one set of tables.

#include "imagelib/codecs/flashpix/fpx_restart_steering.h"
#include "imagelib/codecs/flashpix/fpx_tile_row.h"
#include "imagelib/codecs/jpeg/jpeg_managers.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace lv::flashpix {

// Encodes 64 x 64 tiles of grey or blue-green-red pixels (rows top-down) at one quality.
// Colour tiles are stored as YCbCr with chroma halved both ways.
//
// Starting the library for each tile costs a good part of coding it, and a picture only
// 64 pixels wide costs the library a lot per row, so a row of tiles is coded as one wide
// picture with a restart marker at the start of each tile's part of every MCU row. A
// restart byte-aligns the coded data and restarts the DC predictions, so the segments of
// one tile, joined by restart markers of their own, are a stream that decodes to exactly
// what coding the tile alone gives.
class JpegTileEncoder {
public:
    // A wide picture stays below the format's width limit.
    static constexpr int kMaxTilesPerRun = 256;

    JpegTileEncoder(int channels, int quality);
    ~JpegTileEncoder();
    JpegTileEncoder(const JpegTileEncoder&) = delete;
    JpegTileEncoder& operator=(const JpegTileEncoder&) = delete;

    bool ok() const { return ok_; }
    // The shared JPEG tables stream every tile refers to.
    const std::vector<std::uint8_t>& tables() const { return tables_; }
    // Called with (first, count) each time the library has taken rows [first, first + count),
    // while they are still in the cache.
    using RowsTaken = std::function<void(int, int)>;
    // Codes `tilesAcross` tiles side by side (1..kMaxTilesPerRun) from their 64 rows, each
    // row `tilesAcross` * 64 pixels; the library only reads them. False on a library error.
    bool codeRow(std::span<const std::uint8_t* const> rows, int tilesAcross, const RowsTaken& taken = {});
    // Appends the stream of tile `tile` of the last row coded to `out`; returns its size,
    // 0 when the last row has no such tile.
    std::uint32_t appendTile(int tile, std::vector<std::uint8_t>& out) const;
    // About the bytes appendTile gives for the whole row, to reserve them at once.
    std::size_t rowBytes() const { return coded_.size() + std::size_t(tilesAcross_) * (tileHeaders_.size() + 2 * mcuRowsPerTile_); }

    struct Destination;

private:
    bool setUp(int channels, int quality);
    bool learnTileLayout(int channels);
    bool code(std::span<const std::uint8_t* const> rows, unsigned width, unsigned restartInterval,
              const RowsTaken& taken = {});
    // Where the coded data begins in `coded_`, past the scan header; 0 if it can't be found.
    std::size_t codedDataStart() const;
    bool findSegments();

    jpeg_compress_struct cinfo_{};
    JpegErrorManager errors_{};
    std::vector<std::uint8_t> tables_;
    std::vector<std::uint8_t> tileHeaders_;  // a lone tile's stream up to its coded data
    std::vector<std::uint8_t> coded_;        // the wide picture's stream
    // The coded data between markers in `coded_`, MCU row by MCU row, tile by tile within it.
    struct Segment {
        std::size_t begin, end;
    };
    std::vector<Segment> segments_;
    unsigned mcusAcrossTile_ = 0;
    unsigned mcuRowsPerTile_ = 0;
    int tilesAcross_ = 0;
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

    // Decodes a row of tiles joined by JoinTileRow, of `channels` channels as decode's
    // TileColour::FromYCbCr gives colour and AsStored grey: the first `pixels` pixels of
    // each of its 64 rows, the tiles side by side, go where `target(y)` says (nowhere when
    // it gives null). False when the library fails.
    using RowTarget = std::function<std::uint8_t*(int)>;
    bool decodeRow(std::span<const std::uint8_t> tables, const WideTileStream& wide, int channels, std::size_t pixels,
                   const RowTarget& target);

private:
    bool create();
    void loadTables(std::span<const std::uint8_t> tables);
    bool runRow(std::span<const std::uint8_t> tables, const WideTileStream& wide, int channels, std::size_t pixels,
                const RowTarget& target);
    jpeg_decompress_struct cinfo_{};
    JpegErrorManager errors_{};
    bool created_ = false;
    RestartSteering steering_;
    const std::uint8_t* loadedTables_ = nullptr;
    // A joined row's planes (luma, then the two chroma planes) or its rows, kept between rows.
    std::vector<std::uint8_t> planes_;
    std::vector<std::uint8_t> rowPixels_;
};

}  // namespace lv::flashpix
