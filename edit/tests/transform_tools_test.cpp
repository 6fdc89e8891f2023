// The layer resize and free-rotate tools driven like a window drives them.

#include "common/testing/ui_recorder.h"
#include "edit/compositing.h"
#include "edit/placement/layer_placement.h"
#include "edit/tests/tool_test_support.h"
#include "edit/tools/placement/layer_resize_tool.h"
#include "edit/tools/placement/layer_rotate_tool.h"
#include "edit/tools/tool_registry.h"
#include "edit/tools/placement/transform_frame.h"

#include <gtest/gtest.h>

namespace lv::testing {
namespace {

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

TEST(TransformFrame, AnglesInWholeDegreesFromTheCentre)
{
    // The atan of -1 rounds up by the added half.
    EXPECT_EQ((std::vector<int>{DirectionDegrees(10, 0), DirectionDegrees(-10, 0), DirectionDegrees(0, -10), DirectionDegrees(0, 10),
                                DirectionDegrees(10, 10), DirectionDegrees(-10, 10)}),
              (std::vector<int>{0, 180, 270, 90, 45, 180 - 44}));
    const auto corners = RotatedCorners({0, 0, 20, 10}, 90);
    // Offsets round by adding a half and truncating: -9.5 becomes -9, -4.5 becomes -4.
    EXPECT_EQ(std::pair(corners[0], corners[2]), std::pair(Point{15, -4}, Point{6, 15}));
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
    const ToolResult result = w.drag(resize, {{251, 141}, {226, 120}, {201, 100}});
    EXPECT_TRUE(result.changed && !resize.dragging());
    EXPECT_EQ(*CurrentLayerBox(*w.stack), (Rect{50, 40, 200, 115}));
    ASSERT_EQ(w.undo.codes(), std::vector<int>{kUndoLayerResize});

    const HDIB before = CopyPicture(w.stack->layers[0].image.read());
    w.drag(resize, {{100, 60}, {95, 70}, {90, 80}});
    EXPECT_EQ(std::tuple(*CurrentLayerBox(*w.stack), w.undo.steps.back().code), std::tuple(Rect{40, 60, 190, 135}, kUndoLayerPlacedMove));
    EXPECT_EQ(std::memcmp(before.data(), w.stack->layers[0].image.read().data(), before.size()), 0);

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

TEST(TransformTools, TheTransformButtonsChooseWhichToolTakesTheMouse)
{
    FakeWindow w = Window();
    Tool& transform = tool(tool_id::kTransform);
    w.toolSettings.transform = TransformChoice::Resize;
    EXPECT_EQ(transform.cursor(w, {50, 100}), ToolCursor::SizeWe) << "the left edge";
    w.toolSettings.transform = TransformChoice::FreeRotate;
    EXPECT_EQ(transform.cursor(w, {50, 100}), ToolCursor::Move) << "no edges: inside";
    EXPECT_EQ(transform.cursor(w, {50, 40}), ToolCursor::SizeNesw);
}

}  // namespace
}  // namespace lv::testing
