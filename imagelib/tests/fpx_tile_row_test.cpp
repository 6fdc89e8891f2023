// A row of JPEG tiles decoded as one wide picture: damage kept in its tile, and rows that
// cannot be joined refused.

#include "imagelib/codecs/flashpix/fpx_jpeg_tiles.h"
#include "imagelib/codecs/flashpix/fpx_layout.h"
#include "imagelib/codecs/flashpix/fpx_tile_row.h"

#include <gtest/gtest.h>

#include <random>

namespace lv::flashpix {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct CodedRow {
    Bytes tables;
    std::vector<Bytes> tiles;
};

// Noise over gradients, so the chroma at every tile edge differs from its neighbour's.
CodedRow codeRow(int channels, int tiles, unsigned seed)
{
    std::mt19937 rng(seed);
    const std::size_t rowBytes = std::size_t(tiles) * kTileSize * std::size_t(channels);
    std::vector<Bytes> pixels(kTileSize, Bytes(rowBytes));
    std::vector<const std::uint8_t*> rows;
    for (int y = 0; y < kTileSize; ++y) {
        for (std::size_t i = 0; i < rowBytes; ++i)
            pixels[std::size_t(y)][i] = std::uint8_t(i * (3 + i % 3) / 7 + std::size_t(y) * 2 + rng() % 40);
        rows.push_back(pixels[std::size_t(y)].data());
    }
    JpegTileEncoder encoder(channels, 90);
    EXPECT_TRUE(encoder.codeRow(rows, tiles));
    CodedRow coded{encoder.tables(), {}};
    for (int t = 0; t < tiles; ++t)
        encoder.appendTile(t, coded.tiles.emplace_back());
    return coded;
}

TEST(FlashPixTileRow, DamageInOneTileStaysInThatTile)
{
    CodedRow coded = codeRow(3, 3, 5);
    const std::size_t tileRow = std::size_t(kTileSize) * 3, rowBytes = 3 * tileRow;
    Bytes alone(rowBytes * kTileSize), joined(alone.size());
    JpegTileDecoder decoder;
    for (int t : {0, 2})
        ASSERT_TRUE(decoder.decode(coded.tables, coded.tiles[std::size_t(t)], TileColour::FromYCbCr, 3,
                                   alone.data() + std::size_t(t) * tileRow, std::ptrdiff_t(rowBytes)));
    // Coded data in the middle tile overwritten (no marker bytes among it).
    Bytes& hurt = coded.tiles[1];
    std::fill(hurt.begin() + std::ptrdiff_t(hurt.size() / 2), hurt.begin() + std::ptrdiff_t(hurt.size() / 2 + 40), 0x5A);
    const std::vector<std::span<const std::uint8_t>> streams(coded.tiles.begin(), coded.tiles.end());
    const auto wide = JoinTileRow(streams, 3);
    ASSERT_TRUE(wide);
    ASSERT_TRUE(decoder.decodeRow(coded.tables, *wide, 3, 3 * kTileSize, [&](int y) {
        return joined.data() + std::size_t(y) * rowBytes;
    }));
    for (std::size_t y = 0; y < std::size_t(kTileSize); ++y)
        for (std::size_t t : {0u, 2u}) {
            const auto at = std::ptrdiff_t(y * rowBytes + t * tileRow);
            EXPECT_TRUE(std::equal(joined.begin() + at, joined.begin() + at + std::ptrdiff_t(tileRow), alone.begin() + at))
                << "tile " << t << " row " << y;
        }
}

TEST(FlashPixTileRow, TilesThatCannotBeJoinedAreRefused)
{
    const CodedRow colour = codeRow(3, 2, 1), grey = codeRow(1, 1, 2);
    const auto join = [](std::vector<Bytes> tiles, int channels) {
        const std::vector<std::span<const std::uint8_t>> streams(tiles.begin(), tiles.end());
        return JoinTileRow(streams, channels).has_value();
    };
    EXPECT_TRUE(join(colour.tiles, 3));
    EXPECT_FALSE(join(colour.tiles, 1));                      // another channel count
    EXPECT_FALSE(join({colour.tiles[0], grey.tiles[0]}, 3));  // headers differ
    Bytes cut = colour.tiles[1];
    cut.resize(cut.size() - 40);  // the last segments and the end marker gone
    EXPECT_FALSE(join({colour.tiles[0], cut}, 3) || join({Bytes{0xFF, 0xD8, 0xFF}}, 3) || join({}, 3));
}

}  // namespace
}  // namespace lv::flashpix
