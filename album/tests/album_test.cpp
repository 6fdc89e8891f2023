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
    EXPECT_TRUE(album.empty());
    EXPECT_EQ(album.path(0), "");
    EXPECT_EQ(album.caption(-1), "");
    EXPECT_FALSE(album.thumbnailCopy(0));
}

TEST(AlbumTable, PathsAndThumbnailCopies)
{
    Album album = albumOf({"/Fotos/Praia.JPG", "sysalbum/shapes/star.bmp"});
    album.entry(1)->setRelative(true);
    EXPECT_EQ(album.absolutePath(0, "/opt/lv"), "/Fotos/Praia.JPG");
    EXPECT_EQ(album.absolutePath(1, "/opt/lv"), "/opt/lv/sysalbum/shapes/star.bmp");
    EXPECT_EQ(album.absolutePath(1, "/opt/lv/"), "/opt/lv/sysalbum/shapes/star.bmp");

    const HDIB copy = album.thumbnailCopy(0);
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy.width(), 3);
    EXPECT_EQ(copy.bitCount(), 24);
    EXPECT_TRUE(copy.hasValidLayout());
    EXPECT_EQ(copy.row(2)[3], 1);  // pixel (1, 2): blue 1, green 2
    EXPECT_EQ(copy.row(2)[4], 2);

    EXPECT_FALSE(album.removeWithPath("/fotos/praia.jp", "/opt/lv"));
    EXPECT_TRUE(album.removeWithPath("/FOTOS/praia.jpg", "/opt/lv"));
    EXPECT_TRUE(album.removeWithPath("/opt/lv/SYSALBUM/shapes/Star.bmp", "/opt/lv"));
    EXPECT_TRUE(album.empty());
    EXPECT_TRUE(SamePathIgnoringCase("/Fotos/ÁGUA.jpg", "/fotos/água.JPG"));
    EXPECT_FALSE(SamePathIgnoringCase("/a/b", "/a/c"));
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
    EXPECT_TRUE(album.hasParked());
    EXPECT_TRUE(album.empty());
    ASSERT_TRUE(album.read(dir.file("other.abm")));
    EXPECT_EQ(album.folder(), dir.path().string() + "/");
    album.append(testing::EntryFor(2, 2, "/w"));
    album.restoreParked();
    EXPECT_FALSE(album.hasParked());
    EXPECT_EQ(PathsOf(album), (std::vector<std::string>{"/a", "/b"}));
    EXPECT_TRUE(album.modified());
}

}  // namespace
}  // namespace lv::album
