#pragma once
#include "command.h"

namespace lv::tool {

// "album make|add|refresh|info|thumbs|list|search ...": album files, the album catalogue and the photo search.
int RunAlbum(std::string_view name, Arguments args);

int RunAlbumMake(Arguments args);
int RunAlbumAdd(Arguments args);
int RunAlbumRefresh(Arguments args);
int RunAlbumInfo(Arguments args);
int RunAlbumThumbs(Arguments args);
int RunAlbumList(Arguments args);
int RunAlbumSearch(Arguments args);

}  // namespace lv::tool
