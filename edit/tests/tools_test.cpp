#include "common/string_table.h"
#include "common/testing/ui_recorder.h"
#include "edit/compositing.h"
#include "edit/layer_palette_rules.h"
#include "edit/placement/layer_placement.h"
#include "edit/selection/selection.h"
#include "edit/tests/layer_test_support.h"
#include "edit/tests/tool_test_support.h"
#include "edit/tools/paint/colour_picker_tool.h"
#include "edit/tools/placement/layer_resize_tool.h"
#include "edit/tools/placement/layer_rotate_tool.h"
#include "edit/tools/placement/transform_frame.h"
#include "edit/tools/tool_registry.h"

#include <gtest/gtest.h>

namespace lv::testing {
namespace {

TEST(ToolRegistry, KnowsEveryToolIdAndNamesThemInTheStatusLine)
{
    for (const int id : {1101, 1102, 1103, 1104, 1105, 1106, 1107, 1108, 1109, 1110, 1111, 1112, 1113, 1114, 1115,
                         1116, 1117, 1118, 1119, 1120, 1121, 1122, 1123, 1124, 1127, 1128, 1129, 1140, 1141}) {
        EXPECT_TRUE(IsToolId(id)) << id;
        ASSERT_TRUE(Tools().find(id)) << id;
        EXPECT_EQ(Tools().find(id)->takesRightButton(), id == 1119 || id == 1123) << id << ": the clone and the picker only";
        for (const int part : {903, 902, 901})
            EXPECT_FALSE(LoadString(3 * id - part).empty()) << "string " << 3 * id - part << " of tool " << id;
    }
    EXPECT_FALSE(IsToolId(1125) || IsToolId(1126) || IsToolId(1130)) << "undo is a command";
    EXPECT_EQ(CurrentToolId(), 1101);
    EXPECT_NE(ToolStatusText(1107, true), ToolStatusText(1107, false)) << "the zoom hint follows the view";
    EXPECT_NE(ToolStatusText(1107, true).find(LoadString(2525)), std::string::npos);
    EXPECT_NE(ToolStatusText(1107, false).find(LoadString(2528)), std::string::npos);
    EXPECT_EQ(ToolStatusText(1125, false), "");
}

// A drag corner to corner and Esc dropping the band are the selection journey's
// (selection_x11_test.sh); Shift adding and Alt taking away the page-mode test's below.
TEST(SelectionTools, AClickTakesTheSelectionAwayAndTheEllipseSelectsItsShape)
{
    FakeWindow w;
    Tool& rectangle = tool(1101);
    w.drag(rectangle, {{2, 2}, {5, 7}, {9, 4}});
    w.click(rectangle, {5, 5});
    EXPECT_EQ(w.stack->selectionActive, 0u) << "a click without a drag takes the selection away";

    const ToolResult result = w.drag(tool(1102), {{0, 0}, {6, 4}});
    // A selection is not a change of pixels.
    EXPECT_EQ(std::pair(bool(result.redraw), bool(result.changed)), std::pair(true, false));
    EXPECT_EQ(std::tuple(w.stack->selectionRect, w.stack->selectionActive), std::tuple(Rect{0, 0, 7, 5}, 2u));
    EXPECT_EQ(std::pair(bool(SelectionContains(*w.stack, {0, 0})), bool(SelectionContains(*w.stack, {3, 2}))), std::pair(false, true));
}

TEST(SelectionTools, FreehandDragsClosePolygonClicksCloseOnTheFirstCornerOrADoubleClick)
{
    FakeWindow w;
    Tool& lasso = tool(1103);
    w.drag(lasso, {{0, 0}, {10, 0}, {0, 10}});
    EXPECT_EQ(w.stack->selectionRect, (Rect{0, 0, 11, 11}));
    EXPECT_EQ(SelectedPixelCount(*w.stack), 11 * 12 / 2) << "the triangle with its edges";

    w.click(lasso, {20, 5});
    w.click(lasso, {30, 5});
    EXPECT_TRUE(lasso.move(w, FakeWindow::event({25, 15})).redraw) << "the next side follows the pointer";
    w.click(lasso, {30, 15});
    EXPECT_EQ(w.stack->selectionRect, (Rect{0, 0, 11, 11})) << "still open";
    w.click(lasso, {21, 6});  // near enough to the first corner
    EXPECT_EQ(w.stack->selectionRect, (Rect{20, 5, 31, 16}));

    w.click(lasso, {1, 20});
    w.click(lasso, {8, 20});
    w.click(lasso, {8, 27});
    lasso.doubleClick(w, FakeWindow::event({8, 27}));
    EXPECT_EQ(w.stack->selectionRect, (Rect{1, 20, 9, 28}));

    w.click(lasso, {1, 1});
    w.click(lasso, {5, 1});
    EXPECT_TRUE(lasso.key(w, {ToolKey::Escape, {}}).handled);
    EXPECT_EQ(w.stack->selectionRect, (Rect{1, 20, 9, 28})) << "Esc drops the polygon";
}

TEST(SelectionTools, TheWandUsesThePanelsModeUnlessAKeyIsHeld)
{
    FakeWindow w;
    Tool& wand = tool(1104);
    w.toolSettings.wand.tolerance = {0, 0, 0};
    w.click(wand, {3, 3});
    EXPECT_EQ(w.stack->selectionRect, (Rect{0, 0, 10, 10}));
    w.click(wand, {20, 20}, kShift);
    EXPECT_EQ(w.stack->selectionRect, (Rect{0, 0, 40, 30})) << "added the blue part";
    w.toolSettings.wand.combine = CombineMode::Subtract;
    w.click(wand, {20, 20});
    EXPECT_EQ(std::tuple(w.stack->selectionRect, w.undo.steps.back().code), std::tuple(Rect{0, 0, 10, 10}, 7077));
}

TEST(SelectionTools, EveryShapeToolFollowsThePagesModeAndKeysOverrideIt)
{
    FakeWindow w;
    w.toolSettings.wand.combine = CombineMode::Add;
    Tool& rectangle = tool(1101);
    const auto contains = [&](Point a, Point b) { return std::pair(bool(SelectionContains(*w.stack, a)), bool(SelectionContains(*w.stack, b))); };
    w.drag(rectangle, {{0, 0}, {4, 4}});
    w.drag(rectangle, {{10, 10}, {14, 14}});
    EXPECT_EQ(w.stack->selectionRect, (Rect{0, 0, 15, 15})) << "two rectangles with Add give their union";
    EXPECT_EQ(SelectedPixelCount(*w.stack), 50);
    EXPECT_EQ(contains({2, 2}, {7, 7}), std::pair(true, false));
    w.click(rectangle, {30, 25});
    EXPECT_EQ(SelectedPixelCount(*w.stack), 50) << "a click under Add leaves the selection alone";

    w.toolSettings.wand.combine = CombineMode::Subtract;
    w.drag(rectangle, {{0, 0}, {14, 2}});
    EXPECT_EQ(SelectedPixelCount(*w.stack), 25 - 15 + 25) << "Subtract cuts the top rows of the first square";
    EXPECT_EQ(contains({1, 1}, {1, 3}), std::pair(false, true));

    w.drag(rectangle, {{0, 0}, {39, 29}}, kShift);
    EXPECT_EQ(SelectedPixelCount(*w.stack), 40 * 30) << "Shift adds whatever the page says";
    w.toolSettings.wand.combine = CombineMode::Add;
    w.drag(rectangle, {{0, 0}, {39, 9}}, kAlt);
    EXPECT_EQ(SelectedPixelCount(*w.stack), 40 * 20) << "Alt takes away whatever the page says";

    // The ellipse is the rectangle's tool with another shape; the freehand outline is a tool of its own.
    w.toolSettings.wand.combine = CombineMode::New;
    w.drag(rectangle, {{0, 0}, {2, 2}});

    Tool& lasso = tool(1103);
    w.toolSettings.wand.combine = CombineMode::Add;
    w.drag(lasso, {{30, 0}, {39, 0}, {39, 9}, {30, 9}});
    EXPECT_EQ(w.stack->selectionRect, (Rect{0, 0, 40, 10})) << "the freehand outline adds";
    EXPECT_EQ(contains({1, 1}, {35, 5}), std::pair(true, true));
    w.toolSettings.wand.combine = CombineMode::Subtract;
    w.drag(lasso, {{30, 0}, {39, 0}, {39, 9}, {30, 9}});
    EXPECT_EQ(w.stack->selectionRect, (Rect{0, 0, 3, 3})) << "and takes away";
    w.drag(lasso, {{30, 0}, {39, 0}, {39, 9}, {30, 9}}, kShift);
    EXPECT_EQ(w.stack->selectionRect, (Rect{0, 0, 40, 10})) << "Shift overrides the page for the lasso";

    w.toolSettings.wand.combine = CombineMode::Add;
    w.drag(tool(1122), {{5, 20}, {9, 24}});
    EXPECT_EQ(w.stack->selectionRect, (Rect{5, 20, 10, 25})) << "the crop band is not a selection mode's";
}

TEST(MoveTools, MoveTheOutlineOrTheContentAndNudgeWithTheArrows)
{
    FakeWindow w;
    w.drag(tool(1101), {{0, 0}, {9, 9}});
    Tool& outline = tool(1105);
    const ToolResult moved = w.drag(outline, {{5, 5}, {8, 6}, {15, 5}});
    EXPECT_EQ(std::tuple(bool(moved.changed), w.stack->selectionRect, w.undo.steps.back().code), std::tuple(false, Rect{10, 0, 20, 10}, 5075));

    Tool& content = tool(1106);
    ASSERT_TRUE(w.drag(content, {{12, 2}, {12, 12}}).changed);
    EXPECT_EQ(std::tuple(w.undo.steps.back().code, w.stack->selectionRect), std::tuple(6076, Rect{10, 10, 20, 20}));
    EXPECT_EQ(w.stack->layers[0].mask.read().row(29)[15], 0) << "the lifted place is transparent";

    content.key(w, {ToolKey::Right, kShift});
    EXPECT_EQ(w.stack->selectionRect, (Rect{20, 10, 30, 20})) << "Shift nudges by 10";
    outline.key(w, {ToolKey::Up, kControl});
    EXPECT_EQ(w.stack->selectionRect, (Rect{20, 9, 30, 19})) << "Ctrl by 1";

    w.stack->selectionActive = 0;
    w.click(outline, {1, 1});
    EXPECT_EQ(w.recorder.beeps, 1) << "nothing to move";
}

TEST(MoveTools, LiftedContentIsPutDownInItsOwnLayerBeforeAnotherBecomesCurrent)
{
    FakeWindow w;
    constexpr Rgb kGreen{0, 150, 0};
    AppendLayer(*w.stack, SolidPicture(40, 30, kGreen));
    CompositeLayers(*w.stack);
    w.drag(tool(1101), {{0, 0}, {9, 9}});
    Tool& content = tool(1106);
    w.drag(content, {{5, 5}, {15, 5}});
    ASSERT_EQ(LayerPixel(*w.stack, 0, {12, 2}), kYellow);

    ASSERT_TRUE(ClickLayerRow(*w.stack, 1));
    // The drop is a step of its own, recorded while the content's layer was current.
    EXPECT_EQ(std::pair(w.undo.steps.back().code, w.undo.steps.back().currentLayer), std::pair(5075, 0));
    EXPECT_FALSE(w.stack->selectionAux || w.stack->floatingUnderImage);

    w.drag(content, {{12, 2}, {12, 12}});
    EXPECT_EQ(LayerPixel(*w.stack, 1, {12, 12}), kGreen) << "the second layer carries its own pixels";
    EXPECT_EQ(LayerCover(*w.stack, 1, {12, 2}), 0) << "lifted from the second layer";
    EXPECT_EQ(std::pair(LayerPixel(*w.stack, 0, {12, 2}), LayerCover(*w.stack, 0, {12, 2})), std::pair(kYellow, 255))
        << "the first layer keeps the dropped square";
    EXPECT_EQ(LayerPixel(*w.stack, 0, {12, 12}), kBlue) << "and nothing of it moved on";
    EXPECT_EQ(LayerCover(*w.stack, 0, {2, 2}), 0) << "the first lift's hole stays";

    const std::size_t steps = w.undo.steps.size();
    EXPECT_TRUE(ClickLayerRow(*w.stack, 0));
    EXPECT_EQ(w.undo.steps.size(), steps + 1);
    EXPECT_TRUE(ClickLayerRow(*w.stack, 1));
    EXPECT_EQ(w.undo.steps.size(), steps + 1) << "nothing lifted, nothing to record";
}

// The crop (a drag, then a click inside) is the photo-editing journey's first step; the picker's
// right button taking the secondary colour is the image window's selection test.
TEST(OtherTools, TrashZoomGrabAndPicker)
{
    FakeWindow w;
    w.drag(tool(1101), {{1, 1}, {3, 3}});
    tool(1124).chosen(w);
    EXPECT_EQ(w.stack->selectionActive, 0u) << "choosing the trash clears the selection";

    w.press(tool(1107), {4, 2});
    w.press(tool(1107), {4, 2}, kShift);
    ASSERT_EQ(w.zooms.size(), 2u);
    EXPECT_EQ(std::pair(w.zooms[0].first, w.zooms[1].first), std::pair(1, -1));

    Tool& grab = tool(1108);
    PointerEvent e = FakeWindow::event({0, 0});
    e.client = {100, 100};
    grab.press(w, e);
    e.client = {90, 120};
    grab.move(w, e);
    EXPECT_EQ(w.scroll, (Point{60, 40})) << "the picture follows the pointer";
    grab.release(w, e);

    Tool& picker = tool(1123);
    w.press(picker, {1, 1});
    EXPECT_EQ(w.active, (RgbTriple{250, 250, 0}));
    w.press(picker, {100, 1});
    EXPECT_EQ(w.recorder.beeps, 1) << "outside the picture";
}

// The layer resize and free-rotate tools driven like a window drives them.
TEST(TransformFrame, CornersWithinThreePixelsAndEdgesOnlyBetweenTheCorners)
{
    const Rect f{100, 50, 300, 150};
    const struct {
        Point at;
        bool edges;
        int handle;
    } cases[] = {
        {{103, 53}, true, kHandleTopLeft}, {{97, 147}, true, kHandleBottomLeft}, {{303, 47}, false, kHandleTopRight},
        {{300, 150}, true, kHandleBottomRight}, {{302, 149}, true, kHandleBottomRight},
        {{104, 50}, true, kHandleTop},      // 4 pixels along the edge is no longer the corner
        {{104, 50}, false, kHandleInside},  // the rotate tool has no edges
        {{100, 46}, true, kHandleNone},     // 4 pixels above the corner
        {{96, 100}, true, kHandleNone}, {{97, 100}, true, kHandleLeft}, {{200, 152}, true, kHandleBottom},
        {{200, 100}, true, kHandleInside}, {{320, 100}, true, kHandleNone},
    };
    for (const auto& c : cases)
        EXPECT_EQ(int(FrameHandleAt(f, c.at, c.edges)), c.handle) << c.at.x << "," << c.at.y;
}

TEST(TransformFrame, CornersKeepTheAspectWithAnEightPixelFloorAndTheOppositeCorner)
{
    const Rect f{0, 0, 200, 100};
    EXPECT_EQ(DragFrame(f, f, kHandleBottomRight, -50, 999, 2), (Rect{0, 0, 150, 75}));
    EXPECT_EQ(DragFrame(f, f, kHandleTopLeft, 50, 0, 2), (Rect{50, 25, 200, 100}));
    EXPECT_EQ(DragFrame(f, f, kHandleBottomRight, -192, 0, 2), (Rect{0, 0, 8, 4})) << "width 8 falls to 8";
    EXPECT_EQ(DragFrame(f, f, kHandleBottomRight, -191, 0, 2), (Rect{0, 0, 9, 4}));
    EXPECT_EQ(DragFrame(f, f, kHandleBottomLeft, -300, 0, 2), (Rect{-300, 0, 200, 250}));
    // Taller than wide: the height follows the pointer.
    const Rect tall{10, 10, 60, 110};
    EXPECT_EQ(DragFrame(tall, tall, kHandleTopRight, 0, 50, 0.5), (Rect{10, 60, 35, 110}));
    EXPECT_EQ(DragFrame(tall, tall, kHandleTopRight, 0, 500, 0.5), (Rect{10, 102, 14, 110}));
    // Edges move alone; a frame with no inside left is refused.
    EXPECT_EQ(DragFrame(f, f, kHandleRight, 30, 7, 2), (Rect{0, 0, 230, 100}));
    EXPECT_EQ(DragFrame(f, f, kHandleTop, 0, -20, 2), (Rect{0, -20, 200, 100}));
    const Rect previous{1, 2, 3, 4};
    EXPECT_EQ(DragFrame(f, previous, kHandleLeft, 199, 0, 2), previous);
    EXPECT_EQ(DragFrame(f, previous, kHandleLeft, 197, 0, 2), (Rect{197, 0, 200, 100}));
    EXPECT_EQ(DragFrame(f, f, kHandleInside, -5, 6, 2), (Rect{-5, 6, 195, 106}));
}

// A window on a 400 × 300 document whose layer of 200 × 100 stands at (50, 40) from the top-left.
FakeWindow Window()
{
    auto stack = EmptyDocument(400, 300);
    AppendLayer(*stack, SolidPicture(200, 100, {10, 200, 30}), MakeGreyFilled(200, 100, 255), 50, 300 - 40 - 100);
    stack->layers[0].aspect = 2;
    CompositeLayers(*stack);
    return FakeWindow(std::move(stack));
}

TEST(TransformTools, ACornerDragResizesKeepingTheShapeAndTheInsideMoves)
{
    FakeWindow w = Window();
    Tool& resize = tool(tool_id::kLayerResize);
    // The layer is (50, 40, 250, 140); the bottom-right corner dragged 50 to the left.
    EXPECT_TRUE(w.drag(resize, {{251, 141}, {226, 120}, {201, 100}}).changed && !resize.dragging());
    EXPECT_EQ(*CurrentLayerBox(*w.stack), (Rect{50, 40, 200, 115}));
    ASSERT_EQ(w.undo.codes(), std::vector<int>{kUndoLayerResize});

    const HDIB before = CopyPicture(w.stack->layers[0].image.read());
    w.drag(resize, {{100, 60}, {95, 70}, {90, 80}});
    EXPECT_EQ(std::tuple(*CurrentLayerBox(*w.stack), w.undo.steps.back().code), std::tuple(Rect{40, 60, 190, 135}, kUndoLayerPlacedMove));
    EXPECT_TRUE(SamePixels(before, w.stack->layers[0].image.read())) << "moved, not rendered";

    // A click on a corner renders nothing; outside does nothing; the left edge drags alone.
    w.drag(resize, {{40, 135}, {40, 135}, {40, 135}});
    EXPECT_EQ(w.undo.steps.size(), 2u);
    EXPECT_FALSE(resize.press(w, FakeWindow::event({5, 5})).handled);
    w.drag(resize, {{38, 100}, {29, 100}, {20, 100}});
    EXPECT_EQ(*CurrentLayerBox(*w.stack), (Rect{22, 60, 190, 135}));
}

TEST(TransformTools, LosingTheMouseAbandonsTheDragAndTheRotateToolTurnsByWholeDegrees)
{
    FakeWindow w = Window();
    Tool& rotate = tool(tool_id::kLayerRotate);
    rotate.press(w, FakeWindow::event({250, 140}));
    rotate.move(w, FakeWindow::event({150, 200}));
    EXPECT_TRUE(rotate.dragging());
    rotate.cancel(w);
    EXPECT_FALSE(rotate.dragging() || !w.undo.steps.empty() || w.stack->layers[0].sourceImage) << "nothing applied";

    // From the bottom-right corner (angle 27 from the centre (150, 90)) to straight below: 63.
    rotate.press(w, FakeWindow::event({250, 140}));
    rotate.move(w, FakeWindow::event({150, 200}));
    EXPECT_EQ(static_cast<LayerRotateTool&>(rotate).angle(), 90 - 27);
    EXPECT_TRUE(rotate.release(w, FakeWindow::event({150, 200})).changed);
    ASSERT_EQ(w.undo.codes(), std::vector<int>{kUndoLayerRotate});
    EXPECT_TRUE(w.stack->layers[0].image.height() > 150 && rotate.cursor(w, {0, 0}) == ToolCursor::Rotate);
}

}  // namespace
}  // namespace lv::testing
