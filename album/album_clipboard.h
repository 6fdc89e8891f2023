#pragma once
// The album page's clipboard: at most one copied entry (record and thumbnail) and the path
// that was cut or copied. It outlives the open album, so a photo moves between albums.

#include "album/album.h"
#include "album/album_view.h"

#include <filesystem>
#include <optional>
#include <string>

namespace lv::album {

struct AlbumClipboard {
    std::optional<AlbumEntry> entry;
    std::string path;  // absolute
    bool empty() const { return !entry.has_value(); }
};

// Copies the selected photo's entry (its selected flag cleared). False without one.
bool CopyPhoto(const Album& album, const AlbumView& view, AlbumClipboard& clipboard,
               const std::filesystem::path& programDir);
// Copies, then takes the photo out of the album (which is marked modified).
bool CutPhoto(Album& album, AlbumView& view, AlbumClipboard& clipboard, const std::filesystem::path& programDir);
// Appends a copy of the clipboard's entry after removing any entry with its path, and makes
// it the only selection. False (and message 2547) when the album is full.
bool PastePhoto(Album& album, AlbumView& view, const AlbumClipboard& clipboard, const std::filesystem::path& programDir);

}  // namespace lv::album
