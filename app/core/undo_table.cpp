#include "app/core/undo_table.h"

#include "app/core/undo_codes.h"

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
    while (count() >= level_)
        records_.erase(records_.begin());

    auto record = std::make_unique<UndoRecord>();
    record->document = &document;
    record->window = window;
    record->code = code;
    record->continuesGroup = !records_.empty() && records_.back()->code == kUndoGroupCode;
    if (!FillUndoRecord(*record, document, code, values, bytesCopied_))
        return false;
    records_.push_back(std::move(record));
    undoWindow_ = window;
    redoWindow_.reset();
    return true;
}

void UndoTable::withdrawLast()
{
    if (!records_.empty())
        records_.pop_back();
}

void UndoTable::takeOver(ReleasedContent released)
{
    if (!records_.empty())
        TakeReleasedContent(*records_.back(), std::move(released));
}

int UndoTable::newestApplied(const LayerStack& document, int window) const
{
    for (int i = count() - 1; i >= 0; --i)
        if (belongs(*records_[std::size_t(i)], document, window) && records_[std::size_t(i)]->state == 0)
            return i;
    return -1;
}

int UndoTable::oldestUndone(const LayerStack& document, int window) const
{
    for (int i = 0; i < count(); ++i)
        if (belongs(*records_[std::size_t(i)], document, window) && records_[std::size_t(i)]->state == 1)
            return i;
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

bool UndoTable::undo(LayerStack& document, int window)
{
    int slot = newestApplied(document, window);
    if (slot < 0 || !exchange(slot, document))
        return false;
    const UndoRecord& first = *records_[std::size_t(slot)];
    for (int more = CompoundUndoCount(first.code, first.word); more > 0; --more) {
        slot = newestApplied(document, window);
        if (slot < 0 || !exchange(slot, document))
            break;
    }
    redoWindow_ = window;
    return true;
}

bool UndoTable::redo(LayerStack& document, int window)
{
    int slot = oldestUndone(document, window);
    if (slot < 0 || !exchange(slot, document))
        return false;
    const UndoRecord& first = *records_[std::size_t(slot)];
    for (int more = CompoundRedoCount(first.code, first.word); more > 0; --more) {
        slot = oldestUndone(document, window);
        if (slot < 0 || !exchange(slot, document))
            break;
    }
    undoWindow_ = window;
    return true;
}

bool UndoTable::canUndo(const LayerStack& document, int window) const
{
    return newestApplied(document, window) >= 0;
}

bool UndoTable::canRedo(const LayerStack& document, int window) const
{
    return oldestUndone(document, window) >= 0;
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
