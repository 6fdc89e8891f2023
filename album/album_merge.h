#pragma once
// Bringing another writer's changes into the program's open album before it is written.

#include "album/album_entry.h"

#include <string>
#include <vector>

namespace lv::album {

// Indexes into `theirs` of the photos another writer added since `basePaths` was read: in
// neither the base (so the user did not remove them) nor `mine`. Paths compare ignoring case.
std::vector<std::size_t> AddedByOthers(const std::vector<std::string>& basePaths, const std::vector<AlbumEntry>& mine,
                                       const std::vector<AlbumEntry>& theirs);

// `mine` as it stands (its order, its selection, the photos the user removed left out), then
// the photos others added in their order, up to the album's 1000.
std::vector<AlbumEntry> MergeAlbumChanges(const std::vector<std::string>& basePaths, std::vector<AlbumEntry> mine,
                                          const std::vector<AlbumEntry>& theirs);

std::vector<std::string> EntryPaths(const std::vector<AlbumEntry>& entries);

}  // namespace lv::album
