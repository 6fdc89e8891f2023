#include "common/little_endian.h"
#include "edit/layered_format.h"
#include "imagelib/codecs/alpha_mask.h"
#include "imagelib/codecs/bmp/bmp.h"
#include "imagelib/codecs/png/png.h"
#include "imagelib/codecs/targa/targa.h"
#include "imagelib/dib_convert.h"
#include "imagelib/dib_alloc.h"
#include "tool_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace lv {
namespace {

using testing::Pixel24;
using testing::Rgb;
using testing::Tool;

constexpr int kWidth = 16;
constexpr int kHeight = 8;

// Columns 0-3 transparent, 4-7 partly (1, 65, 129, 193), 8-15 opaque.
std::uint8_t AlphaAt(int x)
{
    return x < 4 ? 0 : x < 8 ? std::uint8_t(64 * (x - 4) + 1) : 255;
}

std::vector<std::uint8_t> BytesOf(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The colours a file keeps under its alpha.
HDIB ColoursIn(const std::string& path)
{
    if (path.ends_with(".vlf")) {
        const auto stack = ReadLayeredFile(path);
        return stack ? DibDuplicate(stack->layers[0].image.read()) : HDIB{};
    }
    if (path.ends_with(".bmp"))
        return ReadBmp(path).take();
    return path.ends_with(".tga") ? ReadTarga(path).take() : ReadPng(path).take();
}

class AlphaTool : public testing::ToolFolder {
protected:
    void SetUp() override
    {
        colours = testing::MakePhotoLike(kWidth, kHeight);
        alpha = AllocatePicture(kWidth, kHeight, 8, 256);
        FillGreyRamp(alpha.colors(), 256);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                alpha.row(y)[x] = AlphaAt(x);
        ASSERT_EQ(WritePng(file("a.png"), colours, nullptr, &alpha), PngWriteResult::Written);
    }
    void convert(const std::string& in, const std::string& out)
    {
        const auto run = Tool("convert " + quoted(in) + " " + quoted(out));
        ASSERT_EQ(run.exitCode, 0) << in << " -> " << out << ": " << run.err;
    }
    bool infoSaysAlpha(const std::string& name)
    {
        const auto info = Tool("info --json " + quoted(name));
        EXPECT_EQ(info.exitCode, 0) << info.err;
        EXPECT_NE(info.out.find("\"alpha\":"), std::string::npos) << info.out;
        return info.out.find("\"alpha\":true") != std::string::npos;
    }

    HDIB colours;
    HDIB alpha;
};

TEST_F(AlphaTool, AlphaSurvivesEveryFormatThatHoldsIt)
{
    struct Chain {
        std::vector<std::string> names;
        int colourTolerance;  // the layered format keeps layer colours as JPEG
    };
    for (const Chain& chain : {Chain{{"b.png"}, 0}, Chain{{"b.tga", "c.png"}, 0}, Chain{{"b.bmp", "d.png"}, 0},
                               Chain{{"b.vlf", "c.png"}, 24}, Chain{{"b.vlf", "c.vlf", "d.tga", "e.bmp"}, 24}}) {
        std::string from = "a.png";
        for (const std::string& to : chain.names) {
            convert(from, to);
            EXPECT_TRUE(infoSaysAlpha(to)) << to;
            from = to;
        }
        EXPECT_TRUE(testing::SamePixels(ReadAlphaMask(file(from)), alpha)) << chain.names.front() << " ... " << from;
        const HDIB back = ColoursIn(file(from));
        ASSERT_TRUE(back) << from;
        for (int x = 8; x < kWidth; ++x) {
            const Rgb want = Pixel24(colours, x, 3), got = Pixel24(back, x, 3);
            EXPECT_NEAR(got.r, want.r, chain.colourTolerance) << from << " column " << x;
            EXPECT_NEAR(got.g, want.g, chain.colourTolerance) << from << " column " << x;
        }
    }
    // Targa with alpha: uncompressed 32-bit true colour declaring 8 alpha bits, bottom-up.
    const auto tga = BytesOf(file("b.tga"));
    ASSERT_EQ(tga.size(), 18u + kWidth * kHeight * 4);
    EXPECT_EQ(tga[2], 2);
    EXPECT_EQ(tga[16], 32);
    EXPECT_EQ(tga[17], 8);
    EXPECT_EQ(tga[18 + 4 * 5 + 3], AlphaAt(5)) << "alpha is the fourth byte of each pixel";
    // Bitmap with alpha: a 124-byte header with bit fields, alpha in the top byte.
    const auto bmp = BytesOf(file("b.bmp"));
    ASSERT_EQ(bmp.size(), 138u + kWidth * kHeight * 4);
    const auto le32 = [&bmp](std::size_t at) { return LoadLE32(&bmp[at]); };
    EXPECT_EQ(le32(10), 138u);
    EXPECT_EQ(le32(14), 124u);
    EXPECT_EQ(bmp[28], 32);
    EXPECT_EQ(le32(30), 3u);
    EXPECT_EQ(le32(54), 0x00FF0000u);
    EXPECT_EQ(le32(66), 0xFF000000u);
    EXPECT_EQ(bmp[138 + 4 * 6 + 3], AlphaAt(6));
}

TEST_F(AlphaTool, FormatsWithoutAlphaHoldThePictureOnWhite)
{
    convert("a.png", "b.vlf");
    for (const std::string in : {"a.png", "b.vlf"})
        for (const std::string out : {"flat.tif", "flat.pcx", "flat.gif", "flat.jpg"}) {
            convert(in, out);
            EXPECT_FALSE(infoSaysAlpha(out)) << out;
            convert(out, "check.bmp");
            HDIB flat = ReadBmp(file("check.bmp")).take();
            if (flat && DibGetType(flat) != IMG_RGB24)
                flat = DibPromoteTo24(flat);
            ASSERT_TRUE(flat) << out;
            // GIF reduces to a palette, JPEG and the layered format are lossy: exact only for TIFF and PCX.
            const bool exact = in == "a.png" && (out == "flat.tif" || out == "flat.pcx");
            const int tolerance = exact ? 0 : 40;
            for (int x : {0, 3, 5, 6, 12}) {
                const Rgb c = Pixel24(colours, x, 4);
                const int a = AlphaAt(x);
                const auto onWhite = [a](int v) { return (v * a + 255 * (255 - a) + 127) / 255; };
                const Rgb got = Pixel24(flat, x, 4);
                EXPECT_NEAR(got.r, onWhite(c.r), tolerance) << in << " -> " << out << " column " << x;
                EXPECT_NEAR(got.g, onWhite(c.g), tolerance) << in << " -> " << out << " column " << x;
                EXPECT_NEAR(got.b, onWhite(c.b), tolerance) << in << " -> " << out << " column " << x;
            }
        }
}

TEST_F(AlphaTool, InfoSaysWhetherThePictureHasAlpha)
{
    writePicture("opaque.bmp", 4, 4, [](int, int) { return Rgb{10, 20, 30}; });
    convert("opaque.bmp", "opaque.png");
    convert("opaque.bmp", "opaque.vlf");
    EXPECT_TRUE(infoSaysAlpha("a.png"));
    EXPECT_FALSE(infoSaysAlpha("opaque.bmp"));
    EXPECT_FALSE(infoSaysAlpha("opaque.png"));
    EXPECT_FALSE(infoSaysAlpha("opaque.vlf"));
    EXPECT_EQ(Tool("info " + quoted("a.png")).out.find("alpha: yes") != std::string::npos, true);
}

TEST_F(AlphaTool, LayeredIntoLayeredKeepsEveryLayer)
{
    writePicture("base.bmp", kWidth, kHeight, [](int x, int y) { return Rgb{std::uint8_t(x * 15), std::uint8_t(y * 30), 90}; });
    ASSERT_EQ(WriteBmp(file("front.bmp"), colours), WriteResult::Written);
    ASSERT_EQ(WriteBmp(file("mask.bmp"), alpha), WriteResult::Written);
    const auto made = Tool("vlf make " + quoted("two.vlf") + " --size 16x8 " +
                           testing::ShellQuote("image=" + file("front.bmp") + ",mask=" + file("mask.bmp")) + " " +
                           testing::ShellQuote("image=" + file("base.bmp") + ",name=Fundo"));
    ASSERT_EQ(made.exitCode, 0) << made.err;
    convert("two.vlf", "copy.vlf");
    const auto source = ReadLayeredFile(file("two.vlf"));
    const auto copy = ReadLayeredFile(file("copy.vlf"));
    ASSERT_TRUE(source && copy);
    ASSERT_EQ(source->layerCount, 2);
    ASSERT_EQ(copy->layerCount, 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(copy->layers[i].name, source->layers[i].name);
        EXPECT_TRUE(testing::SamePixels(copy->layers[i].image.read(), source->layers[i].image.read())) << "layer " << i;
        EXPECT_TRUE(testing::SamePixels(copy->layers[i].mask.read(), source->layers[i].mask.read())) << "layer " << i;
    }
    // Into a flat format the layers are flattened, the front one's transparent part showing the base.
    convert("two.vlf", "flat.bmp");
    const HDIB flat = ReadBmp(file("flat.bmp")).take();
    ASSERT_TRUE(flat);
    EXPECT_EQ(Pixel24(flat, 0, 2), Pixel24(source->layers[1].image.read(), 0, 2));
}

}  // namespace
}  // namespace lv
