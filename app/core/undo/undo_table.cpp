#include "app/core/undo/undo_table.h"

#include "app/core/undo/undo_codes.h"

#include <algorithm>

namespace lv {

UndoTable::UndoTable(int level)
{
    setLevel(level);
}

void UndoTable::setLevel(int level)
{
    level_ = std::clamp(level, 1, kSlots);
}

bool UndoTable::record(LayerStack& document, int window, int code, std::span<const std::int32_t> values)
{
    std::erase_if(records_, [&](const auto& r) { return belongs(*r, document, window) && r->state == 1; });
    while (count() >= level_) {
        records_.erase(records_.begin());
        // Half an action cannot be undone on its own.
        while (!records_.empty() && records_.front()->joinsPrevious)
            records_.erase(records_.begin());
    }

    auto record = std::make_unique<UndoRecord>();
    record->document = &document;
    record->window = window;
    record->continuesGroup = !records_.empty() && records_.back()->code == kUndoGroupCode;
    if (OpenAction* action = openAction(window))
        record->joinsPrevious = action->recorded++ > 0;
    record->modifiedBefore = document.modified;
    FillUndoRecord(*record, document, code, values);
    records_.push_back(std::move(record));
    document.modified = 1;
    undoWindow_ = window;
    redoWindow_.reset();
    if (stepListener_)
        stepListener_(window);
    return true;
}

void UndoTable::withdrawLast(int window)
{
    const auto newest = std::find_if(records_.rbegin(), records_.rend(), [window](const auto& r) { return r->window == window; });
    if (newest == records_.rend())
        return;
    (*newest)->document->modified = (*newest)->modifiedBefore;
    records_.erase(std::next(newest).base());
    if (OpenAction* action = openAction(window); action && action->recorded > 0)
        --action->recorded;
}

UndoTable::OpenAction* UndoTable::openAction(int window)
{
    const auto found = std::find_if(actions_.begin(), actions_.end(), [window](const auto& a) { return a.window == window; });
    return found == actions_.end() ? nullptr : &*found;
}

void UndoTable::beginAction(int window)
{
    if (OpenAction* action = openAction(window))
        ++action->depth;
    else
        actions_.push_back({window, 1, 0});
}

void UndoTable::endAction(int window)
{
    OpenAction* action = openAction(window);
    if (action && --action->depth <= 0)
        std::erase_if(actions_, [window](const auto& a) { return a.window == window; });
}

int UndoTable::nextStep(const LayerStack& document, int window, Direction direction) const
{
    const bool undoing = direction == Direction::Undo;
    for (int k = 0; k < count(); ++k) {
        const int i = undoing ? count() - 1 - k : k;
        const UndoRecord& r = *records_[std::size_t(i)];
        if (belongs(r, document, window) && r.state == (undoing ? 0 : 1))
            return i;
    }
    return -1;
}

bool UndoTable::exchange(int slot, LayerStack& document)
{
    UndoRecord& record = *records_[std::size_t(slot)];
    if (!ExchangeUndoRecord(record, document))
        return false;
    record.state ^= 1;
    document.modified = 1;
    return true;
}

int UndoTable::exchangeStep(int slot, LayerStack& document, int window, Direction direction)
{
    if (!exchange(slot, document))
        return -1;
    const UndoRecord& first = *records_[std::size_t(slot)];
    const int more = direction == Direction::Undo ? CompoundUndoCount(first.code, first.word)
                                                  : CompoundRedoCount(first.code, first.word);
    int last = slot;
    for (int i = 0; i < more; ++i) {
        const int next = nextStep(document, window, direction);
        if (next < 0 || !exchange(next, document))
            break;
        last = next;
    }
    return last;
}

bool UndoTable::step(LayerStack& document, int window, Direction direction)
{
    const int slot = nextStep(document, window, direction);
    int last = slot < 0 ? -1 : exchangeStep(slot, document, window, direction);
    if (last < 0)
        return false;
    // The rest of the user action: older steps that the undone one joined, or newer ones
    // that join the redone one.
    while (last >= 0) {
        int next = -1;
        if (direction == Direction::Undo) {
            if (records_[std::size_t(last)]->joinsPrevious)
                next = nextStep(document, window, direction);
        } else {
            next = nextStep(document, window, direction);
            if (next >= 0 && !records_[std::size_t(next)]->joinsPrevious)
                next = -1;
        }
        last = next < 0 ? -1 : exchangeStep(next, document, window, direction);
    }
    (direction == Direction::Undo ? redoWindow_ : undoWindow_) = window;
    if (stepListener_)
        stepListener_(window);
    return true;
}

bool UndoTable::undo(LayerStack& document, int window)
{
    return step(document, window, Direction::Undo);
}

bool UndoTable::redo(LayerStack& document, int window)
{
    return step(document, window, Direction::Redo);
}

bool UndoTable::canUndo(const LayerStack& document, int window) const
{
    return nextStep(document, window, Direction::Undo) >= 0;
}

bool UndoTable::canRedo(const LayerStack& document, int window) const
{
    return nextStep(document, window, Direction::Redo) >= 0;
}

void UndoTable::purge(int window)
{
    std::erase_if(records_, [&](const auto& r) { return r->window == window; });
    undoWindow_.reset();
    redoWindow_.reset();
}

void UndoTable::repoint(int window, int newWindow, LayerStack& newDocument)
{
    for (auto& r : records_)
        if (r->window == window) {
            r->window = newWindow;
            r->document = &newDocument;
        }
    undoWindow_.reset();
    redoWindow_.reset();
}

UndoTable& ProcessUndoTable()
{
    static UndoTable table;
    return table;
}

}  // namespace lv
