#include "imagelib/codecs/flashpix/fpx_tile_table.h"

#include "common/little_endian.h"

namespace lv::flashpix {
namespace {

constexpr std::uint32_t kHeaderWords = 9;
constexpr std::uint32_t kHeaderBytes = kHeaderWords * 4;
constexpr std::uint32_t kEntryBytes = 16;
constexpr std::uint32_t kMaxSide = 65535;
constexpr std::uint32_t kMaxChannels = 4;

}  // namespace

std::uint32_t TilesFor(std::uint32_t pixels)
{
    return (pixels + kTileSize - 1) / kTileSize;
}

std::uint32_t TileTable::tilesAcross() const
{
    return TilesFor(width);
}

std::uint32_t TileTable::tilesDown() const
{
    return TilesFor(height);
}

std::vector<std::uint8_t> SubimageStreamHeader()
{
    std::vector<std::uint8_t> header(kSubimageStreamHeaderBytes, 0);
    StoreLE16(header.data(), 0xFFFE);  // byte order
    StoreLE32(header.data() + 4, 0x00020005);  // written on Windows-compatible terms, version 5
    return header;
}

std::vector<std::uint8_t> SerialiseTileTable(const TileTable& table, FileLayout layout)
{
    std::vector<std::uint8_t> out = layout == FileLayout::Published ? SubimageStreamHeader() : std::vector<std::uint8_t>{};
    const std::size_t start = out.size();
    out.resize(start + kHeaderBytes + kEntryBytes * table.tiles.size());
    const std::uint32_t words[kHeaderWords] = {kHeaderBytes, table.width, table.height,
                                               std::uint32_t(table.tiles.size()), kTileSize, kTileSize,
                                               table.channels, kHeaderBytes, kEntryBytes};
    for (std::uint32_t i = 0; i < kHeaderWords; ++i)
        StoreLE32(&out[start + i * 4], words[i]);
    std::uint8_t* entry = out.data() + start + kHeaderBytes;
    for (const TileEntry& tile : table.tiles) {
        StoreLE32(entry, tile.offset);
        StoreLE32(entry + 4, tile.size);
        StoreLE32(entry + 8, tile.compression);
        StoreLE32(entry + 12, tile.subtype);
        entry += kEntryBytes;
    }
    return out;
}

std::optional<std::span<const std::uint8_t>> TileBytes(std::span<const std::uint8_t> stream, FileLayout layout)
{
    const std::size_t skip = SubimageStreamHeaderBytes(layout);
    if (stream.size() < skip)
        return std::nullopt;
    return stream.subspan(skip);
}

std::optional<TileTable> ParseTileTable(std::span<const std::uint8_t> whole, FileLayout layout)
{
    const auto fields = TileBytes(whole, layout);
    if (!fields || fields->size() < kHeaderBytes)
        return std::nullopt;
    const std::span<const std::uint8_t> stream = *fields;
    const auto word = [&](std::uint32_t i) { return LoadLE32(stream.data() + i * 4); };
    TileTable table;
    table.width = word(1);
    table.height = word(2);
    const std::uint64_t count = word(3);
    table.channels = word(6);
    const std::uint64_t tableOffset = word(7);
    const std::uint64_t entryBytes = word(8);
    if (table.width == 0 || table.height == 0 || table.width > kMaxSide || table.height > kMaxSide ||
        word(4) != std::uint32_t(kTileSize) || word(5) != std::uint32_t(kTileSize) || table.channels == 0 ||
        table.channels > kMaxChannels || entryBytes < kEntryBytes ||
        count != std::uint64_t(table.tilesAcross()) * table.tilesDown() ||
        tableOffset + count * entryBytes > stream.size())
        return std::nullopt;
    table.tiles.resize(std::size_t(count));
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::uint8_t* entry = stream.data() + tableOffset + i * entryBytes;
        table.tiles[std::size_t(i)] = {LoadLE32(entry), LoadLE32(entry + 4), LoadLE32(entry + 8), LoadLE32(entry + 12)};
    }
    return table;
}

}  // namespace lv::flashpix
