// Layer transforms and whole-picture geometry through the real undo table, interleaved
// with selection, pixel and layer steps: every state comes back exactly.

#include "app/core/tests/undo_test_support.h"
#include "edit/placement/document_geometry.h"
#include "edit/placement/layer_placement.h"
#include "edit/selection/selection.h"
#include "edit/selection/selection_content.h"
#include "edit/undo_hooks.h"

#include <gtest/gtest.h>

#include <functional>

namespace lv::testing {
namespace {

constexpr int kWindow = 9;

struct Steps {
    Steps()
        : open(table, kWindow, 3)
    {
        states.push_back(Fingerprint(open.doc()));
    }
    void step(const std::function<void(LayerStack&)>& operation)
    {
        operation(open.doc());
        const std::string now = Fingerprint(open.doc());
        ASSERT_NE(now, states.back()) << "step " << states.size() << " changed nothing";
        states.push_back(now);
    }
    // All the way back and forward again, checking each state.
    void walk()
    {
        for (std::size_t i = states.size() - 1; i > 0; --i) {
            ASSERT_TRUE(table.undo(open.doc(), kWindow)) << "undo to state " << i - 1;
            ASSERT_EQ(Fingerprint(open.doc()), states[i - 1]) << "after undo to state " << i - 1;
        }
        EXPECT_FALSE(table.undo(open.doc(), kWindow));
        for (std::size_t i = 1; i < states.size(); ++i) {
            ASSERT_TRUE(table.redo(open.doc(), kWindow));
            ASSERT_EQ(Fingerprint(open.doc()), states[i]) << "after redo to state " << i;
        }
    }
    UndoTable table{64};
    OpenDocument open;
    std::vector<std::string> states;
};

TEST(TransformUndo, LayerTransformsMixedWithSelectionPixelAndLayerStepsUndoExactly)
{
    Steps s;
    s.step([](LayerStack& d) { ASSERT_TRUE(ResizeCurrentLayer(d, {2, 3, 32, 18})); });
    s.step([](LayerStack& d) { ChangeSelection(d, *RectangleRegion({1, 1, 9, 9}), CombineMode::New, kUndoShapeSelection); });
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
    s.walk();
}

TEST(TransformUndo, WholePictureStepsKeepSizeLayersAndSelection)
{
    Steps s;
    s.step([](LayerStack& d) { ChangeSelection(d, *RectangleRegion({5, 5, 15, 12}), CombineMode::New, kUndoShapeSelection); });
    s.step([](LayerStack& d) { ASSERT_TRUE(TurnDocument(d, true)); });
    s.step([](LayerStack& d) { ASSERT_TRUE(RotateCurrentLayer(d, 12)); });
    s.step([](LayerStack& d) { ASSERT_TRUE(FlipDocument(d, true)); });
    s.step([](LayerStack& d) { ASSERT_TRUE(ResizeCanvas(d, 50, 45, CanvasAnchor::TopRight, 0xFF)); });
    s.step([](LayerStack& d) { ChangeSelection(d, *RectangleRegion({0, 0, 4, 4}), CombineMode::New, kUndoShapeSelection); });
    s.step([](LayerStack& d) { ASSERT_TRUE(ResizeDocument(d, 25, 60)); });
    s.step([](LayerStack& d) { ASSERT_TRUE(SpinDocument(d, 20)); });
    s.step([](LayerStack& d) { ASSERT_TRUE(FlipDocument(d, false)); });
    s.step([](LayerStack& d) { ASSERT_TRUE(TurnDocument(d, false)); });
    EXPECT_EQ(s.open.doc().selectionActive, 0u);
    s.walk();
}

}  // namespace
}  // namespace lv::testing
