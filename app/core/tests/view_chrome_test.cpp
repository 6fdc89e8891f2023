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
    // At 1:3 200 pixels are 66 on screen; at 16x 5 pixels are 80.
    EXPECT_EQ((std::vector{RulerStep(0, 50), RulerStep(-2, 50), RulerStep(15, 50), RulerStep(-15, 50), RulerStep(0, 1)}),
              (std::vector{50, 200, 5, 1000, 1}));

    // 100 %, document pixel 0 at client pixel 19 (the band), scrolled by 37.
    const auto ticks = RulerTicks(0, 19 - 37, 300, 19, 219);
    ASSERT_FALSE(ticks.empty());
    EXPECT_EQ(labelled(ticks), (std::vector<int>{50, 100, 150, 200}));
    // A minor tick every 5 pixels, the first inside the ruler (35 lies left of it).
    EXPECT_EQ(std::tuple(ticks.front().value, ticks.front().position), std::tuple(40, 22));
    for (const RulerTick& t : ticks)
        EXPECT_TRUE(t.position >= 19 && t.position < 219 && t.position == 19 - 37 + t.value) << t.value;

    // 3x: numbered ticks 20 pixels apart in the document, 60 on screen; none past the end.
    const auto enlarged = RulerTicks(2, 0, 50, 0, 1000);
    EXPECT_EQ(labelled(enlarged), (std::vector<int>{0, 20, 40}));
    EXPECT_EQ(std::tuple(enlarged.back().value, enlarged.back().position),
              std::tuple(50, 150)) << "the document's right edge";

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
    EXPECT_EQ((std::vector{PositionForThumb(200, 300, 100, -40), PositionForThumb(200, 300, 100, 500),
                           PositionForThumb(200, 0, 100, 50)}),
              (std::vector{0, 300, 0}));
}

TEST(WindowPlacement, TheChromeIsAddedToThePictureAndTakenFromTheRoomToFitIn)
{
    const Rect half{0, 0, 392, 592};
    const FrameChrome caption{20, 0, 160};
    const InitialWindow fitted = PlaceNewWindow({800, 600}, half, true, caption);
    EXPECT_EQ(std::tuple(fitted.zoom, fitted.frame), std::tuple(-2, Rect{63, 186, 63 + 266, 186 + 220}));

    // Exactly as tall as the room below the caption still halves, as the design's fit does.
    // The rulers take their band too.
    const FrameChrome rulers{20 + 17, 17, 160};
    EXPECT_EQ((std::vector{PlaceNewWindow({300, 572}, half, true, caption).zoom,
                           PlaceNewWindow({300, 555}, half, true, rulers).zoom,
                           PlaceNewWindow({300, 554}, half, true, rulers).zoom}),
              (std::vector{-1, -1, 0}));
    EXPECT_EQ(FrameFor(half, {300, 554}, rulers), (Rect{37, 0, 37 + 317, 591}));
    EXPECT_EQ(FrameFor(half, {30, 10}, caption), (Rect{116, 281, 116 + 160, 281 + 30})) << "room for the caption";
    EXPECT_EQ(FrameFor({0, 0, 100, 100}, {30, 10}, caption).right, 100) << "never wider than the area";
}

TEST(ImageView, ASmallDocumentIsCentredInThePictureArea)
{
    ImageView view({100, 50}, 0, 10);
    view.setClient({310, 160});  // picture area 300 x 150
    EXPECT_EQ(std::tuple(view.inset(Axis::Horizontal), view.inset(Axis::Vertical), view.origin(Axis::Horizontal)),
              std::tuple(100, 50, 110));
    EXPECT_EQ((std::vector{view.documentPoint(110, 60), view.documentPoint(209, 109)}),
              (std::vector<Point>{{0, 0}, {99, 49}}));
    view.setZoom(3);  // 400 x 200: larger than the area, scrolled instead
    EXPECT_EQ(std::tuple(view.inset(Axis::Horizontal), view.scroll(Axis::Horizontal).maximum), std::tuple(0, 100));
}

