#pragma once
// Making documents and changing their layers. Indexes at or beyond the layer count make
// every operation return its failure value and change nothing.

#include "edit/layer_stack.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace lv {

// InsertLayer's results.
inline constexpr int kInsertOk = 0;
inline constexpr int kInsertBadArgument = -1;
inline constexpr int kInsertStackFull = -2;
inline constexpr int kInsertBadDepth = -3;
inline constexpr int kInsertNoMask = -4;

inline constexpr int kStackFullString = 3007;
inline constexpr int kBackgroundNameString = 2937;

enum class LayerLimit {
    Ordinary,  // refused at 31 layers
    Lifted,    // layers the program adds on the user's behalf may take the 32nd record
};

// A document of this size and depth (24, or 8 for grey) with no layer yet and a blank
// composite; null for a refused size or when memory runs out.
std::unique_ptr<LayerStack> CreateEmptyLayerStack(int width, int height, int bitCount);

// A one-layer document of a flat picture (24-bit or 8-bit grey; other depths are widened
// to 24 bits), the layer named "Fundo". Takes the picture; null when memory runs out.
std::unique_ptr<LayerStack> CreateLayerStackFromImage(HDIB image);

// Makes an empty document hold a copy of `image` as layer "layer1": 0, or -1 for a picture
// that is neither 24-bit nor 8-bit with exactly the grey table (or a document that already
// has layers), -2 when memory runs out.
int ConvertImageToLayerStack(LayerStack& stack, const HDIB& image);

// Inserts at `position` (beyond the count: at the bottom), converting to the document's
// depth, and keeps the current layer designating the same layer. On success (kInsertOk)
// the stack has taken `image`, `mask` and the text object and both handles are left null;
// on failure they are untouched.
int InsertLayer(LayerStack& stack, HDIB& image, HDIB& mask, int position, bool keep8Bit,
                std::shared_ptr<TextObject> textObject = {}, LayerLimit limit = LayerLimit::Ordinary);

// Insertion for commands: with `recordUndo`, records step 13103, clears the selection and
// centres the layer. The new layer becomes current. The pictures are freed on failure.
bool AddLayer(LayerStack& stack, int position, HDIB image, HDIB mask, bool recordUndo, bool keep8Bit,
              std::shared_ptr<TextObject> textObject = {});

// Removes a record (a step recorded first keeps it). The layer above becomes current.
bool DeleteLayer(LayerStack& stack, int index, bool recordUndo);

// Reorders; the current layer follows the layer it designated.
bool MoveLayer(LayerStack& stack, int from, int to, bool recordUndo);

int GetLayerCount(const LayerStack& stack);
int GetCurrentLayer(const LayerStack& stack);
// The previous current index, or -1 for a bad index.
int SetCurrentLayer(LayerStack& stack, int index);

std::optional<std::string> GetLayerName(const LayerStack& stack, int index);
// Names longer than 255 bytes are cut on a character boundary.
bool SetLayerName(LayerStack& stack, int index, std::string_view name);

// Flags as 0 or 1, -1 for a bad index. Toggles return the new value, the setter the old one.
int IsLayerVisible(const LayerStack& stack, int index);
int ToggleLayerVisible(LayerStack& stack, int index);
int IsLayerLinked(const LayerStack& stack, int index);
int ToggleLayerLinked(LayerStack& stack, int index);
int IsLayerMaskLocked(const LayerStack& stack, int index);
int SetLayerMaskLocked(LayerStack& stack, int index, bool locked);

int GetLayerOpacity(const LayerStack& stack, int index);
// Returns the previous opacity (-1 for a bad index); `percent` is kept within 0..100.
// With `recordUndo` records step 13100 while `index` stands as the current layer.
int SetLayerOpacity(LayerStack& stack, int index, int percent, bool recordUndo);

int CountVisibleLayers(const LayerStack& stack);

// Takes record `index` out and closes the gap; puts a record in at `index` (0..count) and
// opens one. Neither touches the current layer or records undo; the index must be valid
// and, for putting, the stack not full.
LayerRecord TakeLayerRecord(LayerStack& stack, int index);
void PutLayerRecord(LayerStack& stack, int index, LayerRecord record);

// The record itself, for tools that replace or write its image or mask (they keep the
// record's invariants: both present, same size). Null for a bad index.
LayerRecord* GetLayerImageSlot(LayerStack& stack, int index);

struct LayerContent {
    HDIB image;
    HDIB mask;
    std::shared_ptr<TextObject> textObject;  // an independent copy, text layers only
};
// Independent copies; nothing when neither picture could be copied.
std::optional<LayerContent> CopyLayerContent(const LayerStack& stack, int index);

// The layer's rectangle in the document, rows counted from the top; nothing for a bad index
// or an empty layer.
std::optional<Rect> GetLayerTopDownRect(const LayerStack& stack, int index);

// Moves the current layer, and the linked layers when it is linked, by the displacement
// from `from` to `to` (top-down points). Returns the top-down rectangle to repaint (every
// moved layer's old and new rectangle, grown by one pixel right and bottom), or nothing
// when the points are equal.
std::optional<Rect> OffsetLinkedLayers(LayerStack& stack, Point from, Point to);

}  // namespace lv
