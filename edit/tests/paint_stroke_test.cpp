// The stroke engine: stamps, dab sizes and spacing, the brush, pen and eraser pixel rules,
// the mask lock, the selection and the refusals.

#include "common/string_table.h"
#include "edit/paint/brush_stamp.h"
#include "edit/paint/paint_stroke.h"
#include "edit/selection/selection.h"
#include "edit/selection/selection_content.h"
#include "edit/tests/paint_test_support.h"
#include "edit/tools/paint/stroke_tool.h"

#include <gtest/gtest.h>

namespace lv::testing {
namespace {

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
    const BrushStamp big = BuildBrushStamp({StampKind::Soft, 1, 16, 100, nullptr});
    EXPECT_EQ(big.at(10, 10), (880 * 101 + 2047) >> 11);
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
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(bar.at(i, 2), 255);
        EXPECT_EQ(column.at(2, i), 255);
        EXPECT_EQ(diagonal.at(i, i), 255);
        EXPECT_EQ(anti.at(4 - i, i), 255);
    }
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
    int last = 1;
    for (int speed = 2; speed <= 32; ++speed) {
        const int n = DabCount({0, 0}, {200, 0}, speed, 20);
        EXPECT_GE(n, last) << "speed " << speed;
        last = n;
    }
    EXPECT_LT(DabCount({0, 0}, {200, 0}, 20, 20), 200);
    // The dabs walk from the previous point and the last lands on the new one.
    EXPECT_EQ((std::vector<Point>{DabCentre({0, 0}, {10, 4}, 5, 5), DabCentre({0, 0}, {10, 4}, 1, 2), DabCentre({10, 0}, {0, 0}, 1, 10)}),
              (std::vector<Point>{{10, 4}, {5, 2}, {9, 0}}));
}

// Speed 32, a dab per pixel of travel, is the tool's brush-stroke test.
TEST(PaintStroke, SpeedOneLaysOneDabPerEvent)
{
    FakeWindow w;
    auto& brush = static_cast<StrokeTool&>(tool(1114));
    w.toolSettings.paint.brush.speed = 1;
    w.drag(brush, {{5, 15}, {20, 15}, {35, 15}});
    EXPECT_EQ(brush.stroke().dabs(), 3);
    // Between the dabs 15 pixels apart the layer is untouched at speed 1 with a small brush.
    w.toolSettings.paint.brush.size = 2;
    w.drag(brush, {{5, 27}, {35, 27}});
    EXPECT_EQ(LayerPixel(*w.stack, 0, {20, 27}), kBlue);
}

TEST(PaintStroke, ARestingBrushKeepsPaintingAndARestingPenDoesNot)
{
    FakeWindow w;
    w.toolSettings.paint.brush.size = 8;
    auto& brush = static_cast<StrokeTool&>(tool(1114));
    const Point edge{24, 20};  // in the soft fringe of a dab at (20, 20)
    brush.press(w, FakeWindow::event({20, 20}));
    const Rgb once = LayerPixel(*w.stack, 0, edge);
    EXPECT_NE(once, kBlue);
    brush.move(w, FakeWindow::event({20, 20}, {}, MouseButton::Left, true));
    brush.move(w, FakeWindow::event({20, 20}, {}, MouseButton::Left, true));
    EXPECT_EQ(brush.stroke().dabs(), 3);
    EXPECT_GT(LayerPixel(*w.stack, 0, edge).r, once.r) << "more paint where the brush rests";
    brush.release(w, FakeWindow::event({20, 20}));
    EXPECT_TRUE(brush.repeatsWhileHeld());

    auto& pen = static_cast<StrokeTool&>(tool(1116));
    pen.press(w, FakeWindow::event({30, 25}));
    const auto before = LayerBytes(*w.stack, 0);
    const ToolResult rest = pen.move(w, FakeWindow::event({30, 25}, {}, MouseButton::Left, true));
    EXPECT_FALSE(rest.changed);
    EXPECT_EQ(pen.stroke().dabs(), 1);
    EXPECT_EQ(LayerBytes(*w.stack, 0), before);
    pen.release(w, FakeWindow::event({30, 25}));
    EXPECT_FALSE(pen.repeatsWhileHeld());
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
    for (int x = 20; x < 32; ++x) {
        const Rgb c = LayerPixel(*w.stack, 0, {x, 20});
        EXPECT_LE(c.r, 127) << x;
        EXPECT_GE(c.b, 100) << x;
    }
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
        if (id == 1120) {
            EXPECT_TRUE(SamePixels(w.stack->layers[0].image.read(), imageBefore)) << "the eraser changes only the mask";
        }
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
    HDIB palette = MakePicture(40, 30, 4, 16);
    w.stack->layers[0].image = SharedPicture(std::move(palette));
    const int beeps = w.recorder.beeps;
    const ToolResult result = tool(1116).press(w, FakeWindow::event({5, 5}));
    EXPECT_FALSE(result.changed);
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
