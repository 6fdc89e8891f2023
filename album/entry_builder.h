#pragma once
// Builds album entries from photo files: one at a time, or several at once on worker
// threads with the results handed back in the given order on the calling thread.

#include "album/album_entry.h"
#include "album/thumbnail.h"
#include "common/file_problem.h"
#include "common/ui_service.h"
#include "imagelib/codecs/document_open.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace lv::album {

enum class PhotoFailure {
    None,
    CannotOpen,  // the file can't be opened for reading
    Unreadable,  // it opens, but no reader made a picture of it
};

struct BuiltEntry {
    std::optional<AlbumEntry> entry;
    PhotoFailure failure = PhotoFailure::None;
    FileFailure cause;  // for CannotOpen: why the file would not open
    FileFailure damage;  // with an entry: the photo was read only as far as it goes
};

// Loads the photo named by label.path with the album's loader and builds its entry. JPEG
// files the general reader would take are sampled without decoding the whole picture; the
// thumbnail is the same byte for byte.
BuiltEntry BuildPhotoEntry(const EntryLabel& label, const DocumentReaders& readers);

// Called on the calling thread, once per label and in label order.
using EntryConsumer = std::function<void(std::size_t index, BuiltEntry built)>;
// Asked on the calling thread before each photo; true ends the work early.
using StopRequest = std::function<bool()>;

// With `jobs` above 1, photos are decoded on that many worker threads; messages the readers
// show there are held and shown on the calling thread when that photo's turn comes, so the
// user sees what one thread would have shown. jobs 0 means one per processor.
void BuildPhotoEntries(const std::vector<EntryLabel>& labels, const DocumentReaders& readers, unsigned jobs,
                       const EntryConsumer& consume, const StopRequest& stop = {});

struct HeldMessage {
    std::string text;
    std::string title;
    ui::Icon icon = ui::Icon::None;
};

// What a thread that must not reach the user sees of the user interface: messages are kept
// for later, questions get their affirmative answer as on the console, nothing else happens.
class HoldingService final : public ui::Service {
public:
    void showMessage(std::string_view text, std::string_view title, ui::Icon icon) override;
    ui::Answer ask(std::string_view, std::string_view, ui::Buttons buttons, ui::Icon) override;
    void beep() override {}
    void setBusy(bool) override {}
    void reportProgress(std::string_view, int) override {}
    bool escapeHeld() override { return false; }

    // The messages kept since the last call.
    std::vector<HeldMessage> take() { return std::exchange(held_, {}); }

private:
    std::vector<HeldMessage> held_;
};

unsigned DefaultJobs();

}  // namespace lv::album
