// Device frames into picture rows: luma-chroma arithmetic, line order, padding, the codings'
// byte orders, motion-JPEG through the JPEG reader and frames that don't fit their layout.

#include "acquire/video/frame_conversion.h"
#include "common/byte_sink.h"
#include "common/byte_source.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/dib.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/codecs/jpeg/jpeg.h"

#include <gtest/gtest.h>

#include <vector>

namespace lv::video {
namespace {

std::vector<std::uint8_t> Rows(int width, int height, std::uint8_t fill = 0xEE)
{
    return std::vector<std::uint8_t>(std::size_t(DibStride(std::uint64_t(width), 24)) * std::size_t(height), fill);
}

std::vector<int> Pixel(const std::vector<std::uint8_t>& rows, int width, int row, int x)
{
    const std::size_t at = std::size_t(row) * std::size_t(DibStride(std::uint64_t(width), 24)) + 3 * std::size_t(x);
    return {rows[at], rows[at + 1], rows[at + 2]};
}

TEST(LumaChroma, StudioRangeColoursComeOutExactly)
{
    const struct {
        int y, u, v;
        int blue, green, red;
    } cases[] = {
        {16, 128, 128, 0, 0, 0},        // black
        {235, 128, 128, 255, 255, 255}, // white
        {126, 128, 128, 128, 128, 128}, // middle grey: (298 × 110 + 128) >> 8
        {81, 90, 240, 0, 0, 255},       // red
        {41, 240, 110, 255, 0, 0},      // blue
        {145, 54, 34, 1, 255, 0},       // green
        {0, 0, 0, 0, 135, 0},           // below the range: clamped, not wrapped
        {255, 255, 255, 255, 125, 255}, // above it
    };
    for (const auto& c : cases) {
        const Bgr out = YuvToBgr(c.y, c.u, c.v);
        EXPECT_EQ((std::vector<int>{out.blue, out.green, out.red}), (std::vector<int>{c.blue, c.green, c.red}))
            << c.y << "," << c.u << "," << c.v;
    }
}

TEST(LumaChroma, TopLineLandsInTheLastRowAndPairsShareTheirChroma)
{
    // 4 × 2, lines padded to 12 bytes; top line black then white, bottom line red, red.
    const std::vector<std::uint8_t> yuyv = {
        16, 128, 235, 128, 16, 128, 235, 128, 9, 9, 9, 9,
        81, 90, 81, 240, 81, 90, 81, 240, 9, 9, 9, 9,
    };
    auto rows = Rows(4, 2);
    ASSERT_TRUE(ConvertFrame({PixelCoding::Yuyv, 4, 2, 12}, yuyv, rows));
    for (const auto& [row, x, bgr] : {std::tuple{1, 0, std::vector<int>{0, 0, 0}}, {1, 1, {255, 255, 255}},
                                      {1, 3, {255, 255, 255}}, {0, 0, {0, 0, 255}}, {0, 3, {0, 0, 255}}})
        EXPECT_EQ(Pixel(rows, 4, row, x), bgr) << row << "," << x;

    // The same picture with chroma first gives the same rows.
    std::vector<std::uint8_t> uyvy = yuyv;
    for (std::size_t i = 0; i + 1 < uyvy.size(); i += 2)
        std::swap(uyvy[i], uyvy[i + 1]);
    auto again = Rows(4, 2);
    ASSERT_TRUE(ConvertFrame({PixelCoding::Uyvy, 4, 2, 12}, uyvy, again));
    EXPECT_EQ(again, rows);
}

TEST(LumaChroma, AnOddWidthUsesHalfOfTheLastPair)
{
    // 3 × 1: two groups; the last pixel is the first of the second group.
    const std::vector<std::uint8_t> frame = {235, 128, 16, 128, 126, 128, 200, 128};
    auto rows = Rows(3, 1, 0xEE);
    ASSERT_TRUE(ConvertFrame({PixelCoding::Yuyv, 3, 1, 0}, frame, rows));
    EXPECT_EQ(Pixel(rows, 3, 0, 0), (std::vector<int>{255, 255, 255}));
    EXPECT_EQ(Pixel(rows, 3, 0, 1), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(Pixel(rows, 3, 0, 2), (std::vector<int>{128, 128, 128}));
    EXPECT_EQ(rows[9], 0xEE) << "the row's padding is not written";
    EXPECT_EQ(TightBytesPerLine(PixelCoding::Yuyv, 3), 8u);
}

TEST(Colour, RedGreenBlueIsReorderedAndFlipped)
{
    const std::vector<std::uint8_t> rgb = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};  // 2 × 2
    auto rows = Rows(2, 2);
    ASSERT_TRUE(ConvertFrame({PixelCoding::Rgb24, 2, 2, 0}, rgb, rows));
    // Row 0 (bottom) is the device's second line.
    EXPECT_EQ(Pixel(rows, 2, 0, 0), (std::vector<int>{9, 8, 7}));
    EXPECT_EQ(Pixel(rows, 2, 0, 1), (std::vector<int>{12, 11, 10}));
    EXPECT_EQ(Pixel(rows, 2, 1, 0), (std::vector<int>{3, 2, 1}));
    auto same = Rows(2, 2);
    ASSERT_TRUE(ConvertFrame({PixelCoding::Bgr24, 2, 2, 0}, rgb, same));
    EXPECT_EQ(Pixel(same, 2, 1, 1), (std::vector<int>{4, 5, 6}));
    EXPECT_EQ(Pixel(same, 2, 0, 0), (std::vector<int>{7, 8, 9}));
}

TEST(Layouts, FramesThatDontFillTheirLayoutAreRefused)
{
    // 4 × 3 YUYV with 10-byte lines: the last line needs only its 8 bytes.
    const DeviceLayout layout{PixelCoding::Yuyv, 4, 3, 10};
    auto rows = Rows(4, 3);
    EXPECT_TRUE(ConvertFrame(layout, std::vector<std::uint8_t>(28, 128), rows));
    EXPECT_FALSE(ConvertFrame(layout, std::vector<std::uint8_t>(27, 128), rows));
    EXPECT_FALSE(ConvertFrame({PixelCoding::Yuyv, 4, 3, 6}, std::vector<std::uint8_t>(100, 128), rows))
        << "lines shorter than their pixels";
    EXPECT_FALSE(ConvertFrame({PixelCoding::Rgb24, 0, 3, 0}, std::vector<std::uint8_t>(100), rows));
    EXPECT_FALSE(ConvertFrame({PixelCoding::Rgb24, 4, -1, 0}, std::vector<std::uint8_t>(100), rows));
    EXPECT_FALSE(ConvertFrame({PixelCoding::Rgb24, 70000, 1, 0}, std::vector<std::uint8_t>(300000), rows));
    auto small = Rows(4, 2);
    EXPECT_FALSE(ConvertFrame(layout, std::vector<std::uint8_t>(30, 128), small)) << "rows for fewer lines";
    EXPECT_FALSE(ConvertFrame({PixelCoding::Bgr24, 4, 3, 0}, {}, rows));
}

class MotionJpeg : public ::testing::Test {
protected:
    // A 16 × 8 picture of four colour blocks, as a camera's JPEG frame.
    std::vector<std::uint8_t> frame(int width = 16, int height = 8)
    {
        HDIB picture = AllocatePicture(width, height, 24, 0);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                std::uint8_t* p = picture.row(y) + 3 * x;
                p[0] = x < width / 2 ? 200 : 20;
                p[1] = y < height / 2 ? 180 : 40;
                p[2] = 90;
            }
        MemorySink sink;
        EXPECT_EQ(WriteJpeg(sink, picture, 95), WriteResult::Written);
        return sink.take();
    }

