#include "common/byte_sink.h"
#include "imagelib/codecs/tiff/lzw.h"
#include "pictures.h"

#include <gtest/gtest.h>

#include <random>

namespace lv {
namespace {

using Symbols = std::vector<std::uint8_t>;

// In pieces, as rows arrive: the stream must not notice the breaks.
Symbols Encode(LzwFlavour flavour, int rootBits, const Symbols& symbols, std::size_t piece = 37)
{
    MemorySink sink;
    LzwEncoder encoder(flavour, rootBits, sink);
    encoder.begin();
    for (std::size_t i = 0; i < symbols.size(); i += piece)
        encoder.encode(symbols.data() + i, std::min(piece, symbols.size() - i));
    EXPECT_TRUE(encoder.end());
    EXPECT_EQ(encoder.bytesWritten(), sink.bytes().size());
    return sink.take();
}

class Collect final : public LzwOutput {
public:
    explicit Collect(std::size_t limit = SIZE_MAX)
        : limit_(limit)
    {
    }
    bool write(const std::uint8_t* s, std::size_t n) override
    {
        symbols.insert(symbols.end(), s, s + n);
        return symbols.size() < limit_;
    }
    Symbols symbols;

private:
    std::size_t limit_;
};

std::pair<LzwStop, Symbols> Decode(LzwFlavour flavour, int rootBits, const Symbols& codes)
{
    Collect out;
    LzwDecoder decoder(flavour, rootBits);
    const LzwStop stop = decoder.decode(codes, out);
    return {stop, out.symbols};
}

// Packs codes of the given widths into bytes, most or least significant bit first.
Symbols Pack(bool msbFirst, const std::vector<std::pair<unsigned, int>>& codes)
{
    Symbols out;
    std::uint64_t buffer = 0;
    int bits = 0;
    for (const auto& [code, width] : codes) {
        if (msbFirst) {
            buffer = buffer << width | code;
            bits += width;
            for (; bits >= 8; bits -= 8)
                out.push_back(std::uint8_t(buffer >> (bits - 8)));
        } else {
            buffer |= std::uint64_t(code) << bits;
            bits += width;
            for (; bits >= 8; bits -= 8, buffer >>= 8)
                out.push_back(std::uint8_t(buffer));
        }
    }
    if (bits > 0)
        out.push_back(std::uint8_t(msbFirst ? buffer << (8 - bits) : buffer));
    return out;
}

Symbols Random(std::size_t n, unsigned range, unsigned seed)
{
    std::mt19937 rng(seed);
    Symbols s(n);
    for (auto& v : s)
        v = std::uint8_t(rng() % range);
    return s;
}

TEST(Lzw, TiffCodesForAShortStringEndWithTwoEndCodesAndDropTheLastBits)
{
    // A B A B A B A: clear, A, B, AB, ABA, then 257 twice; 63 bits give 7 whole bytes.
    const Symbols codes = Encode(LzwFlavour::Tiff, 8, {'A', 'B', 'A', 'B', 'A', 'B', 'A'});
    Symbols expected = Pack(true, {{256, 9}, {65, 9}, {66, 9}, {258, 9}, {260, 9}, {257, 9}, {257, 9}});
    expected.pop_back();
    EXPECT_EQ(codes, expected);
}

TEST(Lzw, WidthsGrowWhereEachFlavourSaysSo)
{
    // GIF codes go low bits first: clear 4, 0, 6, 0, end 5 at three bits each, padded.
    EXPECT_EQ(Encode(LzwFlavour::Gif, 2, {0, 0, 0, 0}), (Symbols{0x84, 0x51}));
    // Root size 2, symbols 0 0 0 1 1: clear; 0 (adds 6); 6 (adds 7); 1 (adds 8, so the
    // width becomes 4); then the pending 1 and the end code at width 4.
    EXPECT_EQ(Encode(LzwFlavour::Gif, 2, {0, 0, 0, 1, 1}), Pack(false, {{4, 3}, {0, 3}, {6, 3}, {1, 3}, {1, 4}, {5, 4}}));

    // TIFF widens once the next free code is 512: the 255th code after the clear is 10 bits.
    Symbols bytes;
    for (int i = 0; i < 256; ++i)
        bytes.push_back(std::uint8_t(i));
    const Symbols tiff = Encode(LzwFlavour::Tiff, 8, bytes);
    std::vector<std::pair<unsigned, int>> expected{{256, 9}};
    for (int i = 0; i < 256; ++i)
        expected.push_back({unsigned(i), i < 254 ? 9 : 10});
    expected.insert(expected.end(), 2, {257, 10});
    Symbols packed = Pack(true, expected);
    if ((9 + 254 * 9 + 4 * 10) % 8)
        packed.pop_back();
    EXPECT_EQ(tiff, packed);
}

TEST(Lzw, FlatAreasAndNoiseGiveTheirPinnedCodesInPiecesOfAnySize)
{
    // Runs of repeating patterns, broken now and then, long enough for many new tables (a
    // clear when the next free code reaches 4094, at the width it has grown to) and for the
    // coder to drop old symbols: the walks it skips must be the ones the tree has.
    std::mt19937 rng(11);
    Symbols s;
    while (s.size() < 1500000) {
        const std::size_t period = 1 + rng() % 4, run = rng() % 20000;
        const unsigned base = rng() % 4 * 60;
        Symbols unit(period);
        for (std::size_t k = 0; k < period; ++k)
            unit[k] = std::uint8_t(base + k * 7);  // the colours of a flat area
        for (std::size_t i = 0; i < run; ++i)
            s.push_back(unit[i % period]);
        for (std::size_t i = rng() % 5; i > 0; --i)
            s.push_back(std::uint8_t(rng()));
    }
    // Pinned when a plain map-based coder gave the same codes; the widths and the ends are
    // worked out by hand above. Rows of a wide picture, and pieces too short for most jumps.
    const std::uint64_t tiff = 743722813958765766ull;
    EXPECT_EQ(testing::Fnv1a(Encode(LzwFlavour::Tiff, 8, s, 12000)), tiff);
    EXPECT_EQ(testing::Fnv1a(Encode(LzwFlavour::Tiff, 8, s, 61)), tiff);
    EXPECT_EQ(testing::Fnv1a(Encode(LzwFlavour::Gif, 8, s, 4000)), 50277414570870335ull);
    Symbols bits(s.size());
    std::transform(s.begin(), s.end(), bits.begin(), [](std::uint8_t v) { return std::uint8_t(v % 2); });
    EXPECT_EQ(testing::Fnv1a(Encode(LzwFlavour::Gif, 2, bits, 4000)), 14594383502211866812ull);
    // One symbol at a time: every call ends with codes still short of a whole byte.
    const Symbols noise = Random(30000, 256, 5);
    const std::uint64_t noiseCodes = 13063221835440420588ull;
    EXPECT_EQ(testing::Fnv1a(Encode(LzwFlavour::Tiff, 8, noise)), noiseCodes);
    EXPECT_EQ(testing::Fnv1a(Encode(LzwFlavour::Tiff, 8, noise, 1)), noiseCodes);
}

TEST(Lzw, StreamsEndingWhereTheCodesWidenEndCleanly)
{
    // Among these lengths the table ends at 511, 1023 and 2047 entries.
    const Symbols noise = Random(3000, 256, 3);
    for (std::size_t n = 1; n <= noise.size(); ++n) {
        const Symbols input(noise.begin(), noise.begin() + std::ptrdiff_t(n));
        const auto [stop, output] = Decode(LzwFlavour::Tiff, 8, Encode(LzwFlavour::Tiff, 8, input, 1000));
        ASSERT_EQ(stop, LzwStop::EndCode) << n << " symbols";
        ASSERT_TRUE(output == input) << n << " symbols";
    }
}

TEST(Lzw, DecodingStopsAtBadCodesTheEndOfDataAndAFullOutput)
{
    // A code beyond the next free one.
    EXPECT_EQ(Decode(LzwFlavour::Tiff, 8, Pack(true, {{256, 9}, {65, 9}, {300, 9}})).first, LzwStop::BadCode);
    // A string code straight after a clear.
    EXPECT_EQ(Decode(LzwFlavour::Gif, 2, Pack(false, {{4, 3}, {6, 3}})).first, LzwStop::BadCode);
    // No clear code first is read as if one had come.
    EXPECT_EQ(Decode(LzwFlavour::Gif, 2, Pack(false, {{1, 3}, {1, 3}, {6, 3}, {5, 3}})),
              std::pair(LzwStop::EndCode, Symbols{1, 1, 1, 1}));
    // Codes that simply run out.
    EXPECT_EQ(Decode(LzwFlavour::Tiff, 8, Pack(true, {{256, 9}, {65, 9}, {66, 9}})),
              std::pair(LzwStop::DataExhausted, Symbols{'A', 'B'}));

    Collect three(3);
    LzwDecoder decoder(LzwFlavour::Gif, 8);
    EXPECT_EQ(decoder.decode(Encode(LzwFlavour::Gif, 8, Symbols(100, 9)), three), LzwStop::OutputFull);
    EXPECT_GE(three.symbols.size(), 3u);
}

}  // namespace
}  // namespace lv
