#pragma once
// When documents get recovery copies: every open document that changed since it was last
// saved or copied gets a copy each time the interval ends, and at once after every 50 steps
// of undo history (recorded, undone or redone). A save or a close removes the copy. Runs on
// the user-interface thread; the writer does the writing.

#include "app/core/recovery/recovery_session.h"
#include "app/core/recovery/recovery_writer.h"
#include "common/settings.h"
#include "edit/layer_stack.h"

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>

namespace lv {

inline constexpr int kAutoSaveStepCount = 50;
inline constexpr int kMaxAutoSaveSeconds = 24 * 60 * 60;
// The layered format's offsets are 32 bits: a larger copy can't be written.
inline constexpr std::uint64_t kMaxRecoveryCopyBytes = 0xFFFF0000;

// "AutoSaveSeconds" of section "USER": 0 switches the copies off; negative values count as 0,
// values beyond a day as a day.
int AutoSaveSeconds(const Settings& settings);
bool SetAutoSaveSeconds(Settings& settings, int seconds);

// What the copy of a document would take, pictures stored whole.
std::uint64_t EstimatedRecoveryCopyBytes(const LayerStack& document);

struct AutoSaveDocument {
    int id = 0;
    const LayerStack* document = nullptr;
    std::string title;  // its path, or its untitled name
};

class AutoSaver {
public:
    AutoSaver(RecoverySession& session, RecoveryWriter& writer);

    void setInterval(int seconds);
    int interval() const { return interval_; }
    bool enabled() const { return interval_ > 0; }

    // A step of the document's undo history was taken. True when it was the 50th since the
    // last copy: the caller then calls writeDue once the change itself is done.
    bool stepTaken(int id);

    // The interval ended: copies of every document that changed since its last save or copy.
    // Returns how many were handed to the writer.
    int writeChanged(std::span<const AutoSaveDocument> documents, std::int64_t now);
    // Copies of the documents whose 50 steps are due.
    int writeDue(std::span<const AutoSaveDocument> documents, std::int64_t now);

    // The copy of that stem could not be written (the previous one, if any, stays as it was):
    // its document counts as changed since its copy, so the next interval tries again.
    void writeFailed(const std::string& stem);

    // The document was saved: its copy goes.
    void saved(int id);
    // Its window closed: the copy goes and the document is forgotten.
    void closed(int id);
    // A recovered document, whose copy (moved into this session) stands for it as it is.
    void adopt(int id, std::string stem);

    // The stem of the document's copy while it has one.
    std::optional<std::string> copyOf(int id) const;

private:
    struct State {
        std::string stem;
        bool hasCopy = false;
        int changes = 0;        // steps since the last copy
        bool tooLarge = false;  // told once, then never copied
    };
    bool changed(const AutoSaveDocument& document, const State& state) const;
    // Copies of the changed documents with at least this many steps since their last copy.
    int writeWhere(std::span<const AutoSaveDocument> documents, std::int64_t now, int leastChanges);
    void write(const AutoSaveDocument& document, State& state, std::int64_t now);

    RecoverySession& session_;
    RecoveryWriter& writer_;
    int interval_ = 0;
    std::map<int, State> states_;
};

}  // namespace lv
