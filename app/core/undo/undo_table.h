#pragma once
// The one table of undo steps that all documents share, oldest first, at most `UndoLevel`
// (1..64) steps. Each image window records into it through its own recorder.

#include "app/core/undo/undo_record.h"
#include "edit/undo_recorder.h"

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace lv {

class UndoTable {
public:
    static constexpr int kSlots = 64;

    explicit UndoTable(int level = 32);

    // `UndoLevel`, kept within 1..64.
    void setLevel(int level);
    int level() const { return level_; }

    // Discards the document's redo branch, makes room, and keeps what `code` changes. The
    // document counts as modified from here on.
    bool record(LayerStack& document, int window, int code, std::span<const std::int32_t> values = {});
    // Removes the window's newest step (its operation failed after recording) and gives the
    // document back the modified flag it had.
    void withdrawLast(int window);
    // The window's steps recorded from the outermost begin to its end are one user action:
    // one undo or redo takes them all.
    void beginAction(int window);
    void endAction(int window);

    // Undo: the newest applied step of this window's document, then the steps it carries on
    // through. Redo: the oldest undone step. False when there is none; the caller beeps.
    // The caller rebuilds what depends on the document (composite, readouts).
    bool undo(LayerStack& document, int window);
    bool redo(LayerStack& document, int window);

    bool canUndo(const LayerStack& document, int window) const;
    bool canRedo(const LayerStack& document, int window) const;

    // A window closes: its steps go. Or its document moves to another window: they follow.
    void purge(int window);
    void repoint(int window, int newWindow, LayerStack& newDocument);

    // Told the window after every step recorded, undone or redone (the recovery copies
    // count them); a step is told before the operation that recorded it changes anything.
    void setStepListener(std::function<void(int window)> listener) { stepListener_ = std::move(listener); }

    int count() const { return int(records_.size()); }
    const UndoRecord& at(int slot) const { return *records_.at(std::size_t(slot)); }
    std::optional<int> undoAvailableFor() const { return undoWindow_; }
    std::optional<int> redoAvailableFor() const { return redoWindow_; }

private:
    bool belongs(const UndoRecord& r, const LayerStack& document, int window) const
    {
        return r.document == &document && r.window == window;
    }
    enum class Direction { Undo, Redo };
    // The slot of the step to exchange next: the newest applied step for undo, the oldest
    // undone one for redo; -1 for none.
    int nextStep(const LayerStack& document, int window, Direction direction) const;
    // Exchanges that step and the steps its code carries on through.
    bool step(LayerStack& document, int window, Direction direction);
    // One recorded step and those its code carries on through: the last slot exchanged, or -1.
    int exchangeStep(int slot, LayerStack& document, int window, Direction direction);
    bool exchange(int slot, LayerStack& document);

    std::vector<std::unique_ptr<UndoRecord>> records_;
    int level_ = 32;
    std::optional<int> undoWindow_;
    std::optional<int> redoWindow_;
    std::function<void(int)> stepListener_;
    struct OpenAction {
        int window = 0;
        int depth = 0;
        int recorded = 0;
    };
    std::vector<OpenAction> actions_;
    OpenAction* openAction(int window);
};

// The recorder one image window hands its document: records into the table for that window.
class WindowUndoRecorder final : public UndoRecorder {
public:
    WindowUndoRecorder(UndoTable& table, int window)
        : table_(table)
        , window_(window)
    {
    }
    bool record(LayerStack& stack, int code, std::span<const std::int32_t> values) override
    {
        return table_.record(stack, window_, code, values);
    }
    void withdrawLast() override { table_.withdrawLast(window_); }
    void beginAction() override { table_.beginAction(window_); }
    void endAction() override { table_.endAction(window_); }

private:
    UndoTable& table_;
    int window_;
};

// The program's table, sized from the configuration at start-up.
UndoTable& ProcessUndoTable();

}  // namespace lv
