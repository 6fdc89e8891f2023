#pragma once
// Which photos a new panorama starts with: those selected on the album page, in album order;
// with fewer than two selected, every photo of the open album (a panorama needs two).

#include <string>
#include <vector>

namespace lv::album {
class Album;
}

namespace lv::app {

// `shown` is the open album as the album page holds it (its selection in memory); `albumFile`
// the open album's file, read when the page has not loaded it.
std::vector<std::string> ChosenPanoramaPhotos(const album::Album& shown, const std::string& albumFile);

}  // namespace lv::app
