#pragma once
// This running copy's folder of recovery copies (see recovery_files.h): made and locked at
// start-up, removed with everything in it at a clean exit.

#include "app/core/recovery/recovery_files.h"
#include "common/file_problem.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace lv {

class RecoverySession {
public:
    // Makes "<process id>-<start time>" below `recoveryFolder` (and the folder itself) and
    // takes its lock. Null when that fails (`failure` says why); the program then runs
    // without recovery copies.
    static std::unique_ptr<RecoverySession> Start(const std::filesystem::path& recoveryFolder,
                                                  FileFailure* failure = nullptr);
    ~RecoverySession();
    RecoverySession(const RecoverySession&) = delete;
    RecoverySession& operator=(const RecoverySession&) = delete;

    const std::filesystem::path& folder() const { return folder_; }
    const std::filesystem::path& recoveryFolder() const { return recoveryFolder_; }

    // A stem no document of this session has had: "doc-1", "doc-2", ...
    std::string newStem();
    RecoveryFiles files(const std::string& stem) const { return RecoveryFilesFor(folder_, stem); }

    // Moves another copy's recovery files in under a new stem (a recovered document keeps its
    // copy until it changes). Nothing when the copy or its side file could not be moved.
    std::optional<std::string> adopt(const RecoveryFiles& from);

private:
    RecoverySession(std::filesystem::path recoveryFolder, std::filesystem::path folder, LockedFile lock);

    std::filesystem::path recoveryFolder_;
    std::filesystem::path folder_;
    LockedFile lock_;
    int nextStem_ = 1;
};

}  // namespace lv
