// The fills and the painting tools whose effect is this program's own: each one's visible
// effect, where it stops, and what it leaves alone.

#include "edit/paint/bucket_fill.h"
#include "edit/paint/gradient_fill.h"
#include "edit/paint/paint_target.h"
#include "edit/paint/stamp_picture.h"
#include "edit/selection/selection.h"
#include "edit/tests/paint_test_support.h"
#include "edit/tools/paint/drag_line.h"
#include "edit/tools/paint/stroke_tool.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace lv::testing {
namespace {

void fillLayer(FakeWindow& w, Rect r, Rgb colour)
{
    HDIB& image = w.stack->layers[0].image.write();
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            SetPixel24(image, x, 29 - y, colour);
    CompositeLayers(*w.stack);
}

// Transparency 50 moving the colour half way and the region stopping at other colours is the
// tool's fills test.
TEST(BucketFill, AFillIsOneStepAndFillsOnlyTheMarkedPixels)
{
    FakeWindow w;
    const ToolResult result = w.press(tool(1112), {20, 20});
    EXPECT_TRUE(result.changed && result.composited);
    ASSERT_EQ(w.undo.codes(), std::vector<int>{3088});

    const HDIB marked = [] {
        HDIB m = AllocatePicture(3, 1, 1, 2);
        m.row(0)[0] = 0xA0;  // pixels 0 and 2
        return m;
    }();
    HDIB row = SolidPicture(3, 1, {10, 200, 255});
    const HDIB filled = FillSelectedPixels(row, marked, 0, {0, 100, 255});
    // Unmarked pixels are copied.
    EXPECT_EQ((std::vector<Rgb>{Pixel24(filled, 0, 0), Pixel24(filled, 1, 0), Pixel24(filled, 2, 0)}),
              (std::vector<Rgb>{{255, 100, 0}, {10, 200, 255}, {255, 100, 0}}));
}

TEST(BucketFill, TransparentClicksSetTheMaskAndLockedOrOutsideClicksOnlyBeep)
{
    FakeWindow w;
    for (int y = 20; y < 30; ++y)
        for (int x = 30; x < 40; ++x)
            SetLayerCover(*w.stack, 0, {x, y}, 0);
    w.click(tool(1112), {35, 25});
    EXPECT_EQ(std::tuple(LayerCover(*w.stack, 0, {35, 25}), LayerCover(*w.stack, 0, {30, 20}), LayerPixel(*w.stack, 0, {35, 25})),
              std::tuple(255, 255, Rgb{255, 255, 0}));
    EXPECT_EQ(LayerPixel(*w.stack, 0, {20, 20}), kBlue) << "the transparent region alone";

    FakeWindow locked;
    locked.stack->layers[0].maskLocked = true;
    SetLayerCover(*locked.stack, 0, {35, 25}, 0);
    const auto before = LayerBytes(*locked.stack, 0);
    locked.click(tool(1112), {35, 25});
    EXPECT_EQ(locked.recorder.beeps, 1);
    ChangeSelection(*locked.stack, *RectangleRegion({0, 0, 10, 10}), CombineMode::New, kUndoShapeSelection);
    locked.click(tool(1112), {20, 20});
    EXPECT_EQ(locked.recorder.beeps, 2) << "outside the selection";
    EXPECT_EQ(LayerBytes(*locked.stack, 0), before);
    locked.click(tool(1112), {3, 3});
    EXPECT_EQ(std::pair(LayerPixel(*locked.stack, 0, {3, 3}), LayerPixel(*locked.stack, 0, {20, 20})), std::pair(Rgb{255, 255, 0}, kBlue));
}

TEST(RedEye, LowersRedOnlyWhereItDominatesAndOnlyInsideTheDab)
{
    FakeWindow w;
    fillLayer(w, {0, 0, 40, 30}, {200, 170, 140});  // skin: red leads only a little
    fillLayer(w, {10, 13, 30, 17}, {210, 40, 50});  // a red eye
    w.toolSettings.paint.brush.size = 8;
    w.drag(tool(1129), {{15, 15}});
    const Rgb fixed = LayerPixel(*w.stack, 0, {15, 15});
    EXPECT_EQ(fixed, (Rgb{45, 40, 50})) << "red down to the mean of green and blue; they stay";
    // Red outside the dab stays, red inside it goes, skin in the dab stays.
    EXPECT_EQ((std::vector<Rgb>{LayerPixel(*w.stack, 0, {27, 15}), LayerPixel(*w.stack, 0, {15, 13}), LayerPixel(*w.stack, 0, {15, 12})}),
              (std::vector<Rgb>{{210, 40, 50}, {45, 40, 50}, {200, 170, 140}}));
}

TEST(Clone, TheAlignedSourceKeepsItsOffsetAndTheOtherRestarts)
{
    const auto prepare = [](FakeWindow& w) {
        HDIB& image = w.stack->layers[0].image.write();
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 15; ++x)
                SetPixel24(image, x, 29 - y, {std::uint8_t(x * 10), std::uint8_t(y * 8), 77});
        w.toolSettings.paint.brush.size = 1;
        w.toolSettings.paint.brush.speed = 32;
    };
    FakeWindow w;
    prepare(w);
    StrokeTool clone(1119, PaintKind::Clone);
    clone.press(w, FakeWindow::event({5, 5}, {}, MouseButton::Right));
    w.drag(clone, {{25, 5}, {27, 5}});
    EXPECT_EQ(LayerPixel(*w.stack, 0, {25, 5}), LayerPixel(*w.stack, 0, {5, 5}));
    EXPECT_EQ(LayerPixel(*w.stack, 0, {27, 5}), LayerPixel(*w.stack, 0, {7, 5}));
    w.drag(clone, {{30, 20}});
    EXPECT_EQ(LayerPixel(*w.stack, 0, {30, 20}), LayerPixel(*w.stack, 0, {10, 20})) << "the same offset, -20, 0";

