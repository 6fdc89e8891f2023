#include "common/testing/ui_recorder.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/dib_geometry.h"
#include "imagelib/drawing_surface.h"
#include "pictures.h"

#include <gtest/gtest.h>

#include <cstring>

namespace lv {
namespace {

using namespace testing;

// Pixel value of a 1-, 4- or 8-bit picture by memory row.
unsigned Index(const HDIB& dib, int x, int y)
{
    return PackedPixel(dib.row(y), x, dib.bitCount());
}

// Sets a pixel not set before.
void SetIndex(HDIB& dib, int x, int y, unsigned value)
{
    AddPackedPixel(dib.row(y), x, dib.bitCount(), value);
}

bool PaddingIsZero(const HDIB& dib)
{
    const std::size_t used = (std::size_t(dib.width()) * std::size_t(dib.bitCount()) + 7) / 8;
    for (int y = 0; y < dib.height(); ++y) {
        for (std::size_t i = used; i < dib.stride(); ++i)
            if (dib.row(y)[i])
                return false;
        const int spareBits = int(used * 8) - dib.width() * dib.bitCount();
        if (spareBits && (dib.row(y)[used - 1] & ((1u << spareBits) - 1)))
            return false;
    }
    return true;
}

TEST(DibCreate, FillsWithOneColourAtTwoHundredDpi)
{
    const HDIB colour = DibCreate(5, 3, 0x00332211, false);  // red 0x11, green 0x22, blue 0x33
    ASSERT_TRUE(colour);
    const BitmapInfoHeader& header = colour.header();
    // Exactly sized.
    EXPECT_EQ(std::tuple(colour.bitCount(), colour.size(), Pixel24(colour, 4, 2), header.biXPelsPerMeter,
                         header.biYPelsPerMeter, header.biSizeImage),
              std::tuple(24, std::size_t(40 + 16 * 3), Rgb{0x11, 0x22, 0x33}, 7874, 7874, 48u));
    EXPECT_TRUE(PaddingIsZero(colour));

    const HDIB grey = DibCreate(3, 2, 0x00FFFF80, true);
    ASSERT_TRUE(grey);
    EXPECT_EQ(std::tuple(DibGetType(grey), int(grey.row(1)[2])), std::tuple(IMG_GREY8, 0x80));
    EXPECT_TRUE(PaddingIsZero(grey));

    testing::UiRecorder ui;
    EXPECT_FALSE(DibCreate(0, 5, 0, false) || DibCreate(70000, 70000, 0, false));
    EXPECT_TRUE(ui.messages.empty());
}

TEST(DibCrop, SubBytePixelsAreRepackedFromTheLeftColumn)
{
    for (const unsigned bits : {1u, 4u}) {
        SCOPED_TRACE(bits);
        HDIB picture = MakePicture(11, 4, bits, 1u << bits);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 11; ++x)
                SetIndex(picture, x, y, unsigned(x * 3 + y) % (1u << bits));
        const HDIB part = DibCrop(picture, {3, 1, 10, 3});
        ASSERT_TRUE(part);
        EXPECT_EQ(std::tuple(part.width(), part.height(), part.clrUsed()), std::tuple(7, 2, 1u << bits));
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 7; ++x)
                EXPECT_EQ(Index(part, x, y), Index(picture, x + 3, y + 1));
        EXPECT_TRUE(PaddingIsZero(part));
    }
}

