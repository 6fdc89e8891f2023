#pragma once
// Puts the system albums into a program folder: every picture as a bitmap file, every album
// as a read-only album file built by the album code, and the catalogue lines.

#include "system_albums.h"

#include <filesystem>
#include <string>
#include <vector>

namespace lv::artwork {

// False (after a line on stderr) when anything could not be written.
bool WriteSystemAlbums(const std::filesystem::path& programDir, const std::vector<SystemAlbum>& albums);

// The catalogue file's text: one section per category section name, albums in order.
std::string CatalogueText(const std::vector<SystemAlbum>& albums);

}  // namespace lv::artwork
