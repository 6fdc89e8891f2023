// Every layer switch puts lifted content down in its own layer first: the palette's, the
// text tool's (a click on another text layer, or new lettering) and the project screens'.
// With the text tool the drop and the lettering are one undo step.

#include "app/core/tests/text_tool_support.h"
#include "app/core/tests/undo_walk.h"
#include "edit/placement/document_geometry.h"
#include "edit/selection/selection_content.h"
#include "edit/text_layer/text_layer.h"
#include "edit/undo_hooks.h"

#include <gtest/gtest.h>

namespace lv::testing {
namespace {

// Two image layers under a text layer at the top right; the first image layer is current.
std::unique_ptr<LayerStack> LetteringOverTwoLayers()
{
    auto stack = LayeredDocument(2);
    TextLayerSettings settings;
    settings.text = "Oi";
    settings.font.height = -14;
    settings.font.faceName = "Arial";
    settings.left = 22;
    settings.top = 2;
    EXPECT_EQ(CreateOrUpdateTextLayer(stack.get(), TestFonts(), settings, false), kTextLayerOk);
    SetCurrentLayer(*stack, 1);
    CompositeLayers(*stack);
    return stack;
}

Step Lift(Rect r, int dx, int dy)  // a rectangle selected, then its content moved
{
    return {"select and lift", [=](LayerStack& d) {
                ASSERT_TRUE(SelectRectangle(d, r, CombineMode::New));
                ASSERT_TRUE(MoveSelectionContent(d, dx, dy, false));
                ASSERT_TRUE(d.selectionAux) << "content lifted";
            },
            2, 2};  // two user actions: the selection and the move
}
Step TextTool(std::string words, bool shadow, Point at, int expectedLayer)
{
    return {"text tool " + words, [=](LayerStack& d) {
                const int lifted = d.currentLayer;
                FilledTextScreen screen;
                screen.words = words;
                screen.shadow = shadow;
                lv::TextTool tool;
                tool.setScreen(&screen);
                DocumentWindow window(d);
                ASSERT_TRUE(tool.press(window, PointerAt(at)).wholeDocument);
                EXPECT_FALSE(d.selectionAux) << "the lifted content went down into layer " << lifted;
                EXPECT_FALSE(d.floatingUnderImage);
                EXPECT_EQ(d.currentLayer, expectedLayer);
            }};
}

TEST(LayerSwitchDrop, EditingAnotherTextLayerPutsLiftedContentDownInOneStepWithTheLettering)
{
    UndoWalk walk(LetteringOverTwoLayers());
    walk.run({Lift({2, 2, 12, 8}, 3, 2), TextTool("Editado", false, {25, 8}, 0), Paint(90), Turn(true)}, 2);
}

TEST(LayerSwitchDrop, NewLetteringWithAShadowPutsLiftedContentDownFirst)
{
    UndoWalk walk(LetteringOverTwoLayers());
    walk.run({Paint(70), Lift({2, 2, 12, 8}, 1, 4), TextTool("Novo", true, {1, 1}, 0), Turn(true), Paint(20)}, 5);
}

TEST(LayerSwitchDrop, UndoingTheLetteringBringsTheLiftedContentBackOnItsOwnLayer)
{
    UndoWalk walk(LetteringOverTwoLayers());
    walk.apply(Lift({2, 2, 12, 8}, 3, 2));
    const std::string lifted = Fingerprint(walk.doc());
    walk.apply(TextTool("Editado", false, {25, 8}, 0));
    ASSERT_TRUE(walk.table.undo(walk.doc(), kWindow));
    EXPECT_EQ(Fingerprint(walk.doc()), lifted) << "one undo: the lettering and the drop";
    EXPECT_EQ(walk.doc().currentLayer, 1);
}

TEST(LayerSwitchDrop, TheProjectScreensSwitchDropsTooAndAStayRecordsNothing)
{
    UndoWalk walk(LetteringOverTwoLayers());
    walk.apply(Lift({2, 2, 12, 8}, 3, 2));
    walk.apply({"same layer", [](LayerStack& d) { EXPECT_EQ(SwitchCurrentLayer(d, 1), 1); }, 0, 0});
    walk.apply({"placeholder step", [](LayerStack& d) {
                    EXPECT_EQ(SwitchCurrentLayer(d, 0), 1);
                    EXPECT_FALSE(d.selectionAux);
                }});
    walk.apply({"bad index", [](LayerStack& d) { EXPECT_EQ(SwitchCurrentLayer(d, 9), -1); }, 0, 0});
    walk.apply(Paint(40));
    walk.walkBackAndForth();
}

}  // namespace
}  // namespace lv::testing
