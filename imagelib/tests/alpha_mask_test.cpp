// The transparency beside a picture's colours, and the PNG writer's alpha channel.

#include "common/byte_sink.h"
#include "common/byte_source.h"
#include "common/little_endian.h"
#include "imagelib/codecs/alpha_mask.h"
#include "imagelib/codecs/bmp/bmp.h"
#include "imagelib/codecs/png/png.h"
#include "pictures.h"

#include <gtest/gtest.h>

#include <functional>

namespace lv {
namespace {

using testing::Bytes;

const std::string kPngFixtures = "tests/fixtures/png/";
constexpr int kW = 37, kH = 23;  // the PNG fixtures' size

// The alpha pattern the PNG fixtures were made with (make_fixtures.py: pgm(maxval, 7)).
int FixtureAlpha16(int x, int y)
{
    return (x * (53 + 17 * 7) + y * (29 + 31 * 7) + x * y * 8) % 65536;
}
int FixtureAlpha8(int x, int y)
{
    return FixtureAlpha16(x, y) * 255 / 65535;
}

// The mask's value at (x, y), y counted from the top.
int At(const HDIB& mask, int x, int y)
{
    return mask.row(mask.height() - 1 - y)[x];
}

HDIB MaskOf(const std::vector<std::uint8_t>& bytes)
{
    MemorySource source(bytes);
    return ReadAlphaMask(source);
}

TEST(AlphaMask, PngAlphaChannelsAndTransparencyChunksOfEveryKindComeBackWhole)
{
    const auto high16 = [](int x, int y) { return FixtureAlpha16(x, y) >> 8; };  // 16-bit files keep the high byte
    const struct {
        const char* name;
        std::function<int(int, int)> alpha;
    } files[] = {{"rgba8", FixtureAlpha8}, {"rgba8_i", FixtureAlpha8}, {"greya8", FixtureAlpha8},
                 {"greya8_i", FixtureAlpha8}, {"rgba16", high16}, {"greya16_i", high16}};
    for (const auto& file : files) {
        const HDIB mask = ReadAlphaMask(kPngFixtures + file.name + ".png");
        ASSERT_TRUE(mask) << file.name;
        EXPECT_EQ(mask.bitCount(), 8);
        EXPECT_EQ(mask.colors()[200].rgbGreen, 200) << "a grey table, as layer masks have";
        ASSERT_EQ(testing::SizeOf(mask), std::tuple(kW, kH));
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x)
                ASSERT_EQ(At(mask, x, y), file.alpha(x, y)) << file.name << " at " << x << "," << y;
    }
    // The colour #439724 is number 1 of the palette picture; the chunk makes it transparent.
    const HDIB palette = ReadAlphaMask(kPngFixtures + "pal8_trns.png");
    ASSERT_TRUE(palette);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            ASSERT_EQ(At(palette, x, y), (x / 3 + y / 2 * 5) % 200 == 1 ? 0 : 255) << x << "," << y;

