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

std::optional<LockedFile> LockedFile::TryLock(const std::filesystem::path& file)
{
    // Reading is enough for flock, and the file is never written through this descriptor.
    // Non-blocking and regular files only: a pipe under the lock's name must not hold the
    // start-up.
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return std::nullopt;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return std::nullopt;
    }
    return LockedFile(fd);
}

LockedFile::LockedFile(LockedFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1))
{
}

LockedFile& LockedFile::operator=(LockedFile&& other) noexcept
{
    if (this != &other) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

LockedFile::~LockedFile()
{
    if (fd_ >= 0)
        ::close(fd_);  // closing the last descriptor releases the lock
}

}  // namespace lv
