// Lettering placed with a shadow is one user action: one undo takes back the text, the
// shadow and their merge together, whatever steps come before and after it.

#include "app/core/tests/text_tool_support.h"
#include "app/core/tests/undo_walk.h"
#include "edit/placement/document_geometry.h"
#include "edit/undo_hooks.h"

#include <gtest/gtest.h>

namespace lv::testing {
namespace {

Step Lettering(std::string words, bool shadow, Point at)
{
    return {"text tool " + words, [=](LayerStack& d) {
                FilledTextScreen screen;
                screen.words = words;
                screen.shadow = shadow;
                TextTool tool;
                tool.setScreen(&screen);
                DocumentWindow window(d);
                const int layers = d.layerCount;
                ASSERT_TRUE(tool.press(window, PointerAt(at)).wholeDocument);
                EXPECT_GE(d.layerCount, layers);
            }};
}
Step ShadowOnly() { return {"shadow", [](LayerStack& d) { ASSERT_TRUE(AddDropShadow(d, {3, 50, 1, 2})); }}; }

TEST(TextActionUndo, TextWithAShadowUndoesAndRedoesAsOneStepAmongOtherKinds)
{
    UndoWalk walk(2);
    walk.run({Lettering("Oi", true, {4, 5}), Paint(120), Turn(false), Lettering("Olá", true, {2, 2}),
              Lettering("sem", false, {20, 3}), Paint(60)},
             38);
}

TEST(TextActionUndo, TheFirstUndoNeverShowsALoneShadow)
{
    UndoWalk walk(1);
    const std::string start = walk.states().front();
    walk.apply(Lettering("Sombra", true, {3, 3}));
    ASSERT_TRUE(walk.table.undo(walk.doc(), kWindow));
    EXPECT_EQ(Fingerprint(walk.doc()), start) << "the lettering, its shadow and the merge all went";
    EXPECT_FALSE(walk.table.undo(walk.doc(), kWindow)) << "nothing else was recorded";
    ASSERT_TRUE(walk.table.redo(walk.doc(), kWindow));
    EXPECT_EQ(Fingerprint(walk.doc()), walk.states().back());
}

TEST(TextActionUndo, AShadowAddedLaterIsItsOwnSingleStep)
{
    UndoWalk walk(2);
    walk.run({Lettering("Oi", false, {4, 5}), ShadowOnly(), Paint(30), Lettering("Dois", false, {20, 18}), ShadowOnly()}, 7);
}

TEST(UndoActions, NestedActionsEndWithTheOutermostAndAWithdrawnStepLeavesNoHole)
{
    UndoWalk walk(2);
    walk.apply({"nested", [](LayerStack& d) {
                    const UndoAction outer(d);
                    ASSERT_TRUE(RecordUndoStep(d, 1001));
                    PaintCurrentLayer(d, 10);
                    {
                        const UndoAction inner(d);
                        ASSERT_TRUE(RecordUndoStep(d, 1001));
                        WithdrawUndoStep(d);
                    }
                    ASSERT_TRUE(RecordUndoStep(d, kUndoLayerOpacity));
                    d.layers[0].opacity = 40;
                }});
    walk.apply(Paint(77));
    walk.walkBackAndForth();
    walk.randomWalk(50, 3);
}

}  // namespace
}  // namespace lv::testing
