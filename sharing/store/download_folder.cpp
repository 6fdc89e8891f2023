#include "sharing/store/download_folder.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace lv::sharing::store {

OwnedFd::~OwnedFd()
{
    if (fd_ >= 0)
        ::close(fd_);
}

OwnedFd& OwnedFd::operator=(OwnedFd&& other) noexcept
{
    if (this != &other) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

std::optional<DownloadFolder> DownloadFolder::Open(const std::filesystem::path& path)
{
    std::error_code ec;
    std::filesystem::create_directories(path, ec);
    OwnedFd fd(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd)
        return std::nullopt;
    return DownloadFolder(path, std::move(fd));
}

FolderEntry DownloadFolder::look(const std::string& name) const
{
    struct stat st{};
    if (::fstatat(fd_.get(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return {errno == ENOENT ? EntryKind::Missing : EntryKind::Other, 0, 0};
    if (S_ISLNK(st.st_mode))
        return {EntryKind::Link, 0, 0};
    if (!S_ISREG(st.st_mode))
        return {EntryKind::Other, 0, 0};
    return {EntryKind::Regular, std::uint64_t(st.st_size), std::int64_t(st.st_mtim.tv_sec)};
}

OwnedFd DownloadFolder::openForWriting(const std::string& name, std::uint64_t keep) const
{
    // Non-blocking so that a FIFO planted under the name cannot hold the download.
    OwnedFd fd(::openat(fd_.get(), name.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK | O_NOCTTY,
                        0666));
    struct stat st{};
    if (!fd || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode))
        return {};
    if (::ftruncate(fd.get(), off_t(keep)) != 0 || ::lseek(fd.get(), off_t(keep), SEEK_SET) < 0)
        return {};
    ::fcntl(fd.get(), F_SETFL, 0);
    return fd;
}

bool DownloadFolder::renameToFree(const std::string& from, const std::string& to) const
{
    return ::renameat2(fd_.get(), from.c_str(), fd_.get(), to.c_str(), RENAME_NOREPLACE) == 0;
}

void DownloadFolder::remove(const std::string& name) const
{
    ::unlinkat(fd_.get(), name.c_str(), 0);
}

std::uint64_t DownloadFolder::freeBytes() const
{
#ifdef LV_TEST_DRIVER
    if (const char* text = std::getenv("LUMIVISTA_TEST_FREE_BYTES"); text && *text)
        return std::strtoull(text, nullptr, 10);
#endif
    struct statvfs st{};
    if (::fstatvfs(fd_.get(), &st) != 0)
        return UINT64_MAX;
    return std::uint64_t(st.f_bavail) * std::uint64_t(st.f_frsize);
}

void StampTime(int fd, std::int64_t modified)
{
    const timespec times[2] = {{0, UTIME_OMIT}, {time_t(modified), 0}};
    ::futimens(fd, times);
}

}  // namespace lv::sharing::store
