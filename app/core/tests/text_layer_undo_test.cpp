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

namespace lv::testing {
namespace {

FontLibrary& fonts()
{
    return TestFonts();
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

// A new text layer, or the current one edited.
void Letter(LayerStack& d, std::string text, std::uint32_t colour, bool edit)
{
    ASSERT_EQ(CreateOrUpdateTextLayer(&d, fonts(), Settings(std::move(text), colour), edit), kTextLayerOk);
}

// A brush step on another layer; the text layer on top is current again after it.
void PaintLayer(LayerStack& d, int layer)
{
    SetCurrentLayer(d, layer);
    ASSERT_TRUE(RecordUndoStep(d, 1001));
    PaintCurrentLayer(d, 90);
    SetCurrentLayer(d, 0);
}

TEST(TextLayerUndo, TextStepsAmongPixelSelectionAndLayerStepsUndoAndRedoInOrder)
{
    History h(3);
    h.step([](LayerStack& d) { Letter(d, "Oi", 0x0000FF, false); });
    h.step([](LayerStack& d) { PaintLayer(d, 2); });
    h.step([](LayerStack& d) {
        ASSERT_TRUE(RecordUndoStep(d, 3001));
        d.selectionActive = 1;
        d.selectionRect = {1, 1, 9, 7};
        d.selectionMask = MakeGreyFilled(8, 6, 200);
    });
    h.step([](LayerStack& d) { Letter(d, "Olá!", 0x00FF00, true); });
    h.step([](LayerStack& d) { SetLayerOpacity(d, 0, 55, true); });
    h.step([](LayerStack& d) { ASSERT_TRUE(AddDropShadow(d, {2, 70, 2, 1})); }, 2);
    h.step([](LayerStack& d) { Letter(d, "fim", 0xFF0000, false); });
    h.expectEveryStepChanged();
    h.walkBackAndForth();
    ASSERT_EQ(h.open.doc().layers[1].kind, LAYER_IMAGE);  // the shadowed text
    ASSERT_EQ(h.open.doc().layers[0].kind, LAYER_TEXT);
}

// A turned text layer edited again, between paint steps on it and below it.
TEST(TextLayerUndo, EditingATurnedTextLayerIsOneStepAmongPaintSteps)
{
    History h(2);
    h.step([](LayerStack& d) { Letter(d, "Oi", 0x0000FF, false); });
    h.step([](LayerStack& d) { ASSERT_TRUE(RotateCurrentLayer(d, 30)); });
    h.step([](LayerStack& d) { Letter(d, "Olá!", 0x00FF00, true); });
    h.step([](LayerStack& d) { PaintLayer(d, 1); });
    h.step([](LayerStack& d) { Letter(d, "Tchau", 0xFF0000, true); });
    h.step([](LayerStack& d) { ASSERT_TRUE(RotateCurrentLayer(d, -30)); });
    h.expectEveryStepChanged();
    h.walkBackAndForth();
    EXPECT_EQ(h.open.doc().layers[0].textObject->text, "Tchau");
}

}  // namespace
}  // namespace lv::testing
