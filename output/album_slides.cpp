#include "output/album_slides.h"

#include "album/album.h"
#include "album/album_file.h"

namespace lv {

std::optional<std::vector<Slide>> ReadAlbumSlides(const std::string& albumPath, const std::filesystem::path& programDir)
{
    const album::AlbumFileContents contents = album::ReadAlbumContents(albumPath);
    if (!contents.recognised)
        return std::nullopt;
    std::vector<Slide> slides;
    slides.reserve(contents.entries.size());
    for (const album::AlbumEntry& entry : contents.entries) {
        const std::string path = entry.path();
        slides.push_back({entry.relative() ? album::JoinProgramPath(programDir, path) : path, entry.caption()});
    }
    return slides;
}

AlbumSlideReader AlbumFileSlideReader(std::filesystem::path programDir)
{
    return [programDir = std::move(programDir)](const std::string& albumPath) {
        return ReadAlbumSlides(albumPath, programDir);
    };
}

}  // namespace lv
