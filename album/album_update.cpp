#include "album/album_update.h"

#include "album/album_file.h"
#include "album/album_lock.h"
#include "album/album_merge.h"

#include <cstring>
#include <filesystem>

namespace lv::album {
namespace {

bool fileExists(const std::string& path)
{
    std::error_code ec;
    return std::filesystem::exists(std::filesystem::symlink_status(path, ec));
}

// The album's file as `entries` (written), or gone when they are none; the lock is held.
AlbumUpdate store(const std::string& path, const std::vector<AlbumEntry>& entries)
{
    if (entries.empty()) {
        std::error_code ec;
        std::filesystem::remove(path, ec);
        return ec ? AlbumUpdate::CannotWrite : AlbumUpdate::Written;
    }
    return WriteAlbumFile(path, entries) ? AlbumUpdate::Written : AlbumUpdate::CannotWrite;
}

}  // namespace

AlbumUpdate ModifyAlbum(const std::string& path, const std::function<bool(Album&)>& change)
{
    // Checked before locking: the system albums' folder may not take a lock file.
    if (IsReadOnlyAlbumFile(path))
        return AlbumUpdate::ReadOnly;
    const auto lock = AlbumLock::Acquire(path);
    if (!lock)
        return AlbumUpdate::CannotLock;
    Album album;
    if (fileExists(path) && !album.read(path))
        return AlbumUpdate::Unreadable;
    if (album.readOnly())
        return AlbumUpdate::ReadOnly;
    if (!change(album))
        return AlbumUpdate::Unchanged;
    const AlbumUpdate result = store(path, album.entries());
    return result;
}

AlbumUpdate SaveOpenAlbum(Album& album, const std::string& path)
{
    if (album.readOnly() || IsReadOnlyAlbumFile(path))
        return AlbumUpdate::ReadOnly;
    const auto lock = AlbumLock::Acquire(path);
    if (!lock)
        return AlbumUpdate::CannotLock;
    AlbumFileContents theirs;
    if (fileExists(path)) {
        theirs = ReadAlbumContents(path);
        if (!theirs.recognised)
            return AlbumUpdate::Unreadable;
        if (theirs.readOnly)
            return AlbumUpdate::ReadOnly;
    }
    for (const std::size_t i : AddedByOthers(album.pathsOnDisk(), album.entries(), theirs.entries)) {
        if (!album.append(theirs.entries[i]))
            break;
    }
    const AlbumUpdate result = store(path, album.entries());
    if (result == AlbumUpdate::Written)
        album.setPathsOnDisk(EntryPaths(album.entries()));
    return result;
}

AlbumUpdate DeleteAlbumFile(const std::string& path)
{
    if (IsReadOnlyAlbumFile(path))
        return AlbumUpdate::ReadOnly;
    if (!fileExists(path))
        return AlbumUpdate::Unchanged;
    const auto lock = AlbumLock::Acquire(path);
    if (!lock)
        return AlbumUpdate::CannotLock;
    std::error_code ec;
    std::filesystem::remove(path, ec);
    return ec ? AlbumUpdate::CannotWrite : AlbumUpdate::Written;
}

std::string DescribeAlbumUpdate(AlbumUpdate update, const std::string& path)
{
    switch (update) {
    case AlbumUpdate::Written:
    case AlbumUpdate::Unchanged:
        return {};
    case AlbumUpdate::ReadOnly:
        return path + " is a read-only album";
    case AlbumUpdate::Unreadable:
        return "cannot read " + path + " as a whole album; left as it is";
    case AlbumUpdate::CannotLock:
        return "cannot lock " + path + " (" + AlbumLockPath(path) + "): " + std::strerror(errno);
    case AlbumUpdate::CannotWrite:
        return "cannot write " + path;
    }
    return {};
}

}  // namespace lv::album