    FakeWindow free;
    prepare(free);
    free.toolSettings.paint.cloneAligned = false;
    clone.press(free, FakeWindow::event({5, 5}, {}, MouseButton::Right));
    free.drag(clone, {{25, 5}});
    free.drag(clone, {{30, 20}});
    EXPECT_EQ(LayerPixel(*free.stack, 0, {30, 20}), LayerPixel(*free.stack, 0, {5, 5})) << "each stroke starts at the source";

    // The source is read as the stroke found the layer: cloning across itself repeats, not smears.
    FakeWindow across;
    prepare(across);
    clone.press(across, FakeWindow::event({0, 3}, {}, MouseButton::Right));
    across.drag(clone, {{2, 3}, {12, 3}});
    for (int x = 2; x <= 12; ++x)
        EXPECT_EQ(LayerPixel(*across.stack, 0, {x, 3}).r, (x - 2) * 10) << x;
}

TEST(Smudge, DragsColourAlongTheStrokeAndFades)
{
    FakeWindow w;
    w.toolSettings.paint.brush.size = 4;
    w.toolSettings.paint.brush.speed = 32;
    w.toolSettings.paint.strength = 80;
    w.drag(tool(1115), {{5, 5}, {25, 5}});
    const int near = LayerPixel(*w.stack, 0, {13, 5}).r, far = LayerPixel(*w.stack, 0, {22, 5}).r;
    EXPECT_TRUE(near > 0 && near > far) << "yellow dragged out of the square, less the further it goes";
    EXPECT_EQ(LayerPixel(*w.stack, 0, {13, 12}), kBlue) << "off the path";
    EXPECT_LT(LayerPixel(*w.stack, 0, {5, 5}).r, 250 + 1);
}

TEST(LightenDarken, TheButtonSideAndAltChooseTheDirectionAndStrengthTheAmount)
{
    FakeWindow w;
    fillLayer(w, {0, 0, 40, 30}, {100, 100, 100});
    w.toolSettings.paint.brush.size = 4;
    w.drag(tool(1117), {{10, 10}});
    const Rgb lighter = LayerPixel(*w.stack, 0, {10, 10});
    EXPECT_TRUE(lighter.r > 100 && lighter.r == lighter.g);
    w.drag(tool(1117), {{30, 10}}, kAlt);
    EXPECT_LT(LayerPixel(*w.stack, 0, {30, 10}).r, 100);
    w.toolSettings.paint.darken = true;
    w.drag(tool(1117), {{30, 20}});
    EXPECT_LT(LayerPixel(*w.stack, 0, {30, 20}).r, 100) << "the panel's direction";
    w.toolSettings.paint.strength = 0;
    w.drag(tool(1117), {{10, 20}});
    EXPECT_EQ(LayerPixel(*w.stack, 0, {10, 20}), (Rgb{100, 100, 100}));
}

