#pragma once
// Finding photos: in the album files of a folder (by what their records say) and, when asked,
// among the picture files of folders on disk. The search dialog and `lumivista-tool album
// search` run the same criteria.

#include "album/album_entry.h"
#include "album/entry_builder.h"

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lv::album {

struct SearchCriteria {
    // Part of the file name, ignoring case; with "*" or "?" a pattern for the whole name.
    std::string name;
    // Part of the caption, ignoring case. Photos found on disk have none.
    std::string caption;
    // The photo file's time (seconds since 1970): at or after `after`, before `before`.
    std::optional<std::int64_t> after;
    std::optional<std::int64_t> before;
    // Extensions in any case ("JPG", "tif"); JPG, JPEG and JPE count as one, TIF and TIFF too.
    std::vector<std::string> types;
    // File size in bytes.
    std::optional<std::uint64_t> minBytes;
    std::optional<std::uint64_t> maxBytes;
    // Picture size in pixels.
    int minWidth = 0;
    int minHeight = 0;

    // The date taken (seconds since 1970; see taken_index.h) and part of the camera's name.
    std::optional<std::int64_t> takenAfter;
    std::optional<std::int64_t> takenBefore;
    std::string camera;

    bool needsPictureSize() const { return minWidth > 0 || minHeight > 0; }
    bool needsTakenFacts() const { return takenAfter || takenBefore || !camera.empty(); }
};

// What a criterion is checked against.
struct PhotoFacts {
    std::string path;
    std::string caption;
    std::int64_t time = 0;
    std::uint64_t bytes = 0;
    int width = 0;
    int height = 0;
    std::int64_t taken = 0;
    std::string camera;
};
bool MatchesSearch(const SearchCriteria& criteria, const PhotoFacts& photo);
// The checks that need no picture: name, caption, type, time and file size.
bool MatchesWithoutPicture(const SearchCriteria& criteria, const PhotoFacts& photo);

// "*" any run of characters, "?" one character; letters compared without case (ASCII and Latin-1).
bool WildcardMatch(std::string_view pattern, std::string_view text);
bool ContainsIgnoringCase(std::string_view text, std::string_view part);

struct SearchHit {
    std::string path;   // the photo file
    std::string album;  // the album file that lists it; empty for a photo found on disk
    int index = -1;     // its place in that album
    PhotoFacts facts;
    std::optional<AlbumEntry> entry;  // record and thumbnail (built for photos found on disk)
};

// Every album file ("*.abm", any case) of the folder, in name order, and its photos in album
// order. Relative paths are taken below `programDir`.
std::vector<SearchHit> SearchAlbumFolder(const std::string& folder, const SearchCriteria& criteria,
                                         const std::string& programDir = {}, const StopRequest& stop = {});

// The picture files of a folder (and its sub-folders when `recursive`) in name order; their
// entries are built (on `jobs` workers) when the picture's size is asked for.
std::vector<SearchHit> SearchPhotoFolder(const std::string& folder, const SearchCriteria& criteria, bool recursive,
                                         unsigned jobs = 0, const StopRequest& stop = {});

// "YYYY-MM-DD" as the local time of that day's start; nothing for anything else.
std::optional<std::int64_t> ParseSearchDate(std::string_view text);
// The start of the day after.
std::int64_t NextDay(std::int64_t dayStart);

// An album of the hits (at most 1000), selected flags cleared, written to `path`.
bool WriteResultsAlbum(const std::vector<SearchHit>& hits, const std::string& path);

}  // namespace lv::album
