#pragma once
// One undo step: the values of a document that its operation is about to change, chosen
// by the step's code and nothing more, so undoing it leaves every other change standing.
// Pictures are shared with the document: keeping them costs no copy until one side
// writes, and the step holds them whatever the document does meanwhile. Undo and redo are
// the same exchange: the document receives the kept values, the step the current ones.

#include "app/core/undo/undo_codes.h"
#include "edit/layer_stack.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace lv {

struct IndexedLayer {
    int index = 0;
    LayerRecord record;
};

// The document-level values a step may keep; its content says which.
struct SavedDocumentFields {
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::uint32_t zoomLevel = 0;
    std::int32_t currentLayer = 0;
    std::uint32_t selectionActive = 0;
    Rect selectionRect;
    SharedPicture selectionMask;
    SharedPicture selectionAux;
    SharedPicture floatingMask;
    SharedPicture floatingUnderImage;
    SharedPicture floatingUnderMask;
    std::array<std::uint32_t, 7> projectPlacement{};
};

struct UndoRecord {
    LayerStack* document = nullptr;
    int window = 0;
    int code = -1;
    int state = 0;  // 0 applied (can be undone), 1 undone (can be redone)
    bool continuesGroup = false;
    bool joinsPrevious = false;  // recorded inside the user action of the window's step before
    std::int32_t word = 0;             // the first extra value the operation passed
    std::uint32_t modifiedBefore = 0;  // the document's flag when recorded, for a withdrawn step
    UndoContent content;
    SavedDocumentFields fields;
    // Whole records: `layers` go into the document at their indexes and the records now at
    // `out` come out in exchange. For the kinds that keep some values of a record, `layers`
    // holds just those values.
    std::vector<IndexedLayer> layers;
    std::vector<int> out;
    int from = 0;  // a move between two indexes
    int to = 0;
};

// Fills a new step from the document for `code`.
void FillUndoRecord(UndoRecord& record, const LayerStack& stack, int code, std::span<const std::int32_t> values);

// Exchanges the step's values with the document's. False (nothing changed) when the
// document no longer has the layers the step names: something changed its layer list
// without recording.
bool ExchangeUndoRecord(UndoRecord& record, LayerStack& stack);

}  // namespace lv
