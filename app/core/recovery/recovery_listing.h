#pragma once
// The recovery copies that copies of the program which did not end cleanly left behind, as
// the start-up finds them, and what becomes of them: recovered, discarded or kept for later.

#include "app/core/recovery/recovery_files.h"
#include "app/core/recovery/recovery_info.h"
#include "app/core/recovery/recovery_notices.h"
#include "common/byte_source.h"
#include "edit/layer_stack.h"
#include "imagelib/dib.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace lv {

struct RecoveryEntry {
    std::filesystem::path folder;  // the folder of the copy that left it
    std::string stem;
    std::optional<RecoveryInfo> info;  // nothing when the side file is missing or damaged
    bool damaged = false;              // the copy can't be recovered

    RecoveryFiles files() const { return RecoveryFilesFor(folder, stem); }
    // The document's path or untitled name; for a copy without side file, its file's name.
    std::string name() const;
};

// Whether the copy is as long as its side file says and its header, table and block
// headers hold together with the side file, without reading any picture.
bool RecoveryCopyLooksWhole(const std::filesystem::path& copy, const RecoveryInfo& info);
bool RecoveryCopyLooksWhole(ByteSource& copy, const RecoveryInfo& info);

// The side file, or nothing when it is missing, too long or not whole.
std::optional<RecoveryInfo> ReadRecoveryInfo(const std::filesystem::path& file);

// The document of a copy, composited and marked modified, with the resolution of the side
// file; null when the copy can't be read.
std::unique_ptr<LayerStack> ReadRecoveryCopy(const RecoveryEntry& entry);

// The thumbnail, or null when it is missing, unreadable or larger than a thumbnail. What its
// reader had to say goes to `notices`, shown once for all copies; nothing is shown here.
HDIB ReadRecoveryThumbnail(const RecoveryEntry& entry, RecoveryNotices* notices = nullptr);

// The folders of copies that are not running, each held (its lock taken) while this object
// lives, so no other copy starting at the same time offers them too. Folders without any
// copy are removed at once.
class AbandonedRecovery {
public:
    static AbandonedRecovery Find(const std::filesystem::path& recoveryFolder);

    AbandonedRecovery() = default;
    AbandonedRecovery(AbandonedRecovery&&) = default;
    AbandonedRecovery& operator=(AbandonedRecovery&&) = default;
    // Releases the folders; those left without copies are removed first.
    ~AbandonedRecovery();

    // Newest first; damaged ones last.
    const std::vector<RecoveryEntry>& entries() const { return entries_; }
    bool empty() const { return entries_.empty(); }

    // Removes one copy's files (those still there) and its entry.
    void discard(const RecoveryEntry& entry);
    // Removes every held folder with everything in it.
    void discardAll();

private:
    struct HeldFolder {
        std::filesystem::path path;
        LockedFile lock;
    };
    void release();

    std::vector<HeldFolder> held_;
    std::vector<RecoveryEntry> entries_;
};

}  // namespace lv
