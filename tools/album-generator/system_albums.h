#pragma once
// The system albums that ship in the program folder: each album's catalogue line and its
// pictures. A new kind of system album adds a function to the list in system_albums.cpp.

#include "imagelib/dib.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace lv::artwork {

struct ArtItem {
    std::string file;  // below the program folder, with "/"
    std::function<HDIB()> paint;  // empty: another generator has written the file
    std::string caption;  // what the consuming code reads the item as
    std::array<int, 3> values{1, 1, 1};
};

struct SystemAlbum {
    int category;
    std::string key;   // file name in the category's folder
    std::string name;  // what the user sees
    std::vector<ArtItem> items;
};

// A picture of sysalbum/FOLDER/NAME.bmp captioned "FOLDER//NAME", item value 1 `number`.
ArtItem SystemAlbumItem(const std::string& folder, const std::string& name, HDIB (*paint)(), int number);

// Every system album, in catalogue order.
std::vector<SystemAlbum> SystemAlbums();

// The kinds, each in its own file.
std::vector<SystemAlbum> EffectSampleAlbums();  // categories 1 to 3
std::vector<SystemAlbum> ShapeAlbums();         // 5, whose pictures are the stamps
std::vector<SystemAlbum> FantasyAlbums();       // 8
std::vector<SystemAlbum> CoolAlbums();          // 9
std::vector<SystemAlbum> GradientAlbums();      // 11
std::vector<SystemAlbum> TextureAlbums();       // 12

// The background stamps are drawn on: the stamp tool can take it as see-through.
inline constexpr int kStampBackground = 255;
inline constexpr int kStampSide = 128;

}  // namespace lv::artwork
