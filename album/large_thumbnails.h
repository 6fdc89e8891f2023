#pragma once
// Sharp thumbnails for the album's grid, kept where the desktop keeps them: the shared
// freedesktop cache's "large" size, 256-pixel PNG files named by the MD5 of the photo's URI
// and carrying "Thumb::URI" and "Thumb::MTime", so file managers use ours and we use theirs.
// The album file's own small thumbnails are untouched.

#include "imagelib/codecs/document_open.h"
#include "imagelib/dib.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace lv::album {

inline constexpr int kLargeThumbnailSide = 256;

// $XDG_CACHE_HOME/thumbnails/large, with ~/.cache when the variable is unset or relative.
std::filesystem::path LargeThumbnailFolder();
// "file://" and the absolute path, each byte outside the URI's unreserved set and "/" as %XX.
std::string FileUri(const std::filesystem::path& absolute);
// The MD5 of the URI in lower-case hexadecimal, with ".png".
std::string ThumbnailFileName(const std::string& uri);

// The cached thumbnail when it names this photo and the photo's modification time (in whole
// seconds); null when absent, stale or unreadable.
HDIB FreshLargeThumbnail(const std::filesystem::path& photo);

// Makes the thumbnail (from the preview a raw file or a JPEG's metadata embeds when it is
// large enough, else JPEG decoded at a reduced scale, else through the album's photo loader), at most 256 pixels on its longer side, and stores it through the safe write path:
// folders 0700, the file 0600. Null when the photo can't be read; the picture is still given
// when the cache can't be written. Shows nothing, so it runs on the album's workers.
HDIB MakeLargeThumbnail(const std::filesystem::path& photo, const DocumentReaders& readers);

// The fresh cached thumbnail, else a new one.
HDIB LargeThumbnail(const std::filesystem::path& photo, const DocumentReaders& readers);

}  // namespace lv::album
