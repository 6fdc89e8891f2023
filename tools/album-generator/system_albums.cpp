#include "system_albums.h"

namespace lv::artwork {

ArtItem SystemAlbumItem(const std::string& folder, const std::string& name, HDIB (*paint)(), int number)
{
    return {"sysalbum/" + folder + "/" + name + ".bmp", paint, folder + "//" + name, {number, 1, 1}};
}

std::vector<SystemAlbum> SystemAlbums()
{
    std::vector<SystemAlbum> all;
    for (const auto& kind : {EffectSampleAlbums, ShapeAlbums, FantasyAlbums, CoolAlbums, GradientAlbums, TextureAlbums})
        for (SystemAlbum& album : kind())
            all.push_back(std::move(album));
    return all;
}

}  // namespace lv::artwork