TEST(ImageView, RangesAreTheScaledDocumentLessThePictureAreaAndPositionsScaleWithThem)
{
    ImageView view({1000, 800}, 0);
    view.setClient({400, 300});
    EXPECT_EQ(std::tuple(view.scroll(Axis::Horizontal).maximum, view.scroll(Axis::Vertical).maximum), std::tuple(600, 500));
    view.scrollBy(Axis::Horizontal, ScrollAction::ThumbPosition, 300);
    view.setClient({700, 300});  // range 300: position in proportion
    EXPECT_EQ(view.scroll(Axis::Horizontal).position, 150);
    view.setRulerBand(19);  // the band is taken from the picture area
    EXPECT_EQ(std::tuple(view.scroll(Axis::Horizontal).maximum, view.scroll(Axis::Horizontal).position),
              std::tuple(319, 159));
    view.setClient({1100, 900});
    EXPECT_EQ(std::tuple(view.scrollable(Axis::Horizontal), view.scroll(Axis::Horizontal).position), std::tuple(false, 0));
}

TEST(ImageView, ScrollMessagesMoveByLinesPagesAndThumbWithinTheRange)
{
    ImageView view({1000, 800}, 0, 20);
    view.setClient({420, 320});  // picture area 400 x 300
    // The second page down is clamped to the range; other codes than lines, pages and the thumb move nothing.
    using enum ScrollAction;
    const std::tuple<Axis, ScrollAction, int, bool, int> steps[] = {
        {Axis::Vertical, LineDown, 0, true, 30},         {Axis::Vertical, PageDown, 0, true, 330},
        {Axis::Vertical, PageDown, 0, true, 500},        {Axis::Vertical, LineDown, 0, false, 500},
        {Axis::Vertical, ThumbTrack, 10, false, 500},    {Axis::Vertical, Top, 0, false, 500},
        {Axis::Horizontal, ThumbPosition, -5, false, 0}, {Axis::Horizontal, LineUp, 0, false, 0}};
    for (const auto& [axis, action, value, moved, position] : steps) {
        EXPECT_EQ(view.scrollBy(axis, action, value), moved) << int(action);
        EXPECT_EQ(view.scroll(axis).position, position) << int(action);
    }

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
    EXPECT_EQ(std::tuple(view.scroll(Axis::Horizontal).position, view.scroll(Axis::Vertical).position,
                         view.documentPoint(100, 100)),
              std::tuple(900, 300, Point{500, 200}));
    view.zoomAbout(-1, {200, 200});
    EXPECT_EQ(std::tuple(view.scroll(Axis::Horizontal).position, view.scroll(Axis::Vertical).position,
                         view.scroll(Axis::Vertical).maximum),
              std::tuple(150, 0, 300))
        << "never below 0";
}

TEST(ImageView, ClientPointsMapToDocumentPointsPastTheBandAndScroll)
{
    ImageView view({100, 100}, 3, 10);
    view.setClient({110, 110});
    view.scrollBy(Axis::Horizontal, ScrollAction::ThumbPosition, 8);
    EXPECT_EQ((std::vector{view.documentPoint(10, 10), view.documentPoint(9, 5)}), (std::vector<Point>{{2, 0}, {1, -2}}));
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
    EXPECT_EQ((std::vector{classify(ViewKey::PageDown).axis, classify(ViewKey::PageDown, true).axis}),
              (std::vector{Axis::Vertical, Axis::Horizontal}));
    EXPECT_EQ((std::vector{classify(ViewKey::PageUp).scroll, classify(ViewKey::Left).scroll}),
              (std::vector{ScrollAction::PageUp, ScrollAction::LineUp}));
    // Down: not scrollable vertically.
    EXPECT_EQ((std::vector{classify(ViewKey::Right).action, classify(ViewKey::Down).action,
                           classify(ViewKey::Down, true).action, classify(ViewKey::Left, false, true).action,
                           classify(ViewKey::Other).action}),
              (std::vector{ViewKeyAction::Scroll, ViewKeyAction::None, ViewKeyAction::PassToTool,
                           ViewKeyAction::PassToTool, ViewKeyAction::None}));
}

TEST(Zoom, ALargeDocumentOpensFittedAndASmallOneAt100Percent)
{
    // The image window tests open 4000 x 3000 in 700 x 500 at -6, 571 x 428.
    // A document exactly the size still halves; an empty area counts as one pixel, clamped.
    EXPECT_EQ((std::vector{InitialZoom({640, 480}, {700, 500}, true), InitialZoom({4000, 3000}, {700, 500}, false),
                           InitialZoom({700, 500}, {700, 500}, true), InitialZoom({100, 100}, {0, 0}, true)}),
              (std::vector{0, 0, -1, -15}));
}

