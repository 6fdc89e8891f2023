#include "app/core/view/view_painter.h"
#include "imagelib/dib_alloc.h"

#include <gtest/gtest.h>

namespace lv {
namespace {

constexpr std::uint32_t kBackground = 0xFF123456;

// A 24-bit document whose pixel at (x, y), y counted from the top, encodes its position.
HDIB positionPicture(int width, int height)
{
    HDIB dib = AllocatePicture(width, height, 24, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = dib.row(height - 1 - y) + 3 * x;
            p[0] = std::uint8_t(x), p[1] = std::uint8_t(y), p[2] = 7;
        }
    return dib;
}

std::uint32_t positionPixel(int x, int y)
{
    return 0xFF070000u | std::uint32_t(y) << 8 | std::uint32_t(x);
}

struct Canvas {
    Canvas(int width, int height)
        : pixels(std::size_t(width * height), 0)
        , buffer{pixels.data(), width, {0, 0, width, height}}
    {
    }
    std::uint32_t at(int x, int y) const { return *buffer.at(x, y); }
    std::vector<std::uint32_t> pixels;
    PixelBuffer buffer;
};

TEST(ViewPainter, EnlargedViewsRepeatPixelsFromTheScrollPhaseAndPaintOnlyTheExposedRectangle)
{
    const HDIB doc = positionPicture(20, 10);
    ImageView view({20, 10}, 2, 4);  // 3x, ruler band 4
    view.setClient({34, 24});
    view.scrollBy(Axis::Horizontal, ScrollAction::ThumbPosition, 4);
    view.scrollBy(Axis::Vertical, ScrollAction::ThumbPosition, 2);
    Canvas canvas(34, 24);
    PaintView(doc, view, {0, 0, 34, 24}, canvas.buffer, {DisplayKind::TrueColour, nullptr, nullptr, kBackground});

    EXPECT_EQ(canvas.at(0, 0), kBackground) << "ruler band";
    EXPECT_EQ(canvas.at(3, 10), kBackground);
    EXPECT_EQ(canvas.at(4, 4), positionPixel(1, 0)) << "scaled column 4 is document column 1";
    EXPECT_EQ(canvas.at(5, 4), positionPixel(1, 0));
    EXPECT_EQ(canvas.at(6, 4), positionPixel(2, 0)) << "the repetition phase follows the scroll offset";
    EXPECT_EQ(canvas.at(4, 5), positionPixel(1, 1));
    EXPECT_EQ(canvas.at(33, 23), positionPixel(11, 7));

    Canvas part(34, 24);
    PaintView(doc, view, {10, 10, 12, 11}, part.buffer, {DisplayKind::TrueColour, nullptr, nullptr, kBackground});
    EXPECT_EQ(part.at(10, 10), canvas.at(10, 10));
    EXPECT_EQ(part.at(11, 10), canvas.at(11, 10));
    EXPECT_EQ(part.at(12, 10), 0u) << "outside the exposed rectangle nothing is touched";
    EXPECT_EQ(part.at(10, 11), 0u);
}

TEST(ViewPainter, ReducedViewsTakeEveryNthPixelCentredInAClientLargerThanThey)
{
    const HDIB doc = positionPicture(30, 30);
    ImageView view({30, 30}, -2);  // 1:3, scaled 10 x 10
    view.setClient({16, 12});      // the document lies 3 columns and 1 row in
    // The buffer covers only part of the client, as a window's backing store for one update.
    std::vector<std::uint32_t> pixels(8 * 12);
    const PixelBuffer buffer{pixels.data(), 8, {8, 0, 16, 12}};
    PaintView(doc, view, {0, 0, 16, 12}, buffer, {DisplayKind::TrueColour, nullptr, nullptr, kBackground});
    EXPECT_EQ(*buffer.at(8, 1), positionPixel(15, 0));
    EXPECT_EQ(*buffer.at(12, 10), positionPixel(27, 27)) << "the last scaled pixel";
    EXPECT_EQ(*buffer.at(13, 3), kBackground) << "beyond the scaled document";
    EXPECT_EQ(*buffer.at(8, 0), kBackground) << "above it";
    EXPECT_EQ(*buffer.at(8, 11), kBackground) << "below it";
    EXPECT_EQ(view.documentPoint(8, 1), (Point{15, 0})) << "the mouse sees what is painted";
    EXPECT_EQ(view.documentPoint(2, 1).x, -3);
}

TEST(ViewPainter, PaletteDisplaysDitherTiedToThePictureAndGreyDocumentsUseTheirTableThroughGamma)
{
    const GammaTables gamma = BuildGammaTables(1400, 1000, 2000);
    const DitherTable dither(gamma);
    HDIB doc = AllocatePicture(16, 16, 24, 0);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            std::uint8_t* p = doc.row(y) + 3 * x;
            p[0] = std::uint8_t(x * 16), p[1] = 100, p[2] = std::uint8_t(y * 16);
        }
    ImageView view({16, 16}, 0);
    view.setClient({8, 8});
    view.scrollBy(Axis::Horizontal, ScrollAction::ThumbPosition, 5);
    view.scrollBy(Axis::Vertical, ScrollAction::ThumbPosition, 3);
    Canvas cube(8, 8), bits(8, 8);
    PaintView(doc, view, {0, 0, 8, 8}, cube.buffer, {DisplayKind::ColourCube, &gamma, &dither, kBackground});
    PaintView(doc, view, {0, 0, 8, 8}, bits.buffer, {DisplayKind::EightColours, &gamma, nullptr, kBackground});
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const std::uint8_t* p = doc.row(15 - (y + 3)) + 3 * (x + 5);
            const RgbTriple c{p[2], p[1], p[0]};
            EXPECT_EQ(cube.at(x, y), ToPixel(ColourCubeEntry(dither.cubeIndex(c, x + 5, y + 3))));
            EXPECT_EQ(bits.at(x, y), ToPixel(EightColourEntry(OneBitIndex(gamma, c, x + 5, y + 3))));
        }

    HDIB grey = AllocatePicture(2, 1, 8, 256);
    for (int i = 0; i < 256; ++i)
        grey.colors()[i] = {std::uint8_t(i), std::uint8_t(i), std::uint8_t(i), 0};
    grey.row(0)[0] = 10, grey.row(0)[1] = 200;
    ImageView greyView({2, 1}, 0);
    greyView.setClient({2, 1});
    Canvas onCube(2, 1), onTrue(2, 1);
    PaintView(grey, greyView, {0, 0, 2, 1}, onCube.buffer, {DisplayKind::ColourCube, &gamma, &dither, kBackground});
    PaintView(grey, greyView, {0, 0, 2, 1}, onTrue.buffer, {DisplayKind::TrueColour, nullptr, nullptr, kBackground});
    EXPECT_EQ(onCube.at(1, 0), ToPixel({gamma.red[200], gamma.green[200], gamma.blue[200]}));
    EXPECT_EQ(onTrue.at(1, 0), ToPixel({200, 200, 200}));

    EXPECT_EQ(DisplayKindFor(9), DisplayKind::TrueColour);
    EXPECT_EQ(DisplayKindFor(8), DisplayKind::ColourCube);
    EXPECT_EQ(DisplayKindFor(7), DisplayKind::EightColours);
}

}  // namespace
}  // namespace lv
