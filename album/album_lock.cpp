#include "album/album_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <utility>

namespace lv::album {

std::string AlbumLockPath(const std::string& albumPath)
{
    return albumPath + ".lock";
}

std::optional<AlbumLock> AlbumLock::Acquire(const std::string& albumPath)
{
    const std::string lockPath = AlbumLockPath(albumPath);
    // flock, not fcntl: its locks belong to the open file, so two threads of one process
    // exclude each other as two processes do, and closing another descriptor of the same
    // file elsewhere in the process does not drop it. The lock file stays: removing it would
    // let a third writer lock a new file while the second still waits on the old one.
    const int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0)
        return std::nullopt;
    int locked;
    do
        locked = ::flock(fd, LOCK_EX);
    while (locked != 0 && errno == EINTR);
    if (locked != 0) {
        const int saved = errno;
        ::close(fd);
        errno = saved;
        return std::nullopt;
    }
    return AlbumLock(fd);
}

AlbumLock::AlbumLock(AlbumLock&& other) noexcept
    : fd_(std::exchange(other.fd_, -1))
{
}

AlbumLock& AlbumLock::operator=(AlbumLock&& other) noexcept
{
    if (this != &other) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

AlbumLock::~AlbumLock()
{
    if (fd_ >= 0)
        ::close(fd_);  // releases the lock
}

}  // namespace lv::album
