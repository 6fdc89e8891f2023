#pragma once
// Text layers: lettering in the active colour over a mask of its coverage, with a text
// object that lets the layer be edited again and survive saving.
#include "edit/layer_stack.h"
#include "edit/text_render/font_library.h"
#include "edit/text_render/text_style.h"

#include <cstdint>
#include <string>

namespace lv {

// The text tool's choices, as its screen holds them.
struct TextLayerSettings {
    static constexpr std::size_t kMaxTextBytes = 1023;  // longer text is cut on a character boundary
    std::string text;  // UTF-8; lines break at "\n"
    LogFont font;
    TextStyle style;
    std::uint32_t colour = 0;  // red in the low byte, then green, then blue
    std::int32_t left = 0;     // offset of the lettering from the document's left edge
    std::int32_t top = 0;      // and from its top edge
};

inline constexpr int kTextLayerOk = 0;
inline constexpr int kTextLayerRefused = -1;       // no document, a full stack or nothing to draw
inline constexpr int kTextLayerRenderFailed = -2;  // no font could draw the text
inline constexpr int kTextLayerNoImage = -3;       // the colour picture could not be made
inline constexpr int kTextLayerNoMask = -4;        // the layer could not take the coverage

// Editing redraws the current layer: a pixel step of the text tool, which keeps the whole record.
inline constexpr int kUndoTextLayerEdit = 1109;

inline constexpr int kTextOffsetXWord = 28;
inline constexpr int kTextOffsetYWord = 29;

// The text object for these settings, as the tool makes it.
TextObject MakeToolTextObject(const TextLayerSettings& settings);
// The settings a text object holds, to fill the text screen when a layer is edited again.
TextLayerSettings SettingsOfTextObject(const TextObject& object);

// Without `editing`: a new text layer at the top of the stack (step 13103), placed at the
// offsets, which becomes current. With `editing`: the current text layer drawn again with
// the new settings, keeping its position (moved back inside the document when the new
// lettering would reach beyond it) and its text object updated in place. A resized or
// turned layer draws the new lettering through its placement matrix.
int CreateOrUpdateTextLayer(LayerStack* stack, FontLibrary& fonts, const TextLayerSettings& settings, bool editing);

}  // namespace lv
