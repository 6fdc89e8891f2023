// Selections and the pixels they move through the real undo table: every state comes back
// exactly, whatever the order of undo and redo and whatever kinds of steps are mixed.

#include "app/core/tests/undo_test_support.h"
#include "edit/selection/magic_wand.h"
#include "edit/selection/selection.h"
#include "edit/selection/selection_content.h"
#include "edit/selection/shape_mask.h"
#include "edit/undo_hooks.h"

#include <gtest/gtest.h>

#include <functional>

namespace lv::testing {
namespace {


TEST(SelectionUndo, EverySelectionChangeComesBackExactly)
{
    History h(2);
    WandSettings wand;
    h.step([&](LayerStack& d) { ASSERT_TRUE(MagicWandClick(d, {3, 3}, wand)); });
    h.step([](LayerStack& d) { SelectRectangle(d, {30, 20, 38, 28}, CombineMode::Add); });
    h.step([](LayerStack& d) {
        HDIB ellipse = MakeShapeMask(9, 7, SelectionShape::Ellipse);
        ChangeSelection(d, {std::move(ellipse), {2, 2, 11, 9}}, CombineMode::Xor, kUndoShapeSelection);
    });
    h.step([](LayerStack& d) { ASSERT_TRUE(MoveSelectionOutline(d, 3, -1)); });
    h.step([](LayerStack& d) { ASSERT_TRUE(RemoveSelection(d)); });
    h.walkBackAndForth();
}

TEST(SelectionUndo, MixedSelectPaintMoveDeleteAndCropStepsUndoAndRedoInAnyOrder)
{
    History h(2);
    WandSettings wand;
    wand.tolerance = {0, 0, 0};
    h.step([&](LayerStack& d) { ASSERT_TRUE(MagicWandClick(d, {1, 1}, wand)); });
    h.step([](LayerStack& d) {  // a paint-like pixel step of the current layer
        RecordUndoStep(d, 1067);
        PaintCurrentLayer(d, 90);
    });
    h.step([](LayerStack& d) { ASSERT_TRUE(MoveSelectionContent(d, 4, 3, false)); });
    h.step([](LayerStack& d) { ASSERT_TRUE(MoveSelectionContent(d, -2, 5, false)); });  // lifted: no second lift
    h.step([](LayerStack& d) { SelectRectangle(d, {0, 0, 6, 6}, CombineMode::Subtract); });
    h.step([](LayerStack& d) { ASSERT_TRUE(DeleteSelectionContent(d)); });
    h.step([](LayerStack& d) { ASSERT_TRUE(MoveSelectionContent(d, 1, 1, true)); });
    h.step([](LayerStack& d) {
        RecordUndoStep(d, 1067);
        PaintCurrentLayer(d, 17);
    });
    h.step([](LayerStack& d) { ASSERT_TRUE(CropToSelection(d)); });

    h.randomWalk(200, 3);
}

TEST(SelectionUndo, ANewSelectionAfterUndoingDropsTheRedoBranch)
{
    History h(1);
    h.step([](LayerStack& d) { SelectRectangle(d, {1, 1, 5, 5}, CombineMode::New); });
    h.step([](LayerStack& d) { ASSERT_TRUE(MoveSelectionContent(d, 5, 0, false)); });
    h.undo();
    h.step([](LayerStack& d) { SelectRectangle(d, {2, 2, 3, 3}, CombineMode::Add); });
    EXPECT_FALSE(h.table.canRedo(h.open.doc(), kWindow));
    h.undo();
    EXPECT_EQ(h.open.doc().selectionRect, (Rect{1, 1, 5, 5}));
}

}  // namespace
}  // namespace lv::testing
