#include "app/projects/panorama_photos.h"

#include "album/album.h"
#include "common/program_paths.h"

namespace lv::app {
namespace {

std::vector<std::string> AllPhotos(const album::Album& album)
{
    std::vector<std::string> photos;
    for (std::size_t i = 0; i < album.count(); ++i)
        photos.push_back(album.absolutePath(int(i), ProgramDir()));
    return photos;
}

}  // namespace

std::vector<std::string> ChosenPanoramaPhotos(const album::Album& shown, const std::string& albumFile)
{
    if (shown.empty()) {
        album::Album onDisk;
        onDisk.read(albumFile);
        return AllPhotos(onDisk);
    }
    std::vector<std::string> selected;
    for (std::size_t i = 0; i < shown.count(); ++i)
        if (shown.entries()[i].selected())
            selected.push_back(shown.absolutePath(int(i), ProgramDir()));
    return selected.size() >= 2 ? selected : AllPhotos(shown);
}

}  // namespace lv::app
