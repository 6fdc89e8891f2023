#include "app/core/recovery/recovery_files.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

namespace lv {

std::filesystem::path RecoveryFolderBeside(const std::filesystem::path& configFile)
{
    return configFile.parent_path() / kRecoveryFolderName;
}

RecoveryFiles RecoveryFilesFor(const std::filesystem::path& sessionFolder, std::string_view stem)
{
    const std::string base(stem);
    return {sessionFolder / (base + ".vlf"), sessionFolder / (base + ".info"), sessionFolder / (base + ".bmp")};
}

bool RemoveRecoveryFiles(const RecoveryFiles& files)
{
    bool removed = true;
    // The side file first: without it the others are no complete copy any more.
    for (const auto* path : {&files.info, &files.copy, &files.thumbnail}) {
        std::error_code ec;
        std::filesystem::remove(*path, ec);
        removed = removed && !ec;
    }
    return removed;
}


}  // namespace lv
