#pragma once
// One undo step: what a document looked like before (or, once undone, after) an operation.
// The layer table and selection are kept as attributes plus the identity of each picture;
// the pictures themselves stay in the document, and the step owns only those the operation
// took out or changes in place (copied when the step was recorded). Undo and redo are the
// same exchange: the document receives the saved state, the step the current one.

#include "edit/layer_stack.h"
#include "edit/undo_recorder.h"

#include <cstdint>
#include <span>
#include <vector>

namespace lv {

// Which picture a slot holds; null for none.
using PictureId = const void*;
inline PictureId IdOf(const HDIB& picture)
{
    return picture.data();
}

// A layer record without its pictures.
struct SavedLayer {
    PictureId image = nullptr;
    PictureId mask = nullptr;
    std::shared_ptr<TextObject> textObject;
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::string name;
    bool linked = false;
    bool visible = false;
    bool maskLocked = false;
    std::uint32_t opacity = 0;
    LayerKind kind = LAYER_IMAGE;
    std::shared_ptr<HDIB> sourceImage;
    std::shared_ptr<HDIB> sourceMask;
    std::uint32_t reserved = 0;
    Placement textPlacement{};
    double aspect = 0;
};

struct SavedDocument {
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::uint32_t zoomLevel = 0;
    std::uint32_t selectionActive = 0;
    DocumentRect selectionRect;
    PictureId selectionAux = nullptr;
    PictureId floatingMask = nullptr;
    PictureId selectionMask = nullptr;
    std::int32_t layerCount = 0;
    std::int32_t currentLayer = 0;
    std::array<std::uint32_t, 7> projectPlacement{};
    std::vector<SavedLayer> layers;
};

SavedDocument SaveDocumentState(const LayerStack& stack);

// Pictures a step owns.
class PicturePool {
public:
    void put(HDIB picture);
    // The picture with this identity, taken out of the pool; null when absent.
    HDIB take(PictureId id);
    bool holds(PictureId id) const;

private:
    std::vector<HDIB> pictures_;
};

// A silent byte-for-byte copy; null when memory runs out.
HDIB CopyPicture(const HDIB& picture);

struct UndoRecord {
    LayerStack* document = nullptr;
    int window = 0;
    int code = -1;
    int state = 0;  // 0 applied (can be undone), 1 undone (can be redone)
    bool continuesGroup = false;
    std::int32_t word = 0;  // the first extra value the operation passed
    SavedDocument saved;
    PicturePool pool;
};

// Fills a new step from the document for `code`; false when a copy could not be made.
// `bytesCopied` grows by the bytes of the pictures copied.
bool FillUndoRecord(UndoRecord& record, const LayerStack& stack, int code, std::span<const std::int32_t> values,
                    std::uint64_t& bytesCopied);

// Exchanges the step's saved state with the document's. False (nothing changed) when a
// picture the step names is neither in the document nor in the step.
bool ExchangeUndoRecord(UndoRecord& record, LayerStack& stack);

// Moves what an operation took out of the document into the step.
void TakeReleasedContent(UndoRecord& record, ReleasedContent released);

}  // namespace lv
