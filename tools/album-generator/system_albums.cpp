#include "system_albums.h"

namespace lv::artwork {

std::vector<SystemAlbum> SystemAlbums()
{
    std::vector<SystemAlbum> all;
    for (const auto& kind : {EffectSampleAlbums, ShapeAlbums, FantasyAlbums, CoolAlbums, GradientAlbums, TextureAlbums})
        for (SystemAlbum& album : kind())
            all.push_back(std::move(album));
    return all;
}

}  // namespace lv::artwork
