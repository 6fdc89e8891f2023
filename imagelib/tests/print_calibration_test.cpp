#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/print_calibration.h"
#include "pictures.h"

#include <gtest/gtest.h>

#include <cstring>

namespace lv {
namespace {

using namespace testing;

// A curve that is clearly not the identity and maps every value somewhere else.
void Invert(CalibrationCurves& curves, int index)
{
    for (std::size_t i = 0; i < kCurveEntries; ++i)
        curves.curve(index)[i] = std::uint8_t(255 - i);
}

void Offset(CalibrationCurves& curves, int index, int by)
{
    for (std::size_t i = 0; i < kCurveEntries; ++i)
        curves.curve(index)[i] = std::uint8_t(std::min<int>(255, int(i) + by));
}

std::optional<CalibrationCurves> ReadBytes(const std::vector<std::uint8_t>& bytes)
{
    MemorySource source(bytes);
    return ReadCalibrationBlock(source);
}

TEST(CalibrationFile, HeaderIsEighteenPackedLittleEndianBytesFollowedByTheCurves)
{
    CalibrationCurves curves = IdentityCurves();
    Invert(curves, kCurveSpare);
    curves.curve(kCurveGrey)[7] = 99;
    const std::vector<std::uint8_t> bytes = EncodeCalibrationBlock(curves);
    ASSERT_EQ(bytes.size(), 18u + 1280u);
    const std::uint8_t header[18] = {'P', 'C', 'A', 'L', 0x00, 0x01, 5, 0, 8, 0, 0x00, 0x05, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(0, std::memcmp(bytes.data(), header, sizeof header));
    // Curve 0 first, as stored; curve 1 (red) starts at data byte 256, curve 4 (grey) at 1024.
    EXPECT_EQ((std::vector<int>{bytes[18], bytes[18 + 256 + 10], bytes[18 + 1024 + 7]}),
              (std::vector<int>{255, 10, 99}));
}

TEST(CalibrationFile, RoundTripsThroughTheFileAndRefusesForeignOrShortData)
{
    testing::TempDir dir;
    CalibrationCurves curves = IdentityCurves();
    Offset(curves, kCurveRed, 20);
    Invert(curves, kCurveGrey);
    const auto path = dir.path() / "printcal.dat";
    ASSERT_TRUE(WriteCalibrationFile(path, curves));
    EXPECT_EQ(ReadCalibrationFile(path), curves);

    std::vector<std::uint8_t> bytes = EncodeCalibrationBlock(curves);
    EXPECT_EQ(ReadBytes(bytes), curves);
    std::vector<std::uint8_t> foreign = bytes;
    foreign[3] = 'X';
    EXPECT_FALSE(ReadBytes(foreign)) << "a tag other than PCAL is ignored";
    EXPECT_FALSE(ReadBytes({bytes.begin(), bytes.begin() + 17})) << "header cut short";
    EXPECT_FALSE(ReadBytes({bytes.begin(), bytes.end() - 1})) << "curves cut short";
    testing::UiRecorder ui;
    EXPECT_FALSE(ReadCalibrationFile(dir.path() / "missing.dat"));
    EXPECT_TRUE(ui.messages.empty()) << "a missing file is not reported";

    // Header fields other than the tag are not relied on: the curves still read.
    std::vector<std::uint8_t> odd = bytes;
    odd[4] = 7, odd[10] = 0;
    EXPECT_EQ(ReadBytes(odd), curves);
}

TEST(ApplyingCurves, IdentityCurvesMakeNoCopyForAnyKindOfPicture)
{
    testing::UiRecorder ui;
    const CalibrationCurves identity = IdentityCurves();
    for (const HDIB& picture : {MakePicture(4, 4, 24), MakeGreyPicture(4, 4), MakePicture(4, 4, 8, 200),
                                MakePicture(4, 4, 1, 2), HDIB()})
        EXPECT_FALSE(MapThroughCurves(picture, identity)) << picture.bitCount();

    // Curve 0 is not used for printing, and a grey picture ignores the colour curves.
    CalibrationCurves spareOnly = IdentityCurves();
    Invert(spareOnly, kCurveSpare);
    EXPECT_FALSE(MapThroughCurves(MakePicture(4, 4, 24), spareOnly));
    CalibrationCurves colourOnly = IdentityCurves();
    Invert(colourOnly, kCurveRed);
    EXPECT_FALSE(MapThroughCurves(MakeGreyPicture(4, 4), colourOnly));
    EXPECT_TRUE(ui.messages.empty());
}

TEST(ApplyingCurves, ColourPixelsGoBlueThroughCurve3GreenThrough2RedThrough1AndPaddingStaysZero)
{
    testing::UiRecorder ui;
    CalibrationCurves curves = IdentityCurves();
    Offset(curves, kCurveRed, 1);
    Offset(curves, kCurveGreen, 2);
    Offset(curves, kCurveBlue, 3);
    Invert(curves, kCurveGrey);  // must not touch a colour picture
    HDIB picture = MakePicture(3, 2, 24);  // 9 bytes of pixels, 3 of padding per row
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            SetPixel24(picture, x, y, {std::uint8_t(10 * x), std::uint8_t(100 + y), 200});
    const HDIB mapped = MapThroughCurves(picture, curves);
    ASSERT_TRUE(mapped);
    EXPECT_EQ(0, std::memcmp(mapped.data(), picture.data(), kDibHeaderSize));
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(Pixel24(mapped, x, y), (Rgb{std::uint8_t(10 * x + 1), std::uint8_t(102 + y), 203}));
        EXPECT_EQ(mapped.row(y)[9] | mapped.row(y)[10] | mapped.row(y)[11], 0);
    }
    EXPECT_EQ(Pixel24(picture, 0, 0), (Rgb{0, 100, 200})) << "the picture itself is left alone";
    EXPECT_EQ(std::tuple(ui.progress.empty(), ui.busyDepth), std::tuple(false, 0));
}

TEST(ApplyingCurves, GreyPicturesUseCurve4OnlyAndKeepTheirTable)
{
    CalibrationCurves curves = IdentityCurves();
    Invert(curves, kCurveRed);
    Invert(curves, kCurveGreen);
    Invert(curves, kCurveBlue);
    Offset(curves, kCurveGrey, 5);
    HDIB grey = MakeGreyPicture(5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            grey.row(y)[x] = std::uint8_t(50 * y + x);
    const HDIB mapped = MapThroughCurves(grey, curves);
    ASSERT_TRUE(mapped);
    EXPECT_EQ(ColoursOf(mapped), ColoursOf(grey));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(mapped.row(y)[x], 50 * y + x + 5);
}

TEST(ApplyingCurves, PalettePicturesMapTheirTableAndKeepTheirPixels)
{
    CalibrationCurves curves = IdentityCurves();
    Invert(curves, kCurveRed);
    Offset(curves, kCurveGreen, 10);
    Offset(curves, kCurveBlue, 1);
    Invert(curves, kCurveGrey);

    HDIB mono = MakePicture(13, 2, 1, 2);
    mono.colors()[0] = {0, 0, 0, 0};
    mono.colors()[1] = {255, 255, 255, 0};
    mono.row(0)[0] = 0xA5, mono.row(1)[1] = 0x3C;
    const HDIB mappedMono = MapThroughCurves(mono, curves);
    ASSERT_TRUE(mappedMono);
    EXPECT_EQ(std::tuple(ColoursOf(mappedMono), int(mappedMono.colors()[0].rgbReserved)),
              std::tuple(std::vector<Rgb>{{255, 10, 1}, {0, 255, 255}}, 0));
    EXPECT_EQ(0, std::memcmp(mappedMono.pixels(), mono.pixels(), mono.stride() * 2)) << "the same pixels";

    HDIB pal = MakePicture(7, 3, 8, 16);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x)
            pal.row(y)[x] = std::uint8_t((x + y) % 16);
    const HDIB mappedPal = MapThroughCurves(pal, curves);
    ASSERT_TRUE(mappedPal);
    ASSERT_EQ(mappedPal.clrUsed(), 16u);
    for (int i = 0; i < 16; ++i) {
        const RgbQuad in = pal.colors()[i], out = mappedPal.colors()[i];
        EXPECT_EQ(std::tuple(int(out.rgbRed), int(out.rgbGreen), int(out.rgbBlue)),
                  std::tuple(255 - in.rgbRed, std::min(255, in.rgbGreen + 10), std::min(255, in.rgbBlue + 1)));
    }
    EXPECT_EQ(0, std::memcmp(mappedPal.pixels(), pal.pixels(), pal.stride() * 3));
}

}  // namespace
}  // namespace lv