TEST(BlurSharpen, BlurSoftensAnEdgeAndSharpenSteepensIt)
{
    FakeWindow w;
    w.toolSettings.paint.brush.size = 6;
    w.toolSettings.paint.strength = 100;
    w.drag(tool(1118), {{10, 5}});
    EXPECT_TRUE(LayerPixel(*w.stack, 0, {10, 5}).r > 0 && LayerPixel(*w.stack, 0, {9, 5}).r < 250) << "yellow bleeds past the edge";
    EXPECT_EQ(LayerPixel(*w.stack, 0, {20, 20}), kBlue) << "away from the dab";

    FakeWindow s;
    s.toolSettings.paint.brush.size = 6;
    s.toolSettings.paint.strength = 100;
    s.drag(tool(1118), {{10, 5}}, kAlt);
    // The bright side brighter, the blue side bluer.
    EXPECT_EQ(std::pair(LayerPixel(*s.stack, 0, {9, 5}).r, LayerPixel(*s.stack, 0, {10, 5}).b), std::pair(std::uint8_t(255), std::uint8_t(255)));
}

// Running from exactly the active to the secondary colour, and not outside the selection, is the
// tool's fills test.
TEST(GradientFill, LinearAlongTheDragAndRadialToItsEnd)
{
    FakeWindow w;
    w.drag(tool(1111), {{0, 15}, {20, 3}, {39, 15}});
    const Rgb middle = LayerPixel(*w.stack, 0, {20, 7});
    EXPECT_TRUE(std::abs(middle.r - 128) <= 4 && std::abs(middle.b - 128) <= 4);
    EXPECT_EQ(LayerPixel(*w.stack, 0, {20, 7}), LayerPixel(*w.stack, 0, {20, 22})) << "linear along the drag";

    FakeWindow r;
    ChangeSelection(*r.stack, *RectangleRegion({10, 0, 40, 30}), CombineMode::New, kUndoShapeSelection);
    r.drag(tool(1111), {{25, 15}, {35, 15}}, kShift);
    // Radial: as far as the end each way; outside the selection nothing.
    EXPECT_EQ((std::vector<Rgb>{LayerPixel(*r.stack, 0, {25, 15}), LayerPixel(*r.stack, 0, {15, 15}), LayerPixel(*r.stack, 0, {25, 25}),
                                LayerPixel(*r.stack, 0, {5, 15})}),
              (std::vector<Rgb>{{255, 255, 0}, {0, 0, 255}, {0, 0, 255}, kBlue}));
    EXPECT_EQ(GradientColourAt({30, 15}, {25, 15}, {35, 15}, {255, 255, 0}, {0, 0, 255}, GradientShape::Radial),
              GradientColourAt({25, 20}, {25, 15}, {35, 15}, {255, 255, 0}, {0, 0, 255}, GradientShape::Radial));
}

TEST(PatternFill, TilesTheTextureIntoTheSelectionOrTheSimilarRegion)
{
    FakeWindow w;
    HDIB texture = SolidPicture(2, 2, {255, 0, 0});
    SetPixel24(texture, 1, 1, {0, 255, 0});  // top right
    w.toolSettings.paint.texture = std::make_shared<const HDIB>(std::move(texture));
    ChangeSelection(*w.stack, *RectangleRegion({20, 10, 30, 20}), CombineMode::New, kUndoShapeSelection);
    w.click(tool(1128), {25, 15});
    EXPECT_EQ((std::vector<Rgb>{LayerPixel(*w.stack, 0, {21, 10}), LayerPixel(*w.stack, 0, {20, 10}), LayerPixel(*w.stack, 0, {23, 11}),
                                LayerPixel(*w.stack, 0, {19, 10})}),
              (std::vector<Rgb>{{0, 255, 0}, {255, 0, 0}, {255, 0, 0}, kBlue}));

    FakeWindow region;
    region.toolSettings.paint.texture = w.toolSettings.paint.texture;
    region.click(tool(1128), {3, 3});
    // The yellow square alone.
    EXPECT_EQ((std::vector<Rgb>{LayerPixel(*region.stack, 0, {3, 2}), LayerPixel(*region.stack, 0, {3, 3}), LayerPixel(*region.stack, 0, {20, 20})}),
              (std::vector<Rgb>{{0, 255, 0}, {255, 0, 0}, kBlue}));

    FakeWindow none;
    none.click(tool(1128), {3, 3});
    EXPECT_EQ(none.recorder.beeps, 1) << "no texture chosen";
}

