#pragma once
// A downloaded photo joins the current album of the user's albums, as a saved photo does:
// category 0, no caption, item values −99 (kept as 1), 1 and 1, no chooser. A photo the album
// can't read shows the album's own message. A user without albums gets a new one first.

#include "album/album_operations.h"

#include <string>

namespace lv::sharing {

inline constexpr int kUserAlbumsCategory = 0;

bool AddDownloadToAlbum(album::AlbumSession& session, const std::string& path);

}  // namespace lv::sharing
