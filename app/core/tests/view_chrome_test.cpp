// The pure parts of an image window: the view's scrolling and mapping, the zoom levels, ruler
// ticks, scroll thumbs, the frame around a picture, and the view painted pixel for pixel.

#include "app/core/view/image_view.h"
#include "app/core/view/rulers.h"
#include "app/core/view/scroll_thumb.h"
#include "app/core/view/window_placement.h"
#include "app/core/view/zoom.h"
#include "app/core/view/view_painter.h"
#include "imagelib/dib_alloc.h"

#include <gtest/gtest.h>

namespace lv {
namespace {

std::vector<int> labelled(const std::vector<RulerTick>& ticks)
{
    std::vector<int> values;
    for (const RulerTick& t : ticks)
        if (t.labelled)
            values.push_back(t.value);
    return values;
}

TEST(Rulers, NumbersKeepApartAtEveryZoomAndFollowTheScroll)
{
    EXPECT_EQ(RulerStep(0, 50), 50);
    EXPECT_EQ(RulerStep(-2, 50), 200) << "1:3: 200 pixels are 66 on screen";
    EXPECT_EQ(RulerStep(15, 50), 5) << "16x: 5 pixels are 80 on screen";
    EXPECT_EQ(RulerStep(-15, 50), 1000);
    EXPECT_EQ(RulerStep(0, 1), 1);

    // 100 %, document pixel 0 at client pixel 19 (the band), scrolled by 37.
    const auto ticks = RulerTicks(0, 19 - 37, 300, 19, 219);
    ASSERT_FALSE(ticks.empty());
    EXPECT_EQ(labelled(ticks), (std::vector<int>{50, 100, 150, 200}));
    EXPECT_EQ(ticks.front().value, 40) << "a minor tick every 5 pixels, the first inside the ruler (35 lies left of it)";
    EXPECT_EQ(ticks.front().position, 22);
    for (const RulerTick& t : ticks) {
        EXPECT_GE(t.position, 19);
        EXPECT_LT(t.position, 219);
        EXPECT_EQ(t.position, 19 - 37 + t.value);
    }

    // 3x: numbered ticks 20 pixels apart in the document, 60 on screen; none past the end.
    const auto enlarged = RulerTicks(2, 0, 50, 0, 1000);
    EXPECT_EQ(labelled(enlarged), (std::vector<int>{0, 20, 40}));
    EXPECT_EQ(enlarged.back().value, 50) << "the document's right edge";
    EXPECT_EQ(enlarged.back().position, 150);

    EXPECT_TRUE(RulerTicks(0, 500, 100, 0, 400).empty()) << "the document starts past the ruler";
}

TEST(ScrollThumb, TheThumbShowsThePageAndADraggedThumbGivesItsPositionBack)
{
    EXPECT_EQ(PlaceThumb(200, 0, 0, 100), (ThumbPlace{0, 200})) << "nothing to scroll: the whole track";
    EXPECT_EQ(PlaceThumb(200, 300, 0, 100), (ThumbPlace{0, 50})) << "a quarter of the range in view";
    EXPECT_EQ(PlaceThumb(200, 300, 300, 100), (ThumbPlace{150, 50}));
    EXPECT_EQ(PlaceThumb(200, 30000, 0, 100).length, kSmallestThumb);
    EXPECT_EQ(PlaceThumb(10, 30000, 0, 100).length, 10) << "never longer than the track";
    EXPECT_EQ(PlaceThumb(200, 300, 999, 100).offset, 150) << "positions beyond the range are clamped";

    for (const int maximum : {300, 1000, 29999})
        for (int offset = 0; offset <= 200 - PlaceThumb(200, maximum, 0, 100).length; ++offset) {
            const int position = PositionForThumb(200, maximum, 100, offset);
            ASSERT_EQ(PlaceThumb(200, maximum, position, 100).offset, offset) << maximum << " at " << offset;
        }
    EXPECT_EQ(PositionForThumb(200, 300, 100, -40), 0);
    EXPECT_EQ(PositionForThumb(200, 300, 100, 500), 300);
    EXPECT_EQ(PositionForThumb(200, 0, 100, 50), 0);
}

TEST(WindowPlacement, TheChromeIsAddedToThePictureAndTakenFromTheRoomToFitIn)
{
    const Rect half{0, 0, 392, 592};
    const FrameChrome caption{20, 0, 160};
    const InitialWindow fitted = PlaceNewWindow({800, 600}, half, true, caption);
    EXPECT_EQ(fitted.zoom, -2);
    EXPECT_EQ(fitted.frame, (Rect{63, 186, 63 + 266, 186 + 220}));

    // Exactly as tall as the room below the caption still halves, as the design's fit does.
    EXPECT_EQ(PlaceNewWindow({300, 572}, half, true, caption).zoom, -1);
    const FrameChrome rulers{20 + 17, 17, 160};
    EXPECT_EQ(PlaceNewWindow({300, 555}, half, true, rulers).zoom, -1) << "the rulers take their band too";
    EXPECT_EQ(PlaceNewWindow({300, 554}, half, true, rulers).zoom, 0);
    EXPECT_EQ(FrameFor(half, {300, 554}, rulers), (Rect{37, 0, 37 + 317, 591}));
    EXPECT_EQ(FrameFor(half, {30, 10}, caption), (Rect{116, 281, 116 + 160, 281 + 30})) << "room for the caption";
    EXPECT_EQ(FrameFor({0, 0, 100, 100}, {30, 10}, caption).right, 100) << "never wider than the area";
}

TEST(ImageView, ASmallDocumentIsCentredInThePictureArea)
{
    ImageView view({100, 50}, 0, 10);
    view.setClient({310, 160});  // picture area 300 x 150
    EXPECT_EQ(view.inset(Axis::Horizontal), 100);
    EXPECT_EQ(view.inset(Axis::Vertical), 50);
    EXPECT_EQ(view.origin(Axis::Horizontal), 110);
    EXPECT_EQ(view.documentPoint(110, 60), (Point{0, 0}));
    EXPECT_EQ(view.documentPoint(209, 109), (Point{99, 49}));
    view.setZoom(3);  // 400 x 200: larger than the area, scrolled instead
    EXPECT_EQ(view.inset(Axis::Horizontal), 0);
    EXPECT_EQ(view.scroll(Axis::Horizontal).maximum, 100);
}

TEST(ImageView, RangesAreTheScaledDocumentLessThePictureAreaAndPositionsScaleWithThem)
{
    ImageView view({1000, 800}, 0);
    view.setClient({400, 300});
    EXPECT_EQ(view.scroll(Axis::Horizontal).maximum, 600);
    EXPECT_EQ(view.scroll(Axis::Vertical).maximum, 500);
    view.scrollBy(Axis::Horizontal, ScrollAction::ThumbPosition, 300);
    view.setClient({700, 300});  // range 300: position in proportion
    EXPECT_EQ(view.scroll(Axis::Horizontal).position, 150);
    view.setRulerBand(19);  // the band is taken from the picture area
    EXPECT_EQ(view.scroll(Axis::Horizontal).maximum, 319);
    EXPECT_EQ(view.scroll(Axis::Horizontal).position, 159);
    view.setClient({1100, 900});
    EXPECT_FALSE(view.scrollable(Axis::Horizontal));
    EXPECT_EQ(view.scroll(Axis::Horizontal).position, 0);
}

TEST(ImageView, ScrollMessagesMoveByLinesPagesAndThumbWithinTheRange)
{
    ImageView view({1000, 800}, 0, 20);
    view.setClient({420, 320});  // picture area 400 x 300
    EXPECT_TRUE(view.scrollBy(Axis::Vertical, ScrollAction::LineDown));
    EXPECT_EQ(view.scroll(Axis::Vertical).position, 30);
    view.scrollBy(Axis::Vertical, ScrollAction::PageDown);
    EXPECT_EQ(view.scroll(Axis::Vertical).position, 330);
    view.scrollBy(Axis::Vertical, ScrollAction::PageDown);
    EXPECT_EQ(view.scroll(Axis::Vertical).position, 500) << "clamped to the range";
    EXPECT_FALSE(view.scrollBy(Axis::Vertical, ScrollAction::LineDown));
    EXPECT_FALSE(view.scrollBy(Axis::Vertical, ScrollAction::ThumbTrack, 10)) << "other codes move nothing";
    EXPECT_FALSE(view.scrollBy(Axis::Vertical, ScrollAction::Top));
    view.scrollBy(Axis::Horizontal, ScrollAction::ThumbPosition, -5);
    EXPECT_EQ(view.scroll(Axis::Horizontal).position, 0);
    view.scrollBy(Axis::Horizontal, ScrollAction::LineUp);
    EXPECT_EQ(view.scroll(Axis::Horizontal).position, 0);

    ImageView tiny({5, 5}, 0);
    tiny.setClient({3, 3});
    tiny.scrollBy(Axis::Horizontal, ScrollAction::LineDown);
    EXPECT_EQ(tiny.scroll(Axis::Horizontal).position, 1) << "a line is at least one pixel";
}

TEST(ImageView, ZoomingKeepsThePointUnderTheCentre)
{
    ImageView view({1000, 1000}, 0);
    view.setClient({200, 200});
    view.scrollBy(Axis::Horizontal, ScrollAction::ThumbPosition, 400);  // centre column 500
    view.scrollBy(Axis::Vertical, ScrollAction::ThumbPosition, 100);    // centre row 200
    view.zoomAbout(1, {200, 200});
    EXPECT_EQ(view.scroll(Axis::Horizontal).position, 900);
    EXPECT_EQ(view.scroll(Axis::Vertical).position, 300);
    EXPECT_EQ(view.documentPoint(100, 100), (Point{500, 200}));
    view.zoomAbout(-1, {200, 200});
    EXPECT_EQ(view.scroll(Axis::Horizontal).position, 150);
    EXPECT_EQ(view.scroll(Axis::Vertical).position, 0) << "never below 0";
    EXPECT_EQ(view.scroll(Axis::Vertical).maximum, 300);
}

TEST(ImageView, ClientPointsMapToDocumentPointsPastTheBandAndScroll)
{
    ImageView view({100, 100}, 3, 10);
    view.setClient({110, 110});
    view.scrollBy(Axis::Horizontal, ScrollAction::ThumbPosition, 8);
    EXPECT_EQ(view.documentPoint(10, 10), (Point{2, 0}));
    EXPECT_EQ(view.documentPoint(9, 5), (Point{1, -2}));
    ImageView reduced({100, 100}, -2);
    reduced.setClient({10, 10});
    EXPECT_EQ(reduced.documentPoint(5, 7), (Point{15, 21}));
}

TEST(ImageView, KeysScrollPagesAlwaysArrowsOnlyWhereScrollableAndModifiedArrowsGoToTheTool)
{
    ImageView view({1000, 100}, 0);
    view.setClient({200, 200});
    auto classify = [&](ViewKey key, bool ctrl = false, bool shift = false) {
        return ClassifyViewKey(key, ctrl, shift, view);
    };
    EXPECT_EQ(classify(ViewKey::PageDown).axis, Axis::Vertical);
    EXPECT_EQ(classify(ViewKey::PageDown, true).axis, Axis::Horizontal);
    EXPECT_EQ(classify(ViewKey::PageUp).scroll, ScrollAction::PageUp);
    EXPECT_EQ(classify(ViewKey::Right).action, ViewKeyAction::Scroll);
    EXPECT_EQ(classify(ViewKey::Left).scroll, ScrollAction::LineUp);
    EXPECT_EQ(classify(ViewKey::Down).action, ViewKeyAction::None) << "not scrollable vertically";
    EXPECT_EQ(classify(ViewKey::Down, true).action, ViewKeyAction::PassToTool);
    EXPECT_EQ(classify(ViewKey::Left, false, true).action, ViewKeyAction::PassToTool);
    EXPECT_EQ(classify(ViewKey::Other).action, ViewKeyAction::None);
}

TEST(Zoom, ALargeDocumentOpensFittedAndASmallOneAt100Percent)
{
    // The image window tests open 4000 x 3000 in 700 x 500 at -6, 571 x 428.
    EXPECT_EQ(InitialZoom({640, 480}, {700, 500}, true), 0);
    EXPECT_EQ(InitialZoom({4000, 3000}, {700, 500}, false), 0);
    EXPECT_EQ(InitialZoom({700, 500}, {700, 500}, true), -1) << "a document exactly the size still halves";
    EXPECT_EQ(InitialZoom({100, 100}, {0, 0}, true), -15) << "an empty area counts as one pixel, clamped";
}

TEST(Zoom, StepsStopAtTheLevelLimitsAndAt16384ScaledPixels)
{
    EXPECT_EQ(SteppedZoom({2000, 100}, 6, +1), 7);
    EXPECT_EQ(SteppedZoom({2000, 100}, 7, +1), std::nullopt) << "9 x 2000 = 18000";
    EXPECT_EQ(SteppedZoom({2000, 100}, 7, -1), 6);
    EXPECT_EQ(SteppedZoom({100, 2048}, 6, +1), 7) << "exactly 16384 is allowed";
    EXPECT_EQ(SteppedZoom({10, 10}, 15, +1), std::nullopt);
    EXPECT_EQ(SteppedZoom({10, 10}, -14, -1), -15);
    EXPECT_EQ(SteppedZoom({10, 10}, -15, -1), std::nullopt);
    EXPECT_EQ(HighestZoom({2000, 100}), 7);
    EXPECT_EQ(HighestZoom({10, 10}), 15);
    EXPECT_EQ(HighestZoom({20000, 10}), 0);
}

TEST(Zoom, ReadoutShowsThePercentageInString2344)
{
    EXPECT_EQ(ZoomReadout(-2), " Visualizar 33%  ");
    EXPECT_EQ(ZoomReadout(0), " Visualizar 100%  ");
    EXPECT_EQ(ZoomReadout(15), " Visualizar 1600%  ");
}

TEST(Zoom, SetCommandsChooseLevelsAndLowerThoseTooLargeWithABeep)
{
    const Size doc{400, 300};
    const Size client{800, 600};
    // {command, current level, chosen level}; 583 fits: twice fits 800 x 600 exactly.
    const int cases[][3] = {{548, 3, 4}, {548, 15, 15}, {549, -15, -15}, {551, 0, 0}, {554, 0, 3},
                            {567, 0, 0}, {570, 0, -3},  {582, 0, -15},   {583, 0, 1}};
    for (const auto& [command, current, zoom] : cases)
        EXPECT_EQ(ZoomForCommand(command, current, doc, client)->zoom, zoom) << command << " from " << current;
    EXPECT_FALSE(ZoomForCommand(550, 0, doc, client));
    EXPECT_FALSE(ZoomForCommand(584, 0, doc, client));

    // Fitting a large document: the larger of the two reductions.
    EXPECT_EQ(ZoomForCommand(583, 0, {4000, 3000}, {700, 500})->zoom, -5);
    EXPECT_EQ(ZoomForCommand(583, 0, {4000, 3000}, {0, 0})->zoom, -15) << "a tiny client counts as 16 pixels";

    const auto tooLarge = ZoomForCommand(566, 0, {2000, 100}, client);
    EXPECT_EQ(tooLarge->zoom, 7);
    EXPECT_TRUE(tooLarge->beep);
    const auto none = ZoomForCommand(566, 0, {20000, 10}, client);
    EXPECT_EQ(none->zoom, 0);
    EXPECT_TRUE(none->beep);
    EXPECT_FALSE(ZoomForCommand(557, 0, {2000, 100}, client)->beep);
}

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