TEST(Stamp, PutsThePictureDownSizedByTheBrushWithoutItsBackground)
{
    FakeWindow w;
    HDIB picture = SolidPicture(8, 8, {255, 255, 255});
    for (int y = 2; y < 6; ++y)
        for (int x = 2; x < 6; ++x)
            SetPixel24(picture, x, y, {10, 20, 30});
    w.toolSettings.paint.stamp = std::make_shared<const HDIB>(std::move(picture));
    w.toolSettings.paint.brush.size = 4;  // 16 pixels on the longer side
    w.click(tool(1110), {20, 15});
    // The picture's corners land 16 pixels apart; its white background is left out.
    const Rgb dark{10, 20, 30};
    EXPECT_EQ((std::vector<Rgb>{LayerPixel(*w.stack, 0, {20, 15}), LayerPixel(*w.stack, 0, {16, 11}), LayerPixel(*w.stack, 0, {15, 11}),
                                LayerPixel(*w.stack, 0, {23, 18}), LayerPixel(*w.stack, 0, {24, 18})}),
              (std::vector<Rgb>{dark, dark, kBlue, dark, kBlue}));
    EXPECT_EQ(w.undo.steps.size(), 1u);
}

TEST(Line, DrawsAStraightBrushLineOnReleaseAndShiftSnaps)
{
    FakeWindow w;
    w.toolSettings.paint.brush.size = 2;
    w.toolSettings.paint.brush.speed = 1;  // the line fills its length whatever the speed
    Tool& line = tool(1127);
    line.press(w, FakeWindow::event({5, 20}));
    line.move(w, FakeWindow::event({35, 20}, {}, MouseButton::Left, true));
    EXPECT_EQ(LayerPixel(*w.stack, 0, {20, 20}), kBlue) << "nothing before the release";
    line.release(w, FakeWindow::event({35, 20}));
    for (int x = 6; x <= 34; ++x) {  // the ends get half the overlap
        ASSERT_GT(LayerPixel(*w.stack, 0, {x, 20}).r, 100) << x;
        ASSERT_LT(LayerPixel(*w.stack, 0, {x, 20}).b, 120) << x;
    }
    EXPECT_GT(LayerPixel(*w.stack, 0, {20, 20}).r, LayerPixel(*w.stack, 0, {35, 20}).r) << "more overlap inside";
    EXPECT_EQ(LayerPixel(*w.stack, 0, {20, 24}), kBlue);
    EXPECT_EQ(w.undo.steps.size(), 1u);

    w.drag(line, {{5, 26}, {30, 28}}, kShift);
    EXPECT_GT(LayerPixel(*w.stack, 0, {28, 26}).r, 100) << "snapped level";
    EXPECT_EQ(LayerPixel(*w.stack, 0, {30, 29}), kBlue);
    EXPECT_EQ((std::vector<Point>{SnapTo45Degrees({0, 0}, {10, 9}), SnapTo45Degrees({0, 0}, {-3, 20}), SnapTo45Degrees({0, 0}, {-9, 8})}),
              (std::vector<Point>{{10, 10}, {0, 20}, {-9, 9}}));
}

// The bucket with a shaped selection: a click on an unselected pixel, even inside the
// selection's rectangle, beeps and changes nothing; a fill never reaches an unselected pixel.
constexpr Rect kOval{12, 4, 36, 26};

struct Oval {
    Oval()
    {
        ChangeSelection(*w.stack, *EllipseRegion(kOval), CombineMode::New, kUndoShapeSelection);
        EXPECT_EQ(w.stack->selectionActive, 2u) << "a shaped selection";
        w.undo.steps.clear();
    }
    FakeWindow w;
};

TEST(BucketWithAShape, AClickOnAnUnselectedPixelInsideTheRectangleBeepsAndChangesNothing)
{
    Oval o;
    const auto before = LayerBytes(*o.w.stack, 0);
    for (const Point corner : {Point{12, 4}, Point{35, 4}, Point{12, 25}, Point{35, 25}}) {
        ASSERT_FALSE(SelectionAllows(*o.w.stack, corner.x, corner.y));
        o.w.click(tool(tool_id::kBucketFill), corner);
    }
    EXPECT_EQ(o.w.recorder.beeps, 4);
    EXPECT_EQ(LayerBytes(*o.w.stack, 0), before);
    EXPECT_TRUE(o.w.undo.steps.empty()) << "no step for a refused click";
    o.w.click(tool(tool_id::kBucketFill), {2, 2});
    EXPECT_EQ(o.w.recorder.beeps, 5) << "outside the rectangle too";
}

