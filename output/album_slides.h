#pragma once
// The slides of an album file, read through the album library: each photo's path (joined to
// the program folder when its record says it is relative) and its text, in album order.

#include "output/slide_show.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace lv {

// Nothing when the file can't be opened or is no album (a short header or no "REZE"). A cut
// album gives the photos before the cut.
std::optional<std::vector<Slide>> ReadAlbumSlides(const std::string& albumPath, const std::filesystem::path& programDir);

// The reader the show command uses.
AlbumSlideReader AlbumFileSlideReader(std::filesystem::path programDir);

}  // namespace lv
