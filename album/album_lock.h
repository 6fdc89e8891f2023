#pragma once
// Albums are shared files: the program, the command-line tool and a download may add to one
// album at once. Every writer holds this advisory lock while it reads, changes and writes the
// album. It is taken on a companion file, because the safe write renames a new file over the
// album itself and a lock on the old one would guard nothing.

#include "common/locked_file.h"

#include <cerrno>
#include <optional>
#include <string>
#include <utility>

namespace lv::album {

// "NAME.abm" → "NAME.abm.lock", beside the album.
std::string AlbumLockPath(const std::string& albumPath);

class AlbumLock {
public:
    // Waits until no other writer holds the album; nothing (with errno) when the lock file
    // can't be opened or created.
    static std::optional<AlbumLock> Acquire(const std::string& albumPath);

private:
    explicit AlbumLock(LockedFile file)
        : file_(std::move(file))
    {
    }
    LockedFile file_;
};

}  // namespace lv::album
