#pragma once
// Turning an album's photos: the photos the album lists (its selection, or all of them), each
// turned in place, then the album's records and cached thumbnails made again, and a report
// for the user naming every photo that could not be turned and why.

#include "album/orientation/photo_turn.h"

#include <functional>
#include <string>
#include <vector>

namespace lv::album {
class Album;
}

namespace lv::orientation {

struct AlbumPhoto {
    std::string path;  // absolute
    std::string caption;
    bool selected = false;
};

// The album's photos in album order, those in `selected` (absolute paths) marked; empty when
// the file can't be read.
std::vector<AlbumPhoto> AlbumPhotos(const std::string& albumPath, const std::vector<std::string>& selected = {});

// The absolute paths of the photos selected in an album held in memory (the file keeps no
// selection).
std::vector<std::string> SelectedPhotos(const album::Album& album);

struct TurnReport {
    int turned = 0;
    int lossless = 0;
    int upright = 0;  // asked to stand upright and already did
    std::vector<std::string> turnedPaths;
    std::vector<std::string> failures;  // one line each, naming the file
    std::vector<std::string> notes;     // turned, with something to tell (metadata left behind)
    bool stopped = false;
    bool albumNotUpdated = false;

    // The summary in Portuguese: how many turned, then each failure and note.
    std::string text() const;
};

// Asked before each photo with how many are done; false stops the work.
using TurnProgress = std::function<bool(int done, int total)>;

// Turns `photos`; when `albumPath` is not empty its records follow.
TurnReport TurnPhotos(const std::vector<std::string>& photos, const TurnRequest& request, const std::string& albumPath,
                      const TurnProgress& progress = {});

}  // namespace lv::orientation
