#pragma once
// Where recovery copies live. Beside the configuration file, "recovery/" holds one folder per
// running copy of the program, "<process id>-<start time>", with a file "lock" that the copy
// keeps locked (flock) while it runs, and three files per document it keeps a copy of:
// "<stem>.vlf" (the layered copy), "<stem>.bmp" (a thumbnail) and "<stem>.info" (the side
// file, written last). A folder whose lock nobody holds belongs to a copy that did not end
// cleanly. Names starting with "." are work in progress (folders being set up, files being
// written) and are passed over.

#include "common/locked_file.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace lv {

inline constexpr std::string_view kRecoveryFolderName = "recovery";
inline constexpr std::string_view kRecoveryLockName = "lock";

// "recovery/" beside the configuration file.
std::filesystem::path RecoveryFolderBeside(const std::filesystem::path& configFile);

struct RecoveryFiles {
    std::filesystem::path copy;
    std::filesystem::path info;
    std::filesystem::path thumbnail;
};
RecoveryFiles RecoveryFilesFor(const std::filesystem::path& sessionFolder, std::string_view stem);

// Removes the three files; false when one that exists could not be removed.
bool RemoveRecoveryFiles(const RecoveryFiles& files);


}  // namespace lv
