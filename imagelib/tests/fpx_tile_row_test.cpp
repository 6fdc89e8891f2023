// A row of JPEG tiles decoded as one wide picture gives exactly the pixels of each tile
// decoded alone.

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

TEST(FlashPixTileRow, WideDecodeMatchesEachTileAloneForColourAndGrey)
{
    for (const int channels : {3, 1})
        for (const int tiles : {1, 2, 7}) {
            SCOPED_TRACE(std::to_string(channels) + " channels, " + std::to_string(tiles) + " tiles");
            const CodedRow coded = codeRow(channels, tiles, unsigned(tiles * channels));
            const TileColour colour = channels == 3 ? TileColour::FromYCbCr : TileColour::AsStored;
            const std::size_t tileRow = std::size_t(kTileSize) * std::size_t(channels);
            Bytes alone(std::size_t(tiles) * tileRow * kTileSize);
            JpegTileDecoder decoder;
            for (int t = 0; t < tiles; ++t)
                ASSERT_TRUE(decoder.decode(coded.tables, coded.tiles[std::size_t(t)], colour, channels,
                                           alone.data() + std::size_t(t) * tileRow, std::ptrdiff_t(tiles) * std::ptrdiff_t(tileRow)));

            const std::vector<std::span<const std::uint8_t>> streams(coded.tiles.begin(), coded.tiles.end());
            const auto wide = JoinTileRow(streams, channels);
            ASSERT_TRUE(wide);
            EXPECT_EQ(wide->halfChroma, channels == 3);
            // All but the last few pixels of each row, as a picture narrower than its tiles takes.
            const std::size_t visible = std::size_t(tiles) * kTileSize - 5, rowBytes = std::size_t(tiles) * tileRow;
            Bytes joined(alone.size());
            ASSERT_TRUE(decoder.decodeRow(coded.tables, *wide, channels, visible, [&](int y) {
                return joined.data() + std::size_t(y) * rowBytes;
            }));
            for (std::size_t y = 0; y < std::size_t(kTileSize); ++y)
                EXPECT_TRUE(std::equal(joined.begin() + std::ptrdiff_t(y * rowBytes), joined.begin() + std::ptrdiff_t(y * rowBytes + visible * std::size_t(channels)),
                                       alone.begin() + std::ptrdiff_t(y * rowBytes))) << "row " << y;
            // The decoder goes back to single tiles unharmed.
            Bytes again(tileRow * kTileSize);
            ASSERT_TRUE(decoder.decode(coded.tables, coded.tiles[0], colour, channels, again.data(), std::ptrdiff_t(tileRow)));
            for (int y = 0; y < kTileSize; ++y)
                EXPECT_TRUE(std::equal(again.begin() + y * std::ptrdiff_t(tileRow), again.begin() + (y + 1) * std::ptrdiff_t(tileRow),
                                       alone.begin() + y * std::ptrdiff_t(tiles) * std::ptrdiff_t(tileRow)));
        }
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
