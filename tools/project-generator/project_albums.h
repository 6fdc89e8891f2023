#pragma once
// The template galleries: read-only system albums of frames (category 4), calendars (6)
// and cards (7) whose items are the template files, thumbnails made from their previews.

#include "system_albums.h"

#include <vector>

namespace lv::artwork {

std::vector<SystemAlbum> ProjectAlbums();

}  // namespace lv::artwork
