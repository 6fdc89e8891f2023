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

void ClearSelection(LayerStack& stack, ReleasedContent& into)
{
    stack.selectionActive = 0;
    into.selectionAux = std::move(stack.selectionAux);
    into.floatingMask = std::move(stack.floatingMask);
    into.selectionMask = std::move(stack.selectionMask);
}

void HandOver(LayerStack& stack, ReleasedContent released, bool toUndo)
{
    if (toUndo && stack.undo)
        stack.undo->takeOver(std::move(released));
}

}  // namespace lv
