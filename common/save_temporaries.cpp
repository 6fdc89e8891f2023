#include "common/save_temporaries.h"

#include <cctype>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace lv {
namespace {

// Room left in a file name (255 bytes) for the dot, the marker and mkstemp's letters.
constexpr std::size_t kMaxTemporaryBase = 200;
constexpr std::string_view kMarker = ".lv-";
constexpr std::size_t kRandomLetters = 6;

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

}  // namespace

std::string SaveTemporaryTemplate(const std::string& target)
{
    const std::filesystem::path path(target);
    const std::string base = path.filename().string().substr(0, kMaxTemporaryBase);
    return (path.parent_path() / ("." + base)).string() + std::string(kMarker) + std::string(kRandomLetters, 'X');
}

bool IsSaveTemporaryName(std::string_view name)
{
    if (name.size() < 1 + 1 + kMarker.size() + kRandomLetters || name.front() != '.')
        return false;
    const std::string_view letters = name.substr(name.size() - kRandomLetters);
    for (const char c : letters)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            return false;
    return name.substr(name.size() - kRandomLetters - kMarker.size(), kMarker.size()) == kMarker;
}

int RemoveStaleSaveTemporaries(const std::string& folder, std::chrono::system_clock::time_point now)
{
    const std::unique_ptr<DIR, DirCloser> dir(::opendir(folder.empty() ? "." : folder.c_str()));
    if (!dir)
        return 0;
    const int dirFd = ::dirfd(dir.get());
    const auto oldest = std::chrono::system_clock::to_time_t(now - kStaleSaveTemporaryAge);
    int removed = 0;
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string_view name(entry->d_name);
        if (!IsSaveTemporaryName(name))
            continue;
        struct stat st {};
        // Never a link's target, nobody else's file, nothing a save may still be writing.
        if (::fstatat(dirFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode) ||
            st.st_uid != ::geteuid() || st.st_mtime >= oldest)
            continue;
        if (::unlinkat(dirFd, entry->d_name, 0) == 0)
            ++removed;
    }
    return removed;
}

}  // namespace lv
