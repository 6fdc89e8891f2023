#pragma once
// How layer operations talk to the undo system: they record a step before changing
// anything, withdraw it when they fail, and hand over whatever they took out of the stack.

#include "edit/layer_stack.h"

#include <cstdint>
#include <span>
#include <vector>

namespace lv {

inline constexpr int kUndoLayerOpacity = 13100;
inline constexpr int kUndoLayerMove = 13102;
inline constexpr int kUndoLayerAdd = 13103;
inline constexpr int kUndoLayerDelete = 13104;
inline constexpr int kUndoMergeLinked = 13105;

// A record as it stood at `index` before the operation took it (or its pictures) out.
struct ReleasedLayer {
    int index = -1;
    LayerRecord record;
};

// What an operation removed from the stack after recording its step.
struct ReleasedContent {
    std::vector<ReleasedLayer> layers;
    HDIB selectionAux;
    HDIB floatingMask;
    HDIB selectionMask;
};

class UndoRecorder {
public:
    virtual ~UndoRecorder() = default;
    // Snapshots what the operation `code` will change; false when no step could be made
    // (the operation then goes on without undo).
    virtual bool record(LayerStack& stack, int code, std::span<const std::int32_t> values) = 0;
    // Removes the newest step, for an operation that failed after recording.
    virtual void withdrawLast() = 0;
    // The newest step owns these from now on.
    virtual void takeOver(ReleasedContent released) = 0;
};

}  // namespace lv
