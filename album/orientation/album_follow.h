#pragma once
// After photos turned, the album's records and thumbnails follow: each entry of a turned photo
// is rebuilt (size, thumbnail, file size and time) keeping its caption and item values, under
// the album's lock; the desktop's sharp cached thumbnail is made again.

#include "imagelib/codecs/document_open.h"

#include <string>
#include <vector>

namespace lv::album {
class Album;
enum class AlbumUpdate;
}

namespace lv::orientation {

// `turned` are the photos' paths as the album names them or as absolute names.
album::AlbumUpdate FollowTurnsInAlbum(const std::string& albumPath, const std::vector<std::string>& turned,
                                      const DocumentReaders& readers);

// The same for an album held in memory (the album page's), whose selection stays too; how
// many entries were rebuilt.
int FollowTurnsInMemory(album::Album& album, const std::vector<std::string>& turned, const DocumentReaders& readers);

// Makes the cached thumbnail of each turned photo again where one was cached.
void RefreshLargeThumbnails(const std::vector<std::string>& turned, const DocumentReaders& readers);

}  // namespace lv::orientation
