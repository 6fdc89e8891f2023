// Painting: the stroke engine's stamps, dab sizes and spacing, the brush, pen and eraser pixel
// rules, the mask lock, the selection and the refusals; then the fills and the tools whose effect
// is this program's own, where each stops and what it leaves alone.

#include "common/string_table.h"
#include "edit/paint/brush_stamp.h"
#include "edit/paint/bucket_fill.h"
#include "edit/paint/gradient_fill.h"
#include "edit/paint/paint_stroke.h"
#include "edit/paint/paint_target.h"
#include "edit/paint/stamp_picture.h"
#include "edit/selection/selection.h"
#include "edit/selection/selection_content.h"
#include "edit/tests/tool_test_support.h"
#include "edit/tools/paint/drag_line.h"
#include "edit/tools/paint/stroke_tool.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace lv::testing {
namespace {

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
    const HDIB filled = FillSelectedPixels(SolidPicture(3, 1, {10, 200, 255}), marked, 0, {0, 100, 255});
    EXPECT_EQ((std::vector<Rgb>{Pixel24(filled, 0, 0), Pixel24(filled, 1, 0), Pixel24(filled, 2, 0)}),
              (std::vector<Rgb>{{255, 100, 0}, {10, 200, 255}, {255, 100, 0}})) << "unmarked pixels are copied";
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
    EXPECT_EQ(LayerPixels(*locked.stack, {{3, 3}, {20, 20}}), (std::vector<Rgb>{{255, 255, 0}, kBlue}));
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
    w.drag(clone, {{30, 20}});  // the same offset, -20, 0
    EXPECT_EQ(LayerPixels(*w.stack, {{25, 5}, {27, 5}, {30, 20}}), LayerPixels(*w.stack, {{5, 5}, {7, 5}, {10, 20}}));

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
    w.stack->layers[0].image = SharedPicture(SolidPicture(40, 30, {100, 100, 100}));
    CompositeLayers(*w.stack);
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
    EXPECT_EQ(LayerPixels(*r.stack, {{25, 15}, {15, 15}, {25, 25}, {5, 15}}),
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
    EXPECT_EQ(LayerPixels(*w.stack, {{21, 10}, {20, 10}, {23, 11}, {19, 10}}),
              (std::vector<Rgb>{{0, 255, 0}, {255, 0, 0}, {255, 0, 0}, kBlue}));

    FakeWindow region;
    region.toolSettings.paint.texture = w.toolSettings.paint.texture;
    region.click(tool(1128), {3, 3});
    EXPECT_EQ(LayerPixels(*region.stack, {{3, 2}, {3, 3}, {20, 20}}),
              (std::vector<Rgb>{{0, 255, 0}, {255, 0, 0}, kBlue})) << "the yellow square alone";

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
    EXPECT_EQ(LayerPixels(*w.stack, {{20, 15}, {16, 11}, {15, 11}, {23, 18}, {24, 18}}),
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
    EXPECT_EQ(std::tuple(LayerPixel(*w.stack, 0, {20, 24}), w.undo.steps.size()), std::tuple(kBlue, 1u));

    w.drag(line, {{5, 26}, {30, 28}}, kShift);
    EXPECT_GT(LayerPixel(*w.stack, 0, {28, 26}).r, 100) << "snapped level";
    EXPECT_EQ(LayerPixel(*w.stack, 0, {30, 29}), kBlue);
    EXPECT_EQ((std::vector<Point>{SnapTo45Degrees({0, 0}, {10, 9}), SnapTo45Degrees({0, 0}, {-3, 20}), SnapTo45Degrees({0, 0}, {-9, 8})}),
              (std::vector<Point>{{10, 10}, {0, 20}, {-9, 9}}));
}

// The bucket with a shaped selection: a click on an unselected pixel, even inside the
// selection's rectangle, beeps and changes nothing; a fill never reaches an unselected pixel.
struct Oval {
    Oval()
    {
        ChangeSelection(*w.stack, *EllipseRegion({12, 4, 36, 26}), CombineMode::New, kUndoShapeSelection);
        EXPECT_EQ(w.stack->selectionActive, 2u) << "a shaped selection";
        w.undo.steps.clear();
    }
    FakeWindow w;
};

TEST(BucketWithAShape, AClickOnAnUnselectedPixelBeepsAndAFillNeverReachesOne)
{
    Oval o;
    const auto before = LayerBytes(*o.w.stack, 0);
    for (const Point corner : {Point{12, 4}, Point{35, 4}, Point{12, 25}, Point{35, 25}}) {
        ASSERT_FALSE(SelectionAllows(*o.w.stack, corner.x, corner.y));
        o.w.click(tool(tool_id::kBucketFill), corner);
    }
    EXPECT_EQ(std::tuple(o.w.recorder.beeps, LayerBytes(*o.w.stack, 0)), std::tuple(4, before));
    EXPECT_TRUE(o.w.undo.steps.empty()) << "no step for a refused click";
    o.w.click(tool(tool_id::kBucketFill), {2, 2});
    EXPECT_EQ(o.w.recorder.beeps, 5) << "outside the rectangle too";

    o.w.active = {255, 0, 0};
    o.w.click(tool(tool_id::kBucketFill), {24, 15});
    EXPECT_EQ(o.w.recorder.beeps, 5) << "a click inside fills";
    // Pinned after checking every pixel: the blue inside the oval red, every unselected one as it was.
    EXPECT_EQ(PixelChecksum(o.w.stack->layers[0].image.read()), 3930173941u);
    EXPECT_EQ(LayerPixels(*o.w.stack, {{24, 15}, {12, 4}, {2, 2}}), (std::vector<Rgb>{{255, 0, 0}, kBlue, kYellow}));
}

// The red-eye brush lowers red only where it clearly dominates (above 80 and above 1.5 times
// both green and blue); every other pixel under the brush stays exactly as it was.
// Every pixel of the 40 × 30 layer its own colour: reds against greens and blues from dull
// to bright, so skin, rims, orange light and pupils all lie under one stroke.
void Paint(FakeWindow& w)
{
    HDIB& image = w.stack->layers[0].image.write();
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            SetPixel24(image, x, 29 - y,
                       {std::uint8_t(40 + 5 * x), std::uint8_t((y * 37 + x * 3) % 160),
                        std::uint8_t((y * 11 + x * 7) % 140)});
    CompositeLayers(*w.stack);
}

// Pinned after checking every pixel against the rule written out; the rule's edges follow.
TEST(RedEyeRule, AStrokeAcrossEveryKindOfRedStaysAsPinned)
{
    FakeWindow w;
    Paint(w);
    w.toolSettings.paint.brush.size = 20;
    w.drag(tool(1129), {{2, 15}, {12, 15}, {24, 15}, {37, 15}, {24, 14}, {12, 16}});
    EXPECT_EQ(PixelChecksum(w.stack->layers[0].image.read()), 3489325723u);
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
    SetPixel24(image, 39, 29 - 15, {220, 40, 50});
    w.toolSettings.paint.brush.size = 30;
    w.drag(tool(1129), {{13, 15}});
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const auto [before, lowered] = cases[i];
        const Rgb want = lowered ? Rgb{std::uint8_t((before.g + before.b) / 2), before.g, before.b} : before;
        EXPECT_EQ(LayerPixel(*w.stack, 0, {10 + int(i), 15}), want) << "case " << i;
    }
    EXPECT_EQ(LayerPixel(*w.stack, 0, {39, 15}), (Rgb{220, 40, 50})) << "a pupil beyond the dab keeps its red";
}

TEST(RedEyeRule, GreyLayersAreLeftAlone)
{
    FakeWindow w(EmptyDocument(40, 30, 8));
    AppendLayer(*w.stack, MakeGreyPicture(40, 30), {}, 0, 0, 100, true);
    const std::vector<std::uint8_t> before = LayerBytes(*w.stack, 0);
    w.drag(tool(1129), {{5, 5}, {30, 20}});
    EXPECT_EQ(LayerBytes(*w.stack, 0), before);
}

// The stroke engine: stamps, dab sizes and spacing, the brush, pen and eraser pixel rules,
// the mask lock, the selection and the refusals.
int cellsOn(const BrushStamp& stamp)
{
    int on = 0;
    for (const std::uint8_t a : stamp.alpha)
        on += a != 0;
    return on;
}

TEST(BrushStamp, DabSizesFollowTheToolAndStopAt32)
{
    PaintOptions o;
    o.brush.size = 30;
    EXPECT_EQ(DabSize(PaintKind::Brush, o), 32) << "30 + 4 is cut to 32";
    EXPECT_EQ(BuildBrushStamp(StampKeyFor(PaintKind::Brush, o)).size, 32);
    EXPECT_EQ(BuildBrushStamp(StampKeyFor(PaintKind::Airbrush, o)).size, 32);
    o.brush.size = 10;
    const auto sizes = [&o] {
        std::vector<int> out;
        for (const PaintKind kind : {PaintKind::Brush, PaintKind::Airbrush, PaintKind::Eraser, PaintKind::Clone, PaintKind::RedEye})
            out.push_back(DabSize(kind, o));
        return out;
    };
    EXPECT_EQ(sizes(), (std::vector<int>{14, 18, 10, 10, 10}));
    o.eraserSoftEdge = o.cloneSoftEdge = true;
    EXPECT_EQ(sizes(), (std::vector<int>{14, 18, 14, 16, 10}));
    EXPECT_EQ(BuildBrushStamp(StampKeyFor(PaintKind::Clone, o)).size, 14) << "the soft stamp inside the larger dab";
    o.brush.size = 60;
    EXPECT_EQ(DabSize(PaintKind::Pen, o), 32);
    EXPECT_EQ(BuildBrushStamp(StampKeyFor(PaintKind::Pen, o)).size, 32);
}

TEST(BrushStamp, SoftAndAirbrushKernelsLandWithTheirTopLeftOnEachCell)
{
    StampKey key{StampKind::Soft, 1, 1, 100, nullptr};
    const BrushStamp soft = BuildBrushStamp(key);
    ASSERT_EQ(soft.size, 5);
    EXPECT_EQ(std::tuple(soft.at(2, 2), soft.at(0, 0)), std::tuple((100 * 101 + 2047) >> 11, (15 * 101 + 2047) >> 11));
    EXPECT_EQ(soft.at(4, 0), soft.at(0, 4));
    key.weight = 0;
    EXPECT_EQ(BuildBrushStamp(key).at(0, 0), (15 + 2047) >> 11) << "weight 0 still adds the kernel once";

    const BrushStamp air = BuildBrushStamp({StampKind::Airbrush, 1, 1, 100, nullptr});
    ASSERT_EQ(air.size, 9);
    EXPECT_EQ(std::tuple(air.at(4, 4), air.at(0, 0), air.at(3, 0)), std::tuple((32 * 51 + 2047) >> 11, 0, (1 * 51 + 2047) >> 11));

    // In the middle of a large brush every kernel cell adds: 880 × (weight + 1).
    EXPECT_EQ(BuildBrushStamp({StampKind::Soft, 1, 16, 100, nullptr}).at(10, 10), (880 * 101 + 2047) >> 11);
    EXPECT_EQ(BuildBrushStamp({StampKind::Soft, 1, 16, 1000, nullptr}).at(10, 10), 255) << "limited to 255";
    EXPECT_EQ(BuildBrushStamp({StampKind::Airbrush, 1, 16, 100, nullptr}).at(12, 12), (260 * 51 + 2047) >> 11);
}

TEST(BrushStamp, ShapesAndTheCustomPicture)
{
    const auto hard = [](int shape, int size, const HDIB* custom = nullptr) {
        return BuildBrushStamp({StampKind::Hard, shape, size, 0, custom});
    };
    EXPECT_EQ(cellsOn(hard(0, 5)), 25);
    EXPECT_EQ(cellsOn(hard(1, 5)), 21) << "the circle leaves out the four corners";
    EXPECT_EQ(cellsOn(hard(1, 1)), 1);
    const BrushStamp bar = hard(2, 5), column = hard(3, 5), diagonal = hard(4, 5), anti = hard(5, 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ((std::vector<int>{bar.at(i, 2), column.at(2, i), diagonal.at(i, i), anti.at(4 - i, i)}),
                  std::vector<int>(4, 255)) << i;
    EXPECT_EQ(cellsOn(bar) + cellsOn(column) + cellsOn(diagonal) + cellsOn(anti), 20);

    // Shape 6: the dark quarter of a 2 × 2 picture becomes the top-left quarter of the brush.
    HDIB picture = SolidPicture(2, 2, {255, 255, 255});
    SetPixel24(picture, 0, 1, {0, 0, 0});  // memory row 1 is the top row
    const BrushStamp custom = hard(6, 4, &picture);
    EXPECT_EQ(std::tuple(cellsOn(custom), custom.at(0, 0), custom.at(1, 1), custom.at(2, 2)), std::tuple(4, 255, 255, 0));
    EXPECT_EQ(cellsOn(hard(6, 4)), cellsOn(hard(1, 4))) << "no picture: the circle";
}

TEST(StrokeSpacing, DabCountRunsFromOnePerEventToOnePerPixel)
{
    // One per event, one per pixel of the larger of the two distances, and one for no travel.
    EXPECT_EQ((std::vector<int>{DabCount({0, 0}, {100, 40}, 1, 20), DabCount({0, 0}, {100, 40}, 32, 20),
                                DabCount({0, 0}, {-30, 70}, 32, 4), DabCount({5, 5}, {5, 5}, 32, 20)}),
              (std::vector<int>{1, 100, 70, 1}));
    EXPECT_LT(DabCount({0, 0}, {200, 0}, 20, 20), 200);
    // The dabs walk from the previous point and the last lands on the new one.
    EXPECT_EQ((std::vector<Point>{DabCentre({0, 0}, {10, 4}, 5, 5), DabCentre({0, 0}, {10, 4}, 1, 2), DabCentre({10, 0}, {0, 0}, 1, 10)}),
              (std::vector<Point>{{10, 4}, {5, 2}, {9, 0}}));
}

// What a resting brush and pen paint is pinned with the strokes (`PaintPixels`); here, which of
// them the window's tick repeats while the button is held.
TEST(PaintStroke, TheBrushRepeatsWhileHeldAndThePenDoesNot)
{
    EXPECT_EQ(std::pair(tool(1114).repeatsWhileHeld(), tool(1116).repeatsWhileHeld()), std::pair(true, false));
}

// The pen laying its colour once whatever crosses the pixel again is the tool's brush-stroke test.
TEST(PaintStroke, BrushRulesWithTransparency)
{
    // Transparency 50: the stroke may cover the old colour only half way, however often it passes.
    FakeWindow w;
    w.toolSettings.paint.brushTransparency = 50;
    Tool& brush = tool(1114);
    const std::initializer_list<Point> resting{{20, 20}, {20, 20}, {20, 20}, {20, 20}, {20, 20},
                                                       {20, 20}, {20, 20}, {20, 20}, {20, 20}, {20, 20}};
    w.drag(brush, resting);
    for (int x = 20; x < 32; ++x)
        EXPECT_TRUE(LayerPixel(*w.stack, 0, {x, 20}).r <= 127 && LayerPixel(*w.stack, 0, {x, 20}).b >= 100) << x;
    EXPECT_EQ(std::tuple(LayerPixel(*w.stack, 0, {20, 20}), LayerCover(*w.stack, 0, {20, 20})), std::tuple(Rgb{127, 127, 100}, 255))
        << "the middle stops at the limit";

    // Without transparency one dab lays part of the colour and resting dabs reach it exactly.
    FakeWindow full;
    full.drag(brush, {{30, 20}});
    EXPECT_EQ(LayerPixel(*full.stack, 0, {30, 20}), (Rgb{(44 * 255 + 32) >> 6, (44 * 255 + 32) >> 6, (20 * 200 + 32) >> 6}));
    full.drag(brush, resting);
    EXPECT_EQ(LayerPixel(*full.stack, 0, {20, 20}), (Rgb{255, 255, 0}));
}

TEST(PaintStroke, PaintOnTransparentPixelsBuildsCoverage)
{
    FakeWindow w;
    for (int y = 0; y < 30; ++y)
        for (int x = 20; x < 40; ++x)
            SetLayerCover(*w.stack, 0, {x, y}, 0);
    w.drag(tool(1114), {{30, 15}});
    EXPECT_EQ(LayerCover(*w.stack, 0, {30, 15}), (20 + 255 * 44 + 32) >> 6) << "one dab covers partly";
    EXPECT_EQ(LayerPixel(*w.stack, 0, {30, 15}), (Rgb{255, 255, 0})) << "in the colour itself";
    w.drag(tool(1114), {{30, 15}, {30, 15}, {30, 15}, {30, 15}, {30, 15}, {30, 15}, {30, 15}});
    EXPECT_EQ(LayerCover(*w.stack, 0, {30, 15}), 255);
    const int fringe = LayerCover(*w.stack, 0, {30 + 9, 15});
    EXPECT_TRUE(fringe > 0 && fringe < 255) << fringe;
    w.drag(tool(1116), {{25, 5}});
    EXPECT_EQ(LayerCover(*w.stack, 0, {25, 5}), 255) << "the pen covers fully without transparency";
}

TEST(PaintStroke, AMaskLockedLayerKeepsItsMaskUnderEveryToolButTheEraser)
{
    for (const int id : {1113, 1114, 1115, 1116, 1117, 1118, 1119, 1129, 1120}) {
        SCOPED_TRACE(id);
        FakeWindow w;
        w.stack->layers[0].maskLocked = true;
        for (int x = 0; x < 40; ++x)
            SetLayerCover(*w.stack, 0, {x, 15}, std::uint8_t(x * 6));
        Tool& t = tool(id);
        if (id == 1119)
            t.press(w, FakeWindow::event({2, 2}, {}, MouseButton::Right));
        const HDIB maskBefore = CopyPicture(w.stack->layers[0].mask.read());
        const HDIB imageBefore = CopyPicture(w.stack->layers[0].image.read());
        w.drag(t, {{0, 15}, {20, 12}, {39, 16}});
        EXPECT_EQ(SamePixels(w.stack->layers[0].mask.read(), maskBefore), id != 1120);
        EXPECT_TRUE(id != 1120 || SamePixels(w.stack->layers[0].image.read(), imageBefore)) << "the eraser: the mask";
    }
}

TEST(PaintStroke, EraserIntensityAndSoftEdge)
{
    FakeWindow w;
    w.drag(tool(1120), {{20, 15}});
    EXPECT_EQ(LayerCover(*w.stack, 0, {20, 15}), 0) << "no selection: the whole dab";
    // Half intensity from the stroke's start is the tool's layered-document test.
    w.toolSettings.paint.eraserSoftEdge = true;
    w.drag(tool(1120), {{30, 5}});
    EXPECT_EQ(LayerCover(*w.stack, 0, {30, 5}), (20 * 255) >> 6) << "one soft dab fades";
    w.drag(tool(1120), {{30, 5}, {31, 5}, {30, 5}, {31, 5}, {30, 5}, {31, 5}, {30, 5}});
    EXPECT_EQ(LayerCover(*w.stack, 0, {30, 5}), 0) << "overlapping soft dabs erase";
    const int fade = LayerCover(*w.stack, 0, {30 + 8, 5});
    EXPECT_TRUE(fade > 0 && fade < 255) << fade;
}

TEST(PaintStroke, AStrokeChangesNothingOutsideTheSelection)
{
    for (const int id : {1113, 1114, 1115, 1116, 1117, 1118, 1120}) {
        SCOPED_TRACE(id);
        FakeWindow w;
        w.stack->layers[0].image = SharedPicture(MakePhotoLike(40, 30));
        ChangeSelection(*w.stack, *EllipseRegion({8, 6, 24, 22}), CombineMode::New, kUndoShapeSelection);
        const HDIB image = CopyPicture(w.stack->layers[0].image.read());
        const HDIB mask = CopyPicture(w.stack->layers[0].mask.read());
        w.drag(tool(id), {{0, 14}, {12, 14}, {39, 14}, {16, 2}, {16, 29}});
        bool changedInside = false;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x) {
                const bool same = LayerPixel(*w.stack, 0, {x, y}) == Pixel24(image, x, 29 - y)
                                  && LayerCover(*w.stack, 0, {x, y}) == mask.row(29 - y)[x];
                if (!SelectionContains(*w.stack, {x, y}))
                    ASSERT_TRUE(same) << x << "," << y;
                else
                    changedInside |= !same;
            }
        EXPECT_TRUE(changedInside);
        EXPECT_TRUE(w.stack->selectionAux && w.stack->floatingMask) << "the working copies were made";
    }
}

TEST(PaintStroke, PaintOnLiftedContentTravelsWithItsNextMove)
{
    FakeWindow w;
    ChangeSelection(*w.stack, *RectangleRegion({20, 10, 30, 20}), CombineMode::New, kUndoShapeSelection);
    ASSERT_TRUE(MoveSelectionContent(*w.stack, 5, 0, false));  // lifted, now over columns 25..34
    w.toolSettings.paint.brush.size = 2;
    w.drag(tool(1116), {{30, 15}});
    const Rgb pen{(255 * 255 + 128) >> 8, (255 * 255 + 128) >> 8, 128 >> 8};
    EXPECT_EQ(LayerPixel(*w.stack, 0, {30, 15}), pen);
    ASSERT_TRUE(MoveSelectionContent(*w.stack, 0, 8, false));
    EXPECT_EQ(LayerPixel(*w.stack, 0, {30, 23}), pen) << "the painted pixels moved with the content";
    EXPECT_EQ(LayerPixel(*w.stack, 0, {30, 15}), kBlue) << "what the content covered is back";
}

TEST(PaintStroke, RefusalsAndTheUndoStep)
{
    FakeWindow w;
    StrokeTool clone(1119, PaintKind::Clone);  // no source yet: told so by the tool's refusals test
    w.drag(clone, {{10, 10}, {12, 10}});
    EXPECT_TRUE(w.undo.steps.empty());

    w.drag(tool(1114), {{10, 10}, {20, 10}});
    ASSERT_EQ(w.undo.codes(), std::vector<int>{1067}) << "one step for the whole stroke";

    // A layer of another depth is refused with a beep and message 2340.
    w.stack->layers[0].image = SharedPicture(MakePicture(40, 30, 4, 16));
    const int beeps = w.recorder.beeps;
    EXPECT_FALSE(tool(1116).press(w, FakeWindow::event({5, 5})).changed);
    EXPECT_EQ(std::tuple(w.recorder.beeps, w.recorder.texts().back(), w.undo.steps.size()), std::tuple(beeps + 1, LoadString(2340), 1u));
    EXPECT_FALSE(LoadString(2340).empty());
}

TEST(PaintStroke, GreyLayersTakeTheColoursGreyValue)
{
    auto stack = EmptyDocument(20, 20, 8);
    AppendLayer(*stack, MakeGreyFilled(20, 20, 10), {}, 0, 0, 100, true);
    CompositeLayers(*stack);
    UiRecorder ui;
    StrokeSetup pen;
    pen.kind = PaintKind::Pen;
    pen.colour = {255, 255, 0};
    pen.options.brush.size = 4;
    PaintStroke stroke;
    ASSERT_TRUE(stroke.step(*stack, ui, pen, {10, 10}, true));
    const HDIB& image = stack->layers[0].image.read();
    const int grey = (30 * 255 + 59 * 255 + 50) / 100;
    EXPECT_EQ(image.row(9)[10], (grey * 255 + 128) >> 8) << "the pen's rule at transparency 0";
    EXPECT_EQ(image.row(9)[1], 10);
    EXPECT_EQ(stack->composite.row(9)[10], image.row(9)[10]) << "the dab's rectangle was composited";
    EXPECT_EQ(stroke.takeChanged(), (Rect{8, 8, 12, 12})) << "the stamp's four pixels each way";
    EXPECT_FALSE(stroke.takeChanged());
}

}  // namespace
}  // namespace lv::testing
