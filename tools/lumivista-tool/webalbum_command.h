#pragma once
// lumivista-tool webalbum: an album published as a static web gallery.

#include "command.h"

namespace lv::tool {

// webalbum ALBUM.abm OUTDIR [--size N] [--title T] [--json]
int RunWebAlbum(std::string_view name, Arguments args);

}  // namespace lv::tool
