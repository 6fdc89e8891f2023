#pragma once
// The layer operations' side of the undo recorder.

#include "edit/undo_recorder.h"

#include <initializer_list>

namespace lv {

// True when the stack's recorder made a step.
bool RecordUndoStep(LayerStack& stack, int code, std::span<const std::int32_t> values = {});
bool RecordUndoStep(LayerStack& stack, int code, std::initializer_list<std::int32_t> values);
void WithdrawUndoStep(LayerStack& stack);

// While it lives, the steps the stack records are one user action.
class UndoAction {
public:
    explicit UndoAction(LayerStack& stack);
    ~UndoAction();
    UndoAction(const UndoAction&) = delete;
    UndoAction& operator=(const UndoAction&) = delete;

private:
    UndoRecorder* recorder_;
};

// Takes the selection out of the stack (flag and pictures); a step recorded before keeps them.
void ClearSelection(LayerStack& stack);

}  // namespace lv
