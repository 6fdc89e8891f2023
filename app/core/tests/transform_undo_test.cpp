// Layer transforms and whole-picture geometry through the real undo table, interleaved
// with selection, pixel and layer steps: every state comes back exactly.

#include "app/core/tests/undo_test_support.h"
#include "edit/placement/document_geometry.h"
#include "edit/placement/layer_placement.h"
#include "edit/selection/selection.h"
#include "edit/selection/selection_content.h"
#include "edit/undo_hooks.h"

#include <gtest/gtest.h>

namespace lv::testing {
namespace {

TEST(TransformUndo, LayerTransformsMixedWithSelectionPixelAndLayerStepsUndoExactly)
{
    History s(3);
    s.step([](LayerStack& d) { ASSERT_TRUE(ResizeCurrentLayer(d, {2, 3, 32, 18})); });
    s.step([](LayerStack& d) { SelectRectangle(d, {1, 1, 9, 9}, CombineMode::New); });
    s.step([](LayerStack& d) { ASSERT_TRUE(RotateCurrentLayer(d, 33)); });
    s.step([](LayerStack& d) {
        RecordUndoStep(d, 1001);
        PaintCurrentLayer(d, 90);
        CompositeLayers(d);
    });
    s.step([](LayerStack& d) { ASSERT_TRUE(MoveCurrentLayer(d, {-4, 7, 20, 30})); });
    s.step([](LayerStack& d) { ASSERT_TRUE(SetLayerOpacity(d, 1, 40, true) >= 0); });
    s.step([](LayerStack& d) { ASSERT_TRUE(MoveLayer(d, 0, 2, true)); });
    s.step([](LayerStack& d) { ASSERT_TRUE(RotateCurrentLayer(d, -75)); });
    s.expectEveryStepChanged();
    s.walkBackAndForth();
}

TEST(TransformUndo, WholePictureStepsKeepSizeLayersAndSelection)
{
    History s(3);
    s.step([](LayerStack& d) { SelectRectangle(d, {5, 5, 15, 12}, CombineMode::New); });
    s.step([](LayerStack& d) { ASSERT_TRUE(TurnDocument(d, true)); });
    s.step([](LayerStack& d) { ASSERT_TRUE(RotateCurrentLayer(d, 12)); });
    s.step([](LayerStack& d) { ASSERT_TRUE(FlipDocument(d, true)); });
    s.step([](LayerStack& d) { ASSERT_TRUE(ResizeCanvas(d, 50, 45, CanvasAnchor::TopRight, 0xFF)); });
    s.step([](LayerStack& d) { SelectRectangle(d, {0, 0, 4, 4}, CombineMode::New); });
    s.step([](LayerStack& d) { ASSERT_TRUE(ResizeDocument(d, 25, 60)); });
    s.step([](LayerStack& d) { ASSERT_TRUE(SpinDocument(d, 20)); });
    s.step([](LayerStack& d) { ASSERT_TRUE(FlipDocument(d, false)); });
    s.step([](LayerStack& d) { ASSERT_TRUE(TurnDocument(d, false)); });
    EXPECT_EQ(s.open.doc().selectionActive, 0u);
    s.expectEveryStepChanged();
    s.walkBackAndForth();
}

}  // namespace
}  // namespace lv::testing
