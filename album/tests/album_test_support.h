#pragma once
// Pictures, entries, albums and photo files the album tests share.

#include "album/album.h"
#include "album/album_file.h"
#include "album/album_page_session.h"
#include "album/thumbnail.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/codecs/bmp/bmp.h"
#include "imagelib/codecs/jpeg/jpeg.h"
#include "imagelib/dib_alloc.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace lv::album::testing {

// A 24-bit picture whose pixel (x, y from the bottom) is blue x % 256, green y % 256, red 7.
inline HDIB CoordinatePicture(int width, int height)
{
    HDIB picture = AllocatePicture(width, height, 24, 0);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = picture.row(y);
        for (int x = 0; x < width; ++x, row += 3)
            row[0] = std::uint8_t(x), row[1] = std::uint8_t(y), row[2] = 7;
    }
    picture.header().biXPelsPerMeter = 3780;
    picture.header().biYPelsPerMeter = 2835;
    return picture;
}

inline AlbumEntry EntryFor(int width, int height, const std::string& path, const std::string& caption = "")
{
    return *BuildEntry(CoordinatePicture(width, height), EntryLabel{path, caption, {1, 1, 1}});
}

// An album of `photos` 4 x 3 photos named /fotos/p0.jpg, /fotos/p1.jpg and so on.
inline Album NumberedAlbum(int photos)
{
    Album album;
    for (int i = 0; i < photos; ++i)
        album.append(EntryFor(4, 3, "/fotos/p" + std::to_string(i) + ".jpg"));
    return album;
}

// Appends 2 x 2 photos named /f/<index>.jpg until the album holds the most it can.
inline void FillToCapacity(Album& album)
{
    const AlbumEntry one = EntryFor(2, 2, "/x.jpg");
    while (album.count() < kMaxEntries) {
        AlbumEntry e = one;
        e.setPath("/f/" + std::to_string(album.count()) + ".jpg");
        album.append(std::move(e));
    }
}

inline std::vector<std::string> PathsOf(const Album& album)
{
    std::vector<std::string> paths;
    for (int i = 0; i < int(album.count()); ++i)
        paths.push_back(album.path(i));
    return paths;
}

// A coordinate picture written as a JPEG file when the name ends in ".jpg", else as a bitmap.
inline void WritePhotoFile(const std::string& path, int width, int height)
{
    HDIB picture = CoordinatePicture(width, height);
    EXPECT_EQ(path.ends_with(".jpg") ? WriteJpeg(path, picture, 90) : WriteBmp(path, picture), WriteResult::Written)
        << path;
}

class PageSession : public ::testing::Test {
protected:
    PageSession()
    {
        std::filesystem::create_directories(dir.path() / "program/albums");
        layouts.place(0, {{0, 0, 100, 100}, Rect{110, 0, 210, 100}, Rect{0, 110, 100, 210}, Rect{0, 0, 50, 20}});
    }
    std::string config() const { return (dir.path() / "LV2000.ini").string(); }
    // A coordinate picture written as the photo `name` in the test's folder; its path.
    std::string photo(const std::string& name, int width, int height)
    {
        WritePhotoFile(dir.file(name), width, height);
        return dir.file(name);
    }
    void fill(AlbumPageSession& s, int photos)
    {
        for (int i = 0; i < photos; ++i)
            s.album().append(testing::EntryFor(6, 4, "/fotos/p" + std::to_string(i) + ".jpg"));
        s.album().setModified(true);
        s.layoutChanged();
    }

    lv::testing::UiRecorder ui;
    lv::testing::TempDir dir;
    ProfileCatalogueStore store{dir.path() / "LV2000.ini", dir.path() / "program/sysalbum/albums.ini"};
    AlbumCatalogue catalogue{store, dir.path() / "program"};
    GridLayouts layouts;
    Album album;
};

}  // namespace lv::album::testing
