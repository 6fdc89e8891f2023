// The open album's table: clamped removal and moves, paths, parking.

#include "album/album.h"
#include "album_test_support.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"

#include <gtest/gtest.h>

namespace lv::album {
namespace {

using testing::PathsOf;

Album albumOf(std::initializer_list<const char*> names)
{
    Album album;
    for (const char* name : names)
        album.append(testing::EntryFor(3, 3, name));
    return album;
}

TEST(AlbumTable, RemoveAndMoveClampTheirIndexes)
{
    Album album = albumOf({"/a", "/b", "/c", "/d"});
    album.move(0, 2);
    EXPECT_EQ(PathsOf(album), (std::vector<std::string>{"/b", "/c", "/a", "/d"}));
    album.move(3, -5);
    EXPECT_EQ(PathsOf(album), (std::vector<std::string>{"/d", "/b", "/c", "/a"}));
    album.move(99, 1);
    EXPECT_EQ(PathsOf(album), (std::vector<std::string>{"/d", "/a", "/b", "/c"}));
    album.remove(-3);
    EXPECT_EQ(PathsOf(album), (std::vector<std::string>{"/a", "/b", "/c"}));
    album.remove(17);
    EXPECT_EQ(PathsOf(album), (std::vector<std::string>{"/a", "/b"}));
    album.remove(1), album.remove(0), album.remove(0), album.move(0, 1);
    EXPECT_TRUE(album.empty() && !album.thumbnailCopy(0));
    EXPECT_EQ(std::tuple(album.path(0), album.caption(-1)), std::tuple("", ""));
}

TEST(AlbumTable, PathsAndThumbnailCopies)
{
    Album album = albumOf({"/Fotos/Praia.JPG", "sysalbum/shapes/star.bmp"});
    album.entry(1)->setRelative(true);
    EXPECT_EQ(std::tuple(album.absolutePath(0, "/opt/lv"), album.absolutePath(1, "/opt/lv"), album.absolutePath(1, "/opt/lv/")),
              std::tuple("/Fotos/Praia.JPG", "/opt/lv/sysalbum/shapes/star.bmp", "/opt/lv/sysalbum/shapes/star.bmp"));

    const HDIB copy = album.thumbnailCopy(0);
    ASSERT_TRUE(copy);
    EXPECT_TRUE(copy.hasValidLayout());
    // Pixel (1, 2): blue 1, green 2.
    EXPECT_EQ(std::tuple(copy.width(), copy.bitCount(), int(copy.row(2)[3]), int(copy.row(2)[4])), std::tuple(3, 24, 1, 2));

    EXPECT_FALSE(album.removeWithPath("/fotos/praia.jp", "/opt/lv"));
    EXPECT_TRUE(album.removeWithPath("/FOTOS/praia.jpg", "/opt/lv") && album.removeWithPath("/opt/lv/SYSALBUM/shapes/Star.bmp", "/opt/lv"));
    EXPECT_TRUE(album.empty());
    EXPECT_TRUE(SamePathIgnoringCase("/Fotos/ÁGUA.jpg", "/fotos/água.JPG") && !SamePathIgnoringCase("/a/b", "/a/c"));
}

TEST(AlbumTable, ParkedAlbumComesBackWhole)
{
    lv::testing::UiRecorder ui;
    lv::testing::TempDir dir;
    Album other = albumOf({"/x", "/y", "/z"});
    ASSERT_TRUE(other.write(dir.file("other.abm")));

    Album album = albumOf({"/a", "/b"});
    album.setModified(true);
    album.park();
    EXPECT_TRUE(album.hasParked() && album.empty());
    ASSERT_TRUE(album.read(dir.file("other.abm")));
    EXPECT_EQ(album.folder(), dir.path().string() + "/");
    album.append(testing::EntryFor(2, 2, "/w"));
    album.restoreParked();
    EXPECT_EQ(std::tuple(album.hasParked(), PathsOf(album), album.modified()), std::tuple(false, std::vector<std::string>{"/a", "/b"}, true));
}

}  // namespace
}  // namespace lv::album