    // Removes the Huffman table segments, as many cameras send their frames.
    static std::vector<std::uint8_t> withoutTables(const std::vector<std::uint8_t>& jpeg)
    {
        std::vector<std::uint8_t> out(jpeg.begin(), jpeg.begin() + 2);
        std::size_t at = 2;
        while (at + 4 <= jpeg.size() && jpeg[at] == 0xFF && jpeg[at + 1] != 0xDA) {
            const std::size_t length = std::size_t(jpeg[at + 2]) << 8 | jpeg[at + 3];
            if (jpeg[at + 1] != 0xC4)
                out.insert(out.end(), jpeg.begin() + std::ptrdiff_t(at), jpeg.begin() + std::ptrdiff_t(at + 2 + length));
            at += 2 + length;
        }
        out.insert(out.end(), jpeg.begin() + std::ptrdiff_t(at), jpeg.end());
        return out;
    }

    testing::UiRecorder ui;
};

TEST_F(MotionJpeg, FramesDecodeLikeTheReaderWithOrWithoutHuffmanTables)
{
    const auto jpeg = frame();
    MemorySource source(jpeg);
    ReadResult read = ReadJpeg(source);
    ASSERT_TRUE(read.ok());
    auto rows = Rows(16, 8);
    ASSERT_TRUE(ConvertFrame({PixelCoding::Mjpeg, 16, 8, 0}, jpeg, rows));
    EXPECT_TRUE(std::equal(rows.begin(), rows.end(), read.image().pixels()));

    const auto bare = withoutTables(jpeg);
    ASSERT_LT(bare.size(), jpeg.size()) << "the writer's frame had tables to remove";
    auto bareRows = Rows(16, 8);
    ASSERT_TRUE(ConvertFrame({PixelCoding::Mjpeg, 16, 8, 0}, bare, bareRows));
    EXPECT_EQ(bareRows, rows);
}

TEST_F(MotionJpeg, BrokenOrMisfittingFramesAreRefused)
{
    const auto jpeg = frame();
    auto rows = Rows(16, 8);
    EXPECT_FALSE(ConvertFrame({PixelCoding::Mjpeg, 8, 8, 0}, jpeg, rows)) << "another size than the format";
    EXPECT_FALSE(ConvertFrame({PixelCoding::Mjpeg, 16, 8, 0}, std::vector<std::uint8_t>(64, 0x55), rows));
    EXPECT_FALSE(ConvertFrame({PixelCoding::Mjpeg, 16, 8, 0}, {}, rows));
    // A frame cut off mid-stream may decode partly, but never past its rows.
    const std::vector<std::uint8_t> cut(jpeg.begin(), jpeg.begin() + std::ptrdiff_t(jpeg.size() / 2));
    ConvertFrame({PixelCoding::Mjpeg, 16, 8, 0}, cut, rows);
}

}  // namespace
}  // namespace lv::video
