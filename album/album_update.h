#pragma once
// The one way album files are changed: under the album's lock (album_lock.h), the file is read
// again by its path, changed and written, so a writer never renames its copy over photos
// another writer added meanwhile. Read-only albums (the system albums in the program folder)
// are never written, and no lock file is made beside them.

#include "album/album.h"

#include <functional>
#include <string>

namespace lv::album {

enum class AlbumUpdate {
    Written,
    Unchanged,   // the change made none
    ReadOnly,    // a read-only album: left as it is
    Unreadable,  // the file is there but not a whole album: left as it is
    CannotLock,  // the lock file could not be made beside the album
    CannotWrite,
};

// Reads the album at `path` (an empty one when there is no file), hands it to `change`, and
// writes it when `change` answers true. An album the change empties loses its file.
AlbumUpdate ModifyAlbum(const std::string& path, const std::function<bool(Album&)>& change);

// Writes the program's open album: first the photos another writer added to the file since
// `album` was read join it after its own (see MergeAlbumChanges), then the whole is written.
// The user's removals, order and selection stand.
AlbumUpdate SaveOpenAlbum(Album& album, const std::string& path);

// Removes the album's file under its lock, so a writer under way finishes first and its
// photos go with the album rather than bring its file back. Read-only albums stay.
AlbumUpdate DeleteAlbumFile(const std::string& path);

// Why an update failed, naming the file, for the tool's messages.
std::string DescribeAlbumUpdate(AlbumUpdate update, const std::string& path);

}  // namespace lv::album