TEST(DibCrop, RectanglesOutsideAreRefusedWithTheMessageForTheCaller)
{
    testing::UiRecorder ui;
    const HDIB picture = MakePhotoLike(10, 8);
    FileFailure failure;
    EXPECT_FALSE(DibCrop(picture, {5, 5, 5, 9}, &failure));  // empty: refused silently
    EXPECT_FALSE(failure);
    for (const Rect outside : {Rect{5, 0, 11, 8}, Rect{0, 1, 10, 9}, Rect{-1, 0, 4, 4}}) {
        failure = {};
        EXPECT_FALSE(DibCrop(picture, outside, &failure));
        EXPECT_EQ(failure,
                  (FileFailure{FileProblem::OutsidePicture, {}, {{"Crop Image outside", NoticeTitle::Warning}}}));
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST(DibCropPicture, CountsRowsFromTheTopAndKeepsThePartInside)
{
    testing::UiRecorder ui;
    HDIB picture = MakePhotoLike(10, 8);
    // Picture row 0 is memory row 7: the top two picture rows are memory rows 6 and 7.
    const HDIB top = DibCropPicture(picture, {2, 0, 5, 2});
    ASSERT_TRUE(top);
    EXPECT_EQ(PixelsAt(top, {{0, 1}, {2, 0}}), PixelsAt(picture, {{2, 7}, {4, 6}}));
    EXPECT_FALSE(DibCropPicture(picture, {20, 20, 30, 30}));
    EXPECT_TRUE(ui.messages.empty());
}

TEST(DibPaste, PlacesTheSourceByPictureCoordinatesAndRefusesOverhangs)
{
    testing::UiRecorder ui;
    HDIB target = DibCreate(10, 6, 0, false);
    HDIB source = DibCreate(3, 2, 0x0000FF, false);
    SetPixel24(source, 0, 1, {0, 255, 0});  // the source's top-left pixel
    ASSERT_TRUE(DibPaste(target, source, 7, 1));  // exactly against the right edge
    // Picture row 1 is memory row 4.
    EXPECT_EQ(PixelsAt(target, {{7, 4}, {9, 3}, {6, 4}}), (std::vector<Rgb>{{0, 255, 0}, {255, 0, 0}, {0, 0, 0}}));
    EXPECT_TRUE(PaddingIsZero(target));

    const HDIB before = DibDuplicate(target);
    for (const auto& [x, y] : {std::pair{8, 1}, std::pair{0, 5}, std::pair{-1, 0}}) {  // one pixel too far
        FileFailure failure;
        EXPECT_FALSE(DibPaste(target, source, x, y, &failure));
        EXPECT_EQ(failure,
                  (FileFailure{FileProblem::OutsidePicture, {}, {{"Combine Image outside", NoticeTitle::Warning}}}));
    }
    EXPECT_EQ(std::memcmp(before.data(), target.data(), target.size()), 0);

    // Depths must match and be 8 or 24 bits; those refusals are silent.
    FileFailure silent;
    HDIB grey = MakeGreyPicture(4, 4);
    EXPECT_FALSE(DibPaste(grey, source, 0, 0, &silent));
    HDIB four = MakePicture(4, 4, 4, 16);
    EXPECT_FALSE(DibPaste(four, MakePicture(2, 2, 4, 16), 0, 0, &silent));
    EXPECT_FALSE(silent);
    EXPECT_TRUE(ui.messages.empty());
    HDIB small = MakeGreyPicture(2, 2);
    small.row(0)[0] = 99;
    ASSERT_TRUE(DibPaste(grey, small, 2, 2));
    EXPECT_EQ(grey.row(0)[2], 99);
}

// Rows blend in eighths, in memory order; grey pictures stay grey.
TEST(DibResize, GreyPicturesBlendInEighthsAndStayGrey)
{
    HDIB grey = MakeGreyPicture(1, 2);
    grey.row(1)[0] = 255;
    const HDIB tall = DibResize(grey, 1, 3);
    ASSERT_EQ(DibGetType(tall), IMG_GREY8);
    EXPECT_EQ((std::vector<int>{tall.row(0)[0], tall.row(1)[0], tall.row(2)[0]}), (std::vector<int>{0, 159, 255}));
}

TEST(DibResize, APhotoKeepsItsPinnedPixelsAndItsOwnSizeGivesItBack)
{
    // Pinned when a four-term sum in eighths gave the same pixels; the eighths themselves are
    // worked out by hand in the grey case above.
    const HDIB photo = MakePhotoLike(57, 41);
    const struct {
        int width, height;
        std::uint64_t pixels;
    } pinned[] = {{20, 13, 4417776593128733500ull}, {100, 90, 10864251352859635994ull}};
    for (const auto& size : pinned) {
        const HDIB out = DibResize(photo, size.width, size.height);
        ASSERT_TRUE(out);
        EXPECT_EQ(Fnv1a({out.pixels(), out.stride() * std::size_t(out.height())}), size.pixels) << size.width;
        EXPECT_TRUE(PaddingIsZero(out));
    }
    EXPECT_TRUE(SamePixels(DibResize(photo, 57, 41), photo));
}

TEST(DibResize, PalettePicturesTakeTheNearestSample)
{
    for (const unsigned bits : {1u, 4u, 8u}) {
        SCOPED_TRACE(bits);
        HDIB picture = MakePicture(5, 3, bits, 1u << bits);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x)
                SetIndex(picture, x, y, unsigned(x + 2 * y) % (1u << bits));
        const HDIB out = DibResize(picture, 12, 2);
        ASSERT_TRUE(out);
        EXPECT_EQ(out.bitCount(), int(bits));
        EXPECT_EQ(std::memcmp(out.colors(), picture.colors(), 4 * picture.clrUsed()), 0);
        // Columns: round(x * 5 / 12) capped at 4; rows: round(y * 1.5).
        const int columns[12] = {0, 0, 1, 1, 2, 2, 3, 3, 3, 4, 4, 4};
        const int rows[2] = {0, 2};
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 12; ++x)
                EXPECT_EQ(Index(out, x, y), Index(picture, columns[x], rows[y]));
        EXPECT_TRUE(PaddingIsZero(out));
    }
}

