#pragma once
// How layer operations talk to the undo system: they record a step before changing
// anything and withdraw it when they fail. The step keeps what it needs by sharing the
// document's pictures, so nothing is handed over afterwards.

#include "edit/layer_stack.h"

#include <cstdint>
#include <span>

namespace lv {

inline constexpr int kUndoLayerOpacity = 13100;
inline constexpr int kUndoLayerMove = 13102;
inline constexpr int kUndoLayerAdd = 13103;
inline constexpr int kUndoLayerDelete = 13104;
inline constexpr int kUndoMergeLinked = 13105;
// Moving the selection with its content changes the current layer's pixels as well as
// the selection, so its step keeps both.
inline constexpr int kUndoMoveSelectionContent = 6076;
// The bucket fill's code is one of the selection-content codes, but the fill changes the
// current layer's pixels (and mask): its step keeps them as well.
inline constexpr int kUndoBucketFill = 3088;

class UndoRecorder {
public:
    virtual ~UndoRecorder() = default;
    // Snapshots what the operation `code` will change; false when no step could be made
    // (the operation then goes on without undo).
    virtual bool record(LayerStack& stack, int code, std::span<const std::int32_t> values) = 0;
    // Removes this document's newest step, for an operation that failed after recording.
    virtual void withdrawLast() = 0;
    // The steps recorded between these undo and redo together: one user action. Actions
    // may nest; the outermost one decides.
    virtual void beginAction() {}
    virtual void endAction() {}
};

}  // namespace lv
