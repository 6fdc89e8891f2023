#include "edit/undo_hooks.h"

namespace lv {

bool RecordUndoStep(LayerStack& stack, int code, std::span<const std::int32_t> values)
{
    return stack.undo && stack.undo->record(stack, code, values);
}

bool RecordUndoStep(LayerStack& stack, int code, std::initializer_list<std::int32_t> values)
{
    return RecordUndoStep(stack, code, std::span<const std::int32_t>(values.begin(), values.size()));
}

void WithdrawUndoStep(LayerStack& stack)
{
    if (stack.undo)
        stack.undo->withdrawLast();
}

UndoAction::UndoAction(LayerStack& stack)
    : recorder_(stack.undo)
{
    if (recorder_)
        recorder_->beginAction();
}

UndoAction::~UndoAction()
{
    if (recorder_)
        recorder_->endAction();
}

void ClearSelection(LayerStack& stack)
{
    stack.selectionActive = 0;
    stack.selectionAux.reset();
    stack.floatingMask.reset();
    stack.floatingUnderImage.reset();
    stack.floatingUnderMask.reset();
    stack.selectionMask.reset();
}

}  // namespace lv