    EXPECT_FALSE(ReadAlphaMask(kPngFixtures + "rgb8.png")) << "no alpha";
    EXPECT_FALSE(ReadAlphaMask(kPngFixtures + "pal8.png") || ReadAlphaMask(kPngFixtures + "missing.png"));
}

// 32-bit rows of (blue, green, red, alpha) with alpha = 40 x + 80 y.
std::vector<std::uint8_t> Rows32(int width, int height, bool topDown, int alphaScale = 1)
{
    std::vector<std::uint8_t> pixels;
    for (int row = 0; row < height; ++row) {
        const int y = topDown ? row : height - 1 - row;
        for (int x = 0; x < width; ++x)
            pixels.insert(pixels.end(), {std::uint8_t(x), std::uint8_t(y), 200, std::uint8_t((40 * x + 80 * y) * alphaScale)});
    }
    return pixels;
}

std::vector<std::uint8_t> Targa32(int width, int height, bool topDown, std::uint8_t alphaBits = 8, int alphaScale = 1)
{
    Bytes t;
    t.u8(3).u8(0).u8(2).u16(0).u16(0).u8(0).u16(0).u16(0).u16(std::uint16_t(width)).u16(std::uint16_t(height)).u8(32);
    t.u8(std::uint8_t(alphaBits | (topDown ? 32 : 0))).text("abc");  // an identification field to skip
    return t.bytes(Rows32(width, height, topDown, alphaScale)).data;
}

std::vector<std::uint8_t> Bitmap32(int width, int height, bool topDown, int alphaScale = 1)
{
    const auto rows = Rows32(width, height, topDown, alphaScale);
    Bytes b;
    b.text("BM").u32(std::uint32_t(54 + rows.size())).u32(0).u32(54);
    b.u32(40).u32(std::uint32_t(width)).u32(std::uint32_t(topDown ? -height : height)).u16(1).u16(32).u32(0);
    b.u32(std::uint32_t(rows.size())).u32(2835).u32(2835).u32(0).u32(0);
    return b.bytes(rows).data;
}

TEST(AlphaMask, ThirtyTwoBitTargaAndBitmapFilesGiveTheirFourthBytesEitherWayUp)
{
    for (const bool topDown : {false, true}) {
        for (const auto& bytes : {Targa32(3, 2, topDown), Bitmap32(3, 2, topDown)}) {
            const HDIB mask = MaskOf(bytes);
            ASSERT_TRUE(mask) << topDown;
            ASSERT_EQ(testing::SizeOf(mask), std::tuple(3, 2));
            for (int y = 0; y < 2; ++y)
                for (int x = 0; x < 3; ++x)
                    EXPECT_EQ(At(mask, x, y), 40 * x + 80 * y) << topDown << " at " << x << "," << y;
        }
    }
    // Writers without alpha leave the fourth bytes zero; Targa must also say it has 8 alpha bits.
    EXPECT_FALSE(MaskOf(Targa32(3, 2, false, 8, 0)) || MaskOf(Bitmap32(3, 2, false, 0)) ||
                 MaskOf(Targa32(3, 2, false, 0)));

    // The independent tool's 32-bit Targa: a gradient from transparent at the top to opaque.
    const HDIB gradient = ReadAlphaMask("tests/fixtures/tga/pil_32.tga");
    ASSERT_TRUE(gradient);
    EXPECT_LT(At(gradient, 5, 0), 20);
    EXPECT_GT(At(gradient, 5, gradient.height() - 1), 235);
    for (int y = 1; y < gradient.height(); ++y)
        EXPECT_GE(At(gradient, 5, y), At(gradient, 5, y - 1)) << y;
}

TEST(AlphaMask, OpaqueCutShortAndForeignFilesGiveNone)
{
    std::vector<std::uint8_t> opaque = Targa32(3, 2, false);
    for (std::size_t i = 18 + 3 + 3; i < opaque.size(); i += 4)
        opaque[i] = 255;
    EXPECT_FALSE(MaskOf(opaque)) << "opaque everywhere: nothing to keep";

    const auto targa = Targa32(3, 2, true);
    const auto bitmap = Bitmap32(3, 2, true);
    for (const auto* file : {&targa, &bitmap})
        for (std::size_t cut = 0; cut < file->size(); ++cut)
            EXPECT_FALSE(MaskOf({file->begin(), file->begin() + std::ptrdiff_t(cut)})) << cut;
    const auto png = ReadWholeFile(kPngFixtures + "rgba8_i.png");
    ASSERT_TRUE(png);
    for (const std::size_t cut : {std::size_t(8), std::size_t(40), png->size() / 2, png->size() - 13})
        EXPECT_FALSE(MaskOf({png->begin(), png->begin() + std::ptrdiff_t(cut)})) << cut;

    // A Targa header claiming 65535 x 65535 over a few bytes allocates nothing.
    std::vector<std::uint8_t> huge = Targa32(3, 2, false);
    StoreLE16(huge.data() + 12, 65535);
    StoreLE16(huge.data() + 14, 65535);
    EXPECT_FALSE(MaskOf(huge));
    HDIB grey = testing::MakeGreyPicture(4, 4);
    MemorySink sink;
    ASSERT_EQ(WriteBmp(sink, grey), WriteResult::Written);
    EXPECT_FALSE(MaskOf(sink.take())) << "an 8-bit bitmap has no alpha";
}

// Colour pictures with alpha (type 6) go through the tool's alpha round trips.
TEST(PngAlpha, GreyPicturesWithAlphaAreWrittenAsColourType4AndReadBackEqual)
{
    HDIB grey = testing::MakeGreyPicture(19, 7);
    HDIB alpha = testing::MakeGreyPicture(19, 7);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 19; ++x) {
            alpha.row(y)[x] = std::uint8_t(x * 13 + y * 31);
            grey.row(y)[x] = std::uint8_t(x * 7);
        }
    MemorySink sink;
    ASSERT_EQ(WritePng(sink, grey, &alpha), PngWriteResult::Written);
    const std::vector<std::uint8_t> file = sink.take();
    ASSERT_GT(file.size(), 33u);
    EXPECT_EQ(std::string(file.begin() + 12, file.begin() + 16), "IHDR");
    // 8 bits per sample, colour type 4, and Adam7 as every file the program writes.
    EXPECT_EQ((std::vector<int>{file[24], file[25], file[28]}), (std::vector<int>{8, 4, 1}));
    EXPECT_TRUE(testing::SamePixels(MaskOf(file), alpha));
    MemorySource source(file);
    const HDIB colours = ReadPng(source).take();
    ASSERT_TRUE(colours);
    EXPECT_EQ(testing::Pixel24(colours, 0, 3).r, 0) << "grey kept as grey";

    HDIB small = testing::MakeGreyPicture(18, 7);
    MemorySink refused;
    EXPECT_EQ(WritePng(refused, grey, &small), PngWriteResult::UnsupportedKind) << "an alpha of another size";
    HDIB empty;
    EXPECT_EQ(WritePng(refused, grey, &empty), PngWriteResult::UnsupportedKind);
    EXPECT_TRUE(refused.take().empty());
}

}  // namespace
}  // namespace lv
