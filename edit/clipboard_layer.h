#pragma once
// What copy and paste carry: a layer with everything it has (pixels, mask, name, flags,
// opacity, kind, text), the flattened picture other programs take, and the layer's bytes
// under the program's private clipboard format, so a second running copy can paste it too.

#include "edit/layer_stack.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace lv {

inline constexpr char kPrivateClipboardFormat[] = "Lumivista2000ClipboardFmt";

struct ClipboardLayer {
    // image, mask, textObject, x, y, name, linked, visible, maskLocked, opacity, kind,
    // reserved and textPlacement are what travels; the pictures are the piece's own.
    LayerRecord layer;
};

// The current layer, its text placement made relative to the piece; nothing without layers.
std::optional<ClipboardLayer> CopyCurrentLayer(const LayerStack& stack);

// The current layer's pixels under the selection, cut to the selection's rectangle, with the
// selection as its mask (where the layer itself is opaque); nothing without a selection.
std::optional<ClipboardLayer> CopySelectedContent(const LayerStack& stack);

// The piece combined with its mask over white: a 24-bit picture of its size.
HDIB FlattenedForClipboard(const ClipboardLayer& piece);

// The text of a text layer; empty for other kinds.
std::string ClipboardText(const ClipboardLayer& piece);

// A picture another program put on the clipboard: 24 bits whatever its depth, fully opaque,
// visible, at full opacity. Nothing for a null picture or when memory runs out.
std::optional<ClipboardLayer> LayerFromPicture(const HDIB& picture);

// The private format's bytes, and back. Parsing bounds every size by the bytes present and
// answers nothing for anything it does not fully understand.
std::vector<std::uint8_t> SerializeClipboardLayer(const ClipboardLayer& piece);
std::optional<ClipboardLayer> ParseClipboardLayer(std::span<const std::uint8_t> bytes);

// Inserts the piece above the current layer with one undo step: a mask layer comes in as
// an image layer masked by its picture; the piece keeps its place unless it would miss the
// document (then it is centred), and a text layer goes to the top-left corner. False, with
// the document unchanged, when the stack is full or memory runs out. Hand the piece over
// (std::move) when it is not needed again: its pictures then go in without a copy.
bool PasteLayer(LayerStack& stack, ClipboardLayer piece);

}  // namespace lv
