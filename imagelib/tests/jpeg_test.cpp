#include "common/byte_sink.h"
#include "common/byte_source.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/codecs/jpeg/jpeg.h"
#include "imagelib/codecs/load_save.h"
#include "imagelib/codecs/save_options.h"
#include "pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace lv {
namespace {

using namespace testing;

const std::string kFixtures = "tests/fixtures/jpeg/";

std::vector<std::uint8_t> Encode(const HDIB& picture, int quality)
{
    MemorySink sink;
    EXPECT_EQ(WriteJpeg(sink, picture, quality), WriteResult::Written);
    return sink.take();
}

ReadResult Decode(const std::vector<std::uint8_t>& bytes)
{
    return ReadFromBytes(bytes, [](ByteSource& s) { return ReadJpeg(s); });
}

// Offsets of the JFIF segment's fields in a file the writer made.
constexpr std::size_t kJfifUnit = 13, kJfifXDensity = 14, kJfifYDensity = 16;

TEST(Jpeg, ColourAndGreyRoundTripWithTheirDepthRowOrderAndChannelOrder)
{
    testing::UiRecorder ui;
    // Red at the top left, blue at the bottom left: a flip or a channel swap would show.
    HDIB colour = MakePhotoLike(48, 32);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            SetPixel24(colour, x, 16 + y, {255, 0, 0});
            SetPixel24(colour, x, y, {0, 0, 255});
        }
    const HDIB back = Decode(Encode(colour, 100)).take();
    ASSERT_TRUE(back);
    EXPECT_EQ(std::tuple(DibGetType(back), SizeOf(back)), std::tuple(IMG_RGB24, std::tuple(48, 32)));
    EXPECT_LT(MeanDifference(colour, back), 4.0);
    const Rgb red = Pixel24(back, 8, 24), blue = Pixel24(back, 8, 8);
    EXPECT_TRUE(red.r > 250 && red.g < 5 && red.b < 5 && blue.b > 250 && blue.r < 5 && blue.g < 5);

    HDIB grey = MakeGreyPicture(17, 9);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 17; ++x)
            grey.row(y)[x] = std::uint8_t(y * 28);  // rows differ: a flip would show
    const HDIB greyBack = Decode(Encode(grey, 100)).take();
    ASSERT_EQ(DibGetType(greyBack), IMG_GREY8);
    EXPECT_EQ(greyBack.header().biSizeImage, 20u * 9);
    EXPECT_LT(MeanDifference(grey, greyBack), 1.0);
    EXPECT_TRUE(ui.messages.empty());
}

TEST(Jpeg, QualityChangesTheSizeIsClampedToItsRangeAndTheDispatchTakesTheSavedOne)
{
    HDIB photo = MakePhotoLike(64, 48);
    const auto low = Encode(photo, 10), high = Encode(photo, 95);
    EXPECT_LT(low.size() * 2, high.size());
    EXPECT_EQ(Encode(photo, -5), Encode(photo, 1));
    EXPECT_EQ(Encode(photo, 400), Encode(photo, 100));

    testing::TempDir dir;
    CurrentSaveOptions().jpegQuality = 10;
    ASSERT_EQ(SaveImageFile(photo, dir.file("low.jpg"), true), WriteResult::Written);
    CurrentSaveOptions().jpegQuality = 90;
    ASSERT_EQ(SaveImageFile(photo, dir.file("high.jpg"), true), WriteResult::Written);
    EXPECT_LT(std::filesystem::file_size(dir.file("low.jpg")) * 2, std::filesystem::file_size(dir.file("high.jpg")));
}

TEST(Jpeg, ResolutionIsWrittenInDotsPerInchAndReadBackInPixelsPerMetre)
{
    HDIB picture = MakePhotoLike(8, 8);
    picture.header().biXPelsPerMeter = 11811;
    picture.header().biYPelsPerMeter = 3937;
    const auto bytes = Encode(picture, 90);
    EXPECT_EQ(std::tuple(int(bytes[kJfifUnit]), bytes[kJfifXDensity] << 8 | bytes[kJfifXDensity + 1],
                         bytes[kJfifYDensity] << 8 | bytes[kJfifYDensity + 1]),
              std::tuple(1, 300, 100));
    const HDIB back = Decode(bytes).take();
    EXPECT_EQ(std::tuple(back.header().biXPelsPerMeter, back.header().biYPelsPerMeter), std::tuple(11811, 3937));

    // A 300 dpi file from another encoder writes back as 300.
    const HDIB read = ReadJpeg(kFixtures + "pil_300dpi.jpg").take();
    const auto again = Encode(read, 90);
    EXPECT_EQ(again[kJfifXDensity] << 8 | again[kJfifXDensity + 1], 300);

    picture.header().biXPelsPerMeter = 0;
    EXPECT_EQ(Encode(picture, 90)[kJfifXDensity + 1], 0);
}

TEST(Jpeg, BadDataGivesFailureAndZerosInTheScanAreReadPast)
{
    testing::UiRecorder ui;
    const auto good = Encode(MakePhotoLike(40, 40), 90);
    EXPECT_EQ(std::tuple(Decode({}).code(), Decode({'B', 'M', 0, 0}).code()),
              std::tuple(ReadCode::Failure, ReadCode::Failure));
    std::vector<std::uint8_t> headerOnly(good.begin(), good.begin() + 20);
    EXPECT_EQ(Decode(headerOnly).code(), ReadCode::Failure);

    // Zeros in the middle of the scan data: the decoder carries on past them.
    std::vector<std::uint8_t> corrupt = good;
    const std::uint8_t startOfScan[] = {0xFF, 0xDA};
    const auto scan = std::search(corrupt.begin(), corrupt.end(), startOfScan, startOfScan + 2);
    ASSERT_LT(scan + 100, corrupt.end());
    std::fill(scan + 60, scan + 100, 0);
    const ReadResult r = Decode(corrupt);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.image().width(), 40);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(ReadJpeg("/no/such/file.jpg").code(), ReadCode::Broken);
}

TEST(Jpeg, AHugeFrameWithLittleDataIsRefusedBeforeAllocating)
{
    auto bytes = Encode(MakePhotoLike(16, 16), 90);
    // Rewrite the frame header's size to 20000 x 20000: 1.2 GB of picture from 1 KB of data.
    for (std::size_t i = 2; i + 8 < bytes.size(); ++i) {
        if (bytes[i] == 0xFF && bytes[i + 1] == 0xC0) {
            bytes[i + 5] = bytes[i + 7] = 0x4E;
            bytes[i + 6] = bytes[i + 8] = 0x20;
            break;
        }
    }
    testing::UiRecorder ui;
    EXPECT_EQ(Decode(bytes).code(), ReadCode::Failure);
    EXPECT_TRUE(ui.messages.empty());  // not even an out-of-memory message
}

TEST(Jpeg, TheSourceStandsJustPastTheDataAfterReading)
{
    auto bytes = Encode(MakePhotoLike(30, 20), 90);
    const std::size_t jpegSize = bytes.size();
    bytes.insert(bytes.end(), 100000, 0xAB);  // what a container stores after the block
    MemorySource source(bytes);
    ASSERT_TRUE(ReadJpeg(source).ok());
    EXPECT_EQ(source.position(), jpegSize);
}

}  // namespace
}  // namespace lv
