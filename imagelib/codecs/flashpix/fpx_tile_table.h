#pragma once
// The subimage header stream: the size of one resolution and where each 64 x 64 tile
// lies in the data stream. After the stream header, nine 32-bit little-endian words
// (header length, width, height, tile count, tile width, tile height, channels, table
// offset, entry length) then one entry per tile, row by row: offset, size, compression,
// subtype. The table offset counts from the end of the stream header, and the tile
// offsets from the end of the data stream's own stream header.

#include "imagelib/codecs/flashpix/fpx_layout.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace lv::flashpix {

struct TileEntry {
    std::uint32_t offset = 0;
    std::uint32_t size = 0;
    std::uint32_t compression = 0;
    std::uint32_t subtype = 0;
};

struct TileTable {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t channels = 0;
    std::vector<TileEntry> tiles;

    std::uint32_t tilesAcross() const;
    std::uint32_t tilesDown() const;
};

std::uint32_t TilesFor(std::uint32_t pixels);

std::vector<std::uint8_t> SerialiseTileTable(const TileTable& table, FileLayout layout = FileLayout::Published);

// The stream header that starts a subimage header or data stream.
std::vector<std::uint8_t> SubimageStreamHeader();

// Nothing unless the tiles are 64 x 64, the size lies within 1..65535, there are 1 to
// 4 channels and one entry per tile, all inside the stream.
std::optional<TileTable> ParseTileTable(std::span<const std::uint8_t> stream, FileLayout layout = FileLayout::Published);

// The tiles of a data stream, the part tile offsets count from; nothing when the stream
// is shorter than its stream header.
std::optional<std::span<const std::uint8_t>> TileBytes(std::span<const std::uint8_t> stream, FileLayout layout);

}  // namespace lv::flashpix