TEST(BucketWithAShape, AFillInsideTheShapeNeverChangesAnUnselectedPixel)
{
    Oval o;
    o.w.active = {255, 0, 0};
    o.w.click(tool(tool_id::kBucketFill), {24, 15});
    EXPECT_EQ(o.w.recorder.beeps, 0);
    int filled = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            const Rgb now = LayerPixel(*o.w.stack, 0, {x, y});
            const Rgb was = x < 10 && y < 10 ? kYellow : kBlue;
            if (SelectionAllows(*o.w.stack, x, y))
                filled += now == Rgb{255, 0, 0};
            else
                EXPECT_EQ(now, was) << "unselected " << x << ',' << y;
        }
    EXPECT_GT(filled, 300) << "the blue inside the oval is red";
}

// The red-eye brush lowers red only where it clearly dominates (above 80 and above 1.5 times
// both green and blue); every other pixel under the brush stays exactly as it was.
// Every pixel of the 40 × 30 layer its own colour: reds against greens and blues from dull
// to bright, so skin, rims, orange light and pupils all lie under one stroke.
Rgb ColourAt(int x, int y)
{
    return {std::uint8_t(40 + 5 * x), std::uint8_t((y * 37 + x * 3) % 160), std::uint8_t((y * 11 + x * 7) % 140)};
}

// The rule as documented, written out again so the test does not trust the code's own.
bool ClearlyRed(Rgb c)
{
    return c.r > 80 && 2 * c.r > 3 * std::max(c.g, c.b);
}

void Paint(FakeWindow& w)
{
    HDIB& image = w.stack->layers[0].image.write();
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            SetPixel24(image, x, 29 - y, ColourAt(x, y));
    CompositeLayers(*w.stack);
}

TEST(RedEyeRule, OnlyClearlyRedPixelsChangeAndTheRestStayExactly)
{
    FakeWindow w;
    Paint(w);
    w.toolSettings.paint.brush.size = 20;
    w.drag(tool(1129), {{2, 15}, {12, 15}, {24, 15}, {37, 15}, {24, 14}, {12, 16}});
    int lowered = 0, kept = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            const Rgb before = ColourAt(x, y);
            const Rgb after = LayerPixel(*w.stack, 0, {x, y});
            if (!ClearlyRed(before)) {
                EXPECT_EQ(after, before) << "at " << x << ',' << y;
                ++kept;
                continue;
            }
            EXPECT_EQ(after.g, before.g);
            EXPECT_EQ(after.b, before.b);
            EXPECT_LE(after.r, before.r);
            EXPECT_GE(after.r, (before.g + before.b) / 2) << "never below the mean of the others";
            lowered += after.r < before.r;
        }
    EXPECT_GT(lowered, 50);
    EXPECT_GT(kept, 200);
}

TEST(RedEyeRule, SkinAndTheEyesRimStayWhileThePupilLosesItsRed)
{
    FakeWindow w;
    const std::vector<std::pair<Rgb, bool>> cases = {
        {{210, 160, 130}, false},  // skin in warm light: red leads by a third
        {{150, 100, 100}, false},  // exactly 1.5 times: not clearly
        {{151, 100, 100}, true},
        {{80, 10, 10}, false},  // too dark to be a red eye
        {{81, 53, 53}, true},
        {{200, 40, 140}, false},  // magenta: blue too strong
        {{220, 40, 50}, true},    // the pupil
    };
    HDIB& image = w.stack->layers[0].image.write();
    for (std::size_t i = 0; i < cases.size(); ++i)
        SetPixel24(image, 10 + int(i), 29 - 15, cases[i].first);
    w.toolSettings.paint.brush.size = 30;
    w.drag(tool(1129), {{13, 15}});
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Rgb before = cases[i].first;
        const Rgb after = LayerPixel(*w.stack, 0, {10 + int(i), 15});
        if (cases[i].second)
            EXPECT_EQ(after, (Rgb{std::uint8_t((before.g + before.b) / 2), before.g, before.b})) << int(before.r);
        else
            EXPECT_EQ(after, before) << int(before.r) << ',' << int(before.g) << ',' << int(before.b);
    }
}

TEST(RedEyeRule, GreyLayersAreLeftAlone)
{
    auto grey = EmptyDocument(40, 30, 8);
    FakeWindow w(std::move(grey));
    AppendLayer(*w.stack, MakeGreyPicture(40, 30), {}, 0, 0, 100, true);
    const std::vector<std::uint8_t> before = LayerBytes(*w.stack, 0);
    w.drag(tool(1129), {{5, 5}, {30, 20}});
    EXPECT_EQ(LayerBytes(*w.stack, 0), before);
}

}  // namespace
}  // namespace lv::testing
