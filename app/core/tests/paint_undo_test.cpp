// Paint strokes and fills through the real undo table, mixed with selection and layer
// steps: one undo takes a whole stroke back exactly, and every state returns in any order.

#include "app/core/tests/undo_test_support.h"
#include "common/testing/ui_recorder.h"
#include "edit/layers.h"
#include "edit/paint/bucket_fill.h"
#include "edit/paint/gradient_fill.h"
#include "edit/paint/paint_stroke.h"
#include "edit/selection/selection.h"
#include "edit/selection/selection_content.h"
#include "edit/undo_hooks.h"

#include <gtest/gtest.h>


namespace lv::testing {
namespace {

void stroke(LayerStack& d, PaintKind kind, std::initializer_list<Point> points, RgbTriple colour = {250, 20, 90})
{
    UiRecorder ui;
    StrokeSetup setup;
    setup.kind = kind;
    setup.colour = colour;
    setup.options.brush.size = 6;
    setup.options.brush.speed = 32;
    setup.cloneOffset = Point{-5, -3};
    PaintStroke s;
    bool start = true;
    for (const Point p : points) {
        s.step(d, ui, setup, p, start);
        start = false;
    }
    s.finish();
    ASSERT_TRUE(ui.messages.empty());
}

TEST(PaintUndo, OneUndoTakesBackAWholeStrokeExactly)
{
    History h(1);
    h.step([](LayerStack& d) { stroke(d, PaintKind::Brush, {{2, 2}, {15, 8}, {15, 8}, {3, 9}, {18, 1}}); });
    ASSERT_NE(h.states[0], h.states[1]);
    h.undo();
    h.redo();
    h.undo();
}

TEST(PaintUndo, StrokesFillsSelectionsAndLayerStepsMixInAnyOrder)
{
    History h(2);
    UiRecorder ui;
    PaintOptions fill;
    fill.fillTransparency = 30;
    h.step([](LayerStack& d) { stroke(d, PaintKind::Brush, {{1, 1}, {12, 6}}); });
    h.step([](LayerStack& d) { stroke(d, PaintKind::Smudge, {{0, 8}, {12, 2}}); });
    h.step([](LayerStack& d) { SelectRectangle(d, {3, 2, 14, 9}, CombineMode::New); });
    h.step([](LayerStack& d) { stroke(d, PaintKind::Pen, {{0, 5}, {19, 5}}); });  // inside the selection only
    h.step([&](LayerStack& d) { ASSERT_TRUE(BucketFill(d, ui, {5, 3}, {10, 200, 10}, fill)); });
    h.step([](LayerStack& d) { ASSERT_TRUE(MoveSelectionContent(d, 2, 1, false)); });
    h.step([](LayerStack& d) { stroke(d, PaintKind::Eraser, {{6, 4}, {9, 6}}); });  // on lifted content
    h.step([](LayerStack& d) { ASSERT_TRUE(MoveSelectionContent(d, 1, 1, false)); });
    // The new layer (12 × 8, centred: columns 14..25, rows 11..18) clears the selection.
    h.step([](LayerStack& d) { ASSERT_TRUE(AddLayer(d, 0, DibCreate(12, 8, 0x303030u, false), {}, true, false)); });
    h.step([](LayerStack& d) { stroke(d, PaintKind::Brush, {{16, 12}, {24, 17}}); });
    h.step([](LayerStack& d) { ASSERT_TRUE(MoveLayer(d, 0, 2, true)); });
    h.step([](LayerStack& d) { SetLayerOpacity(d, 1, 40, true); });
    h.step([](LayerStack& d) { ChangeSelection(d, *EllipseRegion({12, 10, 24, 18}), CombineMode::New, kUndoShapeSelection); });
    h.step([&](LayerStack& d) {
        ASSERT_TRUE(GradientFill(d, ui, {12, 0}, {24, 0}, {0, 0, 0}, {255, 255, 255}, GradientShape::Linear));
    });
    h.step([](LayerStack& d) { stroke(d, PaintKind::Clone, {{20, 15}, {24, 17}}); });
    h.step([](LayerStack& d) { ASSERT_TRUE(RemoveSelection(d)); });
    h.step([](LayerStack& d) { stroke(d, PaintKind::Airbrush, {{18, 14}, {18, 14}, {18, 14}}); });

    h.expectEveryStepChanged();
    h.randomWalk(300, 11);
}

}  // namespace
}  // namespace lv::testing