TEST(Zoom, StepsStopAtTheLevelLimitsAndAt16384ScaledPixels)
{
    // 9 x 2000 = 18000 is too wide; exactly 16384 is allowed.
    EXPECT_EQ((std::vector{SteppedZoom({2000, 100}, 6, +1), SteppedZoom({2000, 100}, 7, +1),
                           SteppedZoom({2000, 100}, 7, -1), SteppedZoom({100, 2048}, 6, +1), SteppedZoom({10, 10}, 15, +1),
                           SteppedZoom({10, 10}, -14, -1), SteppedZoom({10, 10}, -15, -1)}),
              (std::vector<std::optional<int>>{7, std::nullopt, 6, 7, std::nullopt, -15, std::nullopt}));
    EXPECT_EQ((std::vector{HighestZoom({2000, 100}), HighestZoom({10, 10}), HighestZoom({20000, 10})}),
              (std::vector{7, 15, 0}));
}

TEST(Zoom, ReadoutShowsThePercentageInString2344)
{
    EXPECT_EQ((std::vector{ZoomReadout(-2), ZoomReadout(0), ZoomReadout(15)}),
              (std::vector<decltype(ZoomReadout(0))>{" Visualizar 33%  ", " Visualizar 100%  ", " Visualizar 1600%  "}));
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
    EXPECT_FALSE(ZoomForCommand(550, 0, doc, client) || ZoomForCommand(584, 0, doc, client));

    // Fitting a large document: the larger of the two reductions; a tiny client counts as 16 pixels.
    EXPECT_EQ(std::tuple(ZoomForCommand(583, 0, {4000, 3000}, {700, 500})->zoom,
                         ZoomForCommand(583, 0, {4000, 3000}, {0, 0})->zoom),
              std::tuple(-5, -15));

    const auto chosen = [&](int command, Size size) {
        const auto choice = ZoomForCommand(command, 0, size, client);
        return choice ? std::tuple(choice->zoom, choice->beep) : std::tuple(99, false);
    };
    EXPECT_EQ((std::vector{chosen(566, {2000, 100}), chosen(566, {20000, 10})}),
              (std::vector{std::tuple(7, true), std::tuple(0, true)}));
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

    // The ruler band; scaled column 4 is document column 1, and the repetition phase follows the scroll offset.
    EXPECT_EQ((std::vector{canvas.at(0, 0), canvas.at(3, 10), canvas.at(4, 4), canvas.at(5, 4), canvas.at(6, 4),
                           canvas.at(4, 5), canvas.at(33, 23)}),
              (std::vector{kBackground, kBackground, positionPixel(1, 0), positionPixel(1, 0), positionPixel(2, 0),
                           positionPixel(1, 1), positionPixel(11, 7)}));

    Canvas part(34, 24);
    PaintView(doc, view, {10, 10, 12, 11}, part.buffer, {DisplayKind::TrueColour, nullptr, nullptr, kBackground});
    // Outside the exposed rectangle nothing is touched.
    EXPECT_EQ((std::vector{part.at(10, 10), part.at(11, 10), part.at(12, 10), part.at(10, 11)}),
              (std::vector{canvas.at(10, 10), canvas.at(11, 10), 0u, 0u}));
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
    // The first and the last scaled pixels, then beyond the scaled document, above it and below it.
    EXPECT_EQ((std::vector{*buffer.at(8, 1), *buffer.at(12, 10), *buffer.at(13, 3), *buffer.at(8, 0), *buffer.at(8, 11)}),
              (std::vector{positionPixel(15, 0), positionPixel(27, 27), kBackground, kBackground, kBackground}));
    EXPECT_EQ(std::tuple(view.documentPoint(8, 1), view.documentPoint(2, 1).x), std::tuple(Point{15, 0}, -3))
        << "the mouse sees what is painted";
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
    EXPECT_EQ(std::tuple(onCube.at(1, 0), onTrue.at(1, 0)),
              std::tuple(ToPixel({gamma.red[200], gamma.green[200], gamma.blue[200]}), ToPixel({200, 200, 200})));

    EXPECT_EQ((std::vector{DisplayKindFor(9), DisplayKindFor(8), DisplayKindFor(7)}),
              (std::vector{DisplayKind::TrueColour, DisplayKind::ColourCube, DisplayKind::EightColours}));
}

}  // namespace
}  // namespace lv
