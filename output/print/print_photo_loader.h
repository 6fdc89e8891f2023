#pragma once
// Photos for printing: read as the album reads them, but no larger than the printed box needs.
// A photo at least twice the box is decoded at a reduced scale (JPEG) or scaled down, so a sheet
// of many photos never holds more than a box's worth of pixels per photo.

#include "imagelib/dib.h"
#include "output/print/contact_sheet.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace lv::print {

// Null when the photo can't be read; shows nothing (a sheet leaves an unreadable photo's cell
// empty) and may run on any thread.
HDIB LoadPhotoForPrint(const std::string& path, int boxWidth, int boxHeight);

// Workers for a sheet: one more than the processors, so reading a file overlaps decoding another.
unsigned PrefetchThreads();
// Photos held ahead of the page: a few per worker.
std::size_t PrefetchAhead();

// Loads the photos of a list on worker threads, a few ahead of the one asked for, and hands them
// over in order: the photos asked for must come in the list's order (each at most once), as a
// sheet asks for them. At most `ahead` photos are held at a time.
class PhotoPrefetcher {
public:
    PhotoPrefetcher(std::vector<std::string> paths, int boxWidth, int boxHeight, unsigned threads, std::size_t ahead);
    ~PhotoPrefetcher();
    PhotoPrefetcher(const PhotoPrefetcher&) = delete;
    PhotoPrefetcher& operator=(const PhotoPrefetcher&) = delete;

    // The photo at the next index in the list when `path` is it; else loaded here and now.
    HDIB take(const std::string& path, int boxWidth, int boxHeight);
    PhotoLoader loader();

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace lv::print
