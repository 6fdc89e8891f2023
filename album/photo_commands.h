#pragma once
// The album page's commands on photos: deleting (from the album only, or the files too),
// the facts the properties dialog shows, and renaming a photo's file.

#include "album/album.h"
#include "album/album_clipboard.h"
#include "album/album_view.h"

#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace lv::album {

inline constexpr int kCannotDeleteFileString = 6464;
inline constexpr int kFileExistsString = 6320;

enum class DeleteCheck {
    Nothing,  // read-only album or no photo selected
    Beep,     // the selected photo lies outside the album
    Ask,      // the delete options dialog comes next
};
DeleteCheck CheckDelete(const Album& album, const AlbumView& view);

enum class DeleteChoice { ThumbnailsOnly, ThumbnailsAndFiles };

// Removes every selected photo; with the files, each file is deleted first, and a file that
// can't be shows message 6464 with its path (the entry goes all the same). Answers how many
// entries were removed.
int DeleteSelectedPhotos(Album& album, AlbumView& view, DeleteChoice choice, const std::filesystem::path& programDir);

// The properties dialog's fields.
struct PhotoProperties {
    std::string name;        // file name without extension
    std::string folder;      // ending in "/"
    std::string extension;   // upper case
    std::string fileSize;    // "%.1f KB" of the recorded size
    std::string lastWrite;   // "hh:mm:ss    MM/DD/YYYY" in local time; empty when the file is gone
    std::string dimensions;  // "  W x H\n  B Bits"
};
PhotoProperties DescribePhoto(const AlbumEntry& entry, const std::string& absolutePath);
std::string FormatFileSize(std::uint32_t bytes);
std::string FormatLastWrite(const std::tm& local);
std::string FormatDimensions(int width, int height, int bits);

// The same folder, the new name and the old extension in upper case.
std::string RenamedPhotoPath(std::string_view path, std::string_view newName);

enum class RenameResult {
    Unchanged,  // the name is the same (or empty)
    Exists,     // a file of the new name is there: message 6320, the dialog stays
    Failed,     // the file system refused: nothing changed
    Renamed,
};
// Renames the photo's file; the entry (and the clipboard's remembered path, when it named
// the old file) take the new path and the album is marked modified.
RenameResult RenamePhoto(Album& album, int index, std::string_view newName, AlbumClipboard& clipboard,
                         const std::filesystem::path& programDir);

}  // namespace lv::album
