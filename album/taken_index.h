#pragma once
// What an album's records don't hold: when each photo was taken and with which camera. The
// album file keeps its own layout (other programs read it), so these facts live in a small
// index per album in the user's data folder, keyed by the album's path, and are rebuilt from
// the photos when the index is missing or a photo changed.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace lv::album {

struct TakenFacts {
    std::int64_t taken = 0;  // seconds since 1970: the date taken, else the file's time
    std::string camera;      // empty when the photo names none
};

// "<user data>/taken/<16 hex digits of the album path's hash>.idx"
std::filesystem::path TakenIndexPath(const std::string& albumPath);

// The facts of `photos` (in order), from the index where a photo's file is unchanged and from
// the photo itself otherwise (EXIF DateTimeOriginal, else XMP, else the file's time). The index
// is rewritten, under the album's lock, when it was missing or anything changed.
std::vector<TakenFacts> LoadTakenFacts(const std::string& albumPath, const std::vector<std::string>& photos);

}  // namespace lv::album
