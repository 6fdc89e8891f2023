#pragma once
// A picture that arrives while the album page shows: stored under "photos" with the
// day's camera name, as a 24-bit JPEG, and added to the open album.

#include "acquire/camera_file_name.h"
#include "album/album_operations.h"
#include "common/settings.h"
#include "imagelib/dib.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace lv::twain {

inline constexpr std::string_view kAcquiredPhotoCaption = "Still Image File";

// Adds a stored photo to the open album with its caption, updates the grid and selects the
// new photo; false when there is no album to add to.
using AlbumStep = std::function<bool(const std::string& path, const HDIB& picture, std::string_view caption)>;

// The album library's side of the step: the stored photo joins the session's open album with
// its caption, its thumbnail made from the picture in hand. The new entry's index, or
// nothing when the album takes no more (the library said so).
std::optional<int> AddAcquiredPhoto(album::AlbumSession& session, const std::string& path, const HDIB& picture,
                                    std::string_view caption);

// The photo's path, or nothing when it could not be written (the save showed why).
std::optional<std::string> StoreAcquiredPhoto(HDIB picture, Settings& settings, const std::filesystem::path& photosDir,
                                              CalendarDay today, const AlbumStep& addToAlbum);

}  // namespace lv::twain