TEST(DibResize, KeepsTheHorizontalResolutionAndRefusesNonsense)
{
    HDIB picture = MakePhotoLike(8, 8);
    picture.header().biXPelsPerMeter = 3000;
    picture.header().biYPelsPerMeter = 5000;
    const HDIB out = DibResize(picture, 4, 4);
    const BitmapInfoHeader& header = out.header();
    EXPECT_EQ(std::tuple(header.biXPelsPerMeter, header.biYPelsPerMeter, header.biSizeImage),
              std::tuple(3000, 3000, 48u));
    EXPECT_FALSE(DibResize(picture, 0, 4) || DibResize(HDIB(), 4, 4));

    testing::UiRecorder ui;
    testing::CancellationOn on;
    ui.escapeAfterPolls = 3;
    EXPECT_FALSE(DibResize(picture, 40, 40));
    ASSERT_FALSE(ui.progress.empty());
    EXPECT_EQ(ui.progress[0].first, "Processando");
}

TEST(DibScaledCopy, SamplesByIntegerDivisionAndWidensPalettes)
{
    HDIB photo = MakePhotoLike(7, 5);
    const HDIB small = DibScaledCopy(photo, 3, 2, false);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(Pixel24(small, x, y), Pixel24(photo, x * 7 / 3, y * 5 / 2));

    HDIB palette = MakePicture(4, 2, 4, 16);
    SetIndex(palette, 3, 1, 9);
    const HDIB wide = DibScaledCopy(palette, 8, 4, false);
    ASSERT_EQ(DibGetType(wide), IMG_RGB24);
    const RgbQuad entry = palette.colors()[9];
    EXPECT_EQ(Pixel24(wide, 7, 3), (Rgb{entry.rgbRed, entry.rgbGreen, entry.rgbBlue}));

    HDIB grey = MakeGreyPicture(4, 4);
    grey.row(2)[2] = 77;
    const HDIB greyThumb = DibScaledCopy(grey, 2, 2, true);
    ASSERT_EQ(DibGetType(greyThumb), IMG_GREY8);
    EXPECT_EQ(greyThumb.row(1)[1], 77);
}

struct RecordingSurface final : DrawingSurface {
    bool drawPicture(const HDIB& picture, int x, int y) override
    {
        calls.push_back({x, y, picture.width(), picture.height()});
        return true;
    }
    struct Call {
        int x, y, width, height;
        bool operator==(const Call&) const = default;
    };
    std::vector<Call> calls;
};

TEST(DibDrawFitted, CentresAScaledCopyOrDrawsThePictureItself)
{
    RecordingSurface surface;
    Rect drawn;
    const HDIB same = MakePhotoLike(40, 30);
    ASSERT_TRUE(DibDrawFitted(surface, same, {10, 20, 50, 50}, &drawn));
    EXPECT_EQ(drawn, (Rect{10, 20, 50, 50}));
    ASSERT_TRUE(DibDrawFitted(surface, MakePhotoLike(400, 300), {0, 0, 100, 100}, &drawn));
    EXPECT_EQ(drawn, (Rect{0, 12, 100, 87}));
    // Smaller pictures are scaled up to fill the box; a fitted copy one pixel narrower than the box is not moved.
    ASSERT_TRUE(DibDrawFitted(surface, MakePhotoLike(20, 10), {0, 0, 21, 11}));
    ASSERT_TRUE(DibDrawFitted(surface, MakePhotoLike(10, 20), {5, 5, 16, 25}));
    EXPECT_FALSE(DibDrawFitted(surface, HDIB(), {0, 0, 10, 10}));
    EXPECT_FALSE(DibDrawFitted(surface, same, {0, 0, 0, 0}));
    ASSERT_TRUE(DibDraw(surface, same, -3, 4));
    EXPECT_EQ(surface.calls, (std::vector<RecordingSurface::Call>{
                                 {10, 20, 40, 30}, {0, 12, 100, 75}, {0, 0, 21, 11}, {5, 5, 10, 20}, {-3, 4, 40, 30}}));
}

}  // namespace
}  // namespace lv
