// Text layer steps mixed with pixel, selection and layer steps on one document: each
// undo gives back exactly the state before its step, text object included, and redo
// walks forward again.

#include "app/core/tests/undo_test_support.h"
#include "edit/layer_pictures.h"
#include "edit/placement/layer_placement.h"
#include "edit/tests/test_fonts.h"
#include "edit/text_layer/drop_shadow.h"
#include "edit/text_layer/text_layer.h"
#include "edit/undo_hooks.h"

#include <gtest/gtest.h>

#include <functional>
#include <string_view>
#include <vector>

namespace lv {
namespace {

using testing::Fingerprint;
using testing::OpenDocument;
using testing::PaintCurrentLayer;

FontLibrary& fonts()
{
    return testing::TestFonts();
}

// The fingerprint with each text layer's string, source lettering and words.
std::string State(const LayerStack& doc)
{
    std::string state = Fingerprint(doc);
    for (int i = 0; i < doc.layerCount; ++i)
        if (const auto& object = doc.layers[std::size_t(i)].textObject) {
            state += "|text " + object->text;
            if (const auto& source = doc.layers[std::size_t(i)].sourceMask)
                state += " source " + std::to_string(std::hash<std::string_view>{}(
                                           {reinterpret_cast<const char*>(source->data()), source->size()}));
            for (const std::uint32_t word : object->words)
                state += ' ' + std::to_string(word);
        }
    return state;
}

TextLayerSettings Settings(std::string text, std::uint32_t colour)
{
    TextLayerSettings settings;
    settings.text = std::move(text);
    settings.font.height = -14;
    settings.font.faceName = "Arial";
    settings.colour = colour;
    settings.left = 3;
    settings.top = 4;
    return settings;
}

using Actions = std::vector<std::pair<std::function<void()>, int>>;

// Runs each action (which leaves the given count of undo steps), then undoes them all and
// redoes them all, checking every state on the way.
void RunUndoAndRedo(UndoTable& table, LayerStack& doc, const Actions& actions)
{
    std::vector<std::string> states{State(doc)};
    std::vector<int> counts;
    for (const auto& [action, steps] : actions) {
        action();
        states.push_back(State(doc));
        counts.push_back(steps);
        ASSERT_NE(states.back(), states[states.size() - 2]) << "action " << counts.size() << " changed nothing";
    }
    for (std::size_t i = actions.size(); i-- > 0;) {
        for (int s = 0; s < counts[i]; ++s)
            ASSERT_TRUE(table.undo(doc, 1)) << "action " << i;
        ASSERT_EQ(State(doc), states[i]) << "after undoing action " << i;
    }
    EXPECT_FALSE(table.undo(doc, 1));
    for (std::size_t i = 0; i < actions.size(); ++i) {
        for (int s = 0; s < counts[i]; ++s)
            ASSERT_TRUE(table.redo(doc, 1)) << "action " << i;
        ASSERT_EQ(State(doc), states[i + 1]) << "after redoing action " << i;
    }
    EXPECT_FALSE(table.redo(doc, 1));
}

TEST(TextLayerUndo, TextStepsAmongPixelSelectionAndLayerStepsUndoAndRedoInOrder)
{
    UndoTable table;
    OpenDocument a(table, 1, 3);
    LayerStack& doc = a.doc();
    // Each entry makes one user action; the count is the undo steps it leaves.
    const Actions actions = {
        {[&] { ASSERT_EQ(CreateOrUpdateTextLayer(&doc, fonts(), Settings("Oi", 0x0000FF), false), kTextLayerOk); }, 1},
        {[&] {
             SetCurrentLayer(doc, 2);
             ASSERT_TRUE(RecordUndoStep(doc, 1001));
             PaintCurrentLayer(doc, 90);
             SetCurrentLayer(doc, 0);
         },
         1},
        {[&] {
             ASSERT_TRUE(RecordUndoStep(doc, 3001));
             doc.selectionActive = 1;
             doc.selectionRect = {1, 1, 9, 7};
             doc.selectionMask = MakeGreyFilled(8, 6, 200);
         },
         1},
        {[&] { ASSERT_EQ(CreateOrUpdateTextLayer(&doc, fonts(), Settings("Olá!", 0x00FF00), true), kTextLayerOk); }, 1},
        {[&] { SetLayerOpacity(doc, 0, 55, true); }, 1},
        {[&] { ASSERT_TRUE(AddDropShadow(doc, {2, 70, 2, 1})); }, 2},
        {[&] { ASSERT_EQ(CreateOrUpdateTextLayer(&doc, fonts(), Settings("fim", 0xFF0000), false), kTextLayerOk); }, 1},
    };
    RunUndoAndRedo(table, doc, actions);
    ASSERT_EQ(doc.layers[1].kind, LAYER_IMAGE);  // the shadowed text
    ASSERT_EQ(doc.layers[0].kind, LAYER_TEXT);
}

// A turned text layer edited again, between paint steps on it and below it.
TEST(TextLayerUndo, EditingATurnedTextLayerIsOneStepAmongPaintSteps)
{
    UndoTable table;
    OpenDocument a(table, 1, 2);
    LayerStack& doc = a.doc();
    const Actions actions = {
        {[&] { ASSERT_EQ(CreateOrUpdateTextLayer(&doc, fonts(), Settings("Oi", 0x0000FF), false), kTextLayerOk); }, 1},
        {[&] { ASSERT_TRUE(RotateCurrentLayer(doc, 30)); }, 1},
        {[&] { ASSERT_EQ(CreateOrUpdateTextLayer(&doc, fonts(), Settings("Olá!", 0x00FF00), true), kTextLayerOk); }, 1},
        {[&] {
             SetCurrentLayer(doc, 1);
             ASSERT_TRUE(RecordUndoStep(doc, 1001));
             PaintCurrentLayer(doc, 90);
             SetCurrentLayer(doc, 0);
         },
         1},
        {[&] { ASSERT_EQ(CreateOrUpdateTextLayer(&doc, fonts(), Settings("Tchau", 0xFF0000), true), kTextLayerOk); }, 1},
        {[&] { ASSERT_TRUE(RotateCurrentLayer(doc, -30)); }, 1},
    };
    RunUndoAndRedo(table, doc, actions);
    EXPECT_EQ(doc.layers[0].textObject->text, "Tchau");
}

}  // namespace
}  // namespace lv
