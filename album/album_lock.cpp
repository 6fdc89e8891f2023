#include "album/album_lock.h"

#include <utility>

namespace lv::album {

std::string AlbumLockPath(const std::string& albumPath)
{
    return albumPath + ".lock";
}

std::optional<AlbumLock> AlbumLock::Acquire(const std::string& albumPath)
{
    // The lock file stays: removing it would let a third writer lock a new file while the
    // second still waits on the old one.
    std::optional<LockedFile> file = LockedFile::WaitForLock(AlbumLockPath(albumPath));
    if (!file)
        return std::nullopt;
    return AlbumLock(std::move(*file));
}

}  // namespace lv::album
