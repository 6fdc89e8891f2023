// Downloaded photos in the user's current album, through the album library itself.

#include "album/album_file.h"
#include "album/photo_loader.h"
#include "common/string_table.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/dib_geometry.h"
#include "imagelib/codecs/jpeg/jpeg.h"
#include "sharing/store/download_album.h"
#include "sharing/store/photo_download.h"

#include <gtest/gtest.h>

#include <fstream>

namespace lv::sharing {
namespace {

namespace fs = std::filesystem;

// Opening is the image windows' business; here it only counts.
class AlbumPhotos final : public DownloadedPhotos {
public:
    explicit AlbumPhotos(album::AlbumSession& session)
        : session_(session)
    {
    }
    bool open(const std::string& path) override
    {
        opened.push_back(path);
        return true;
    }
    void addToAlbum(const std::string& path) override { AddDownloadToAlbum(session_, path); }
    std::vector<std::string> opened;

private:
    album::AlbumSession& session_;
};

class DownloadAlbum : public ::testing::Test {
protected:
    DownloadAlbum()
        : store(dir.path() / "LV2000.ini", dir.path() / "none.ini")
        , catalogue(store, dir.path() / "program")
        , session{open, catalogue, album::AlbumPhotoReaders(), {}}
    {
        fs::create_directories(folder());
        fs::create_directories(dir.path() / "program" / "albums");
        catalogue.newAlbum(kUserAlbumsCategory, "Casa");
        catalogue.newAlbum(kUserAlbumsCategory, "Fotos da loja");
        catalogue.setCurrent(kUserAlbumsCategory, 1);
        for (const char* name : {"c.jpg", "a.jpg", "b.jpg"})
            EXPECT_EQ(WriteJpeg((folder() / name).string(), DibCreate(120, 80, 0x204060, false), 90),
                      WriteResult::Written);
    }
    fs::path folder() const { return dir.path() / "program" / "photos"; }
    std::vector<std::string> albumPaths(int index) const
    {
        std::vector<std::string> paths;
        const std::string file = catalogue.albumPath(kUserAlbumsCategory, index);
        if (fs::exists(file))
            for (const auto& entry : album::ReadAlbumContents(file).entries)
                paths.push_back(entry.path());
        return paths;
    }

    lv::testing::UiRecorder ui;
    lv::testing::TempDir dir;
    album::ProfileCatalogueStore store;
    album::AlbumCatalogue catalogue;
    album::Album open;
    album::AlbumSession session;
};

TEST_F(DownloadAlbum, ThreeFilesAppendThreeEntriesInTheLibrarysOrder)
{
    AlbumPhotos photos(session);
    for (const char* name : {"c.jpg", "a.jpg", "b.jpg"})
        DeliverPhoto(folder(), name, photos, false);
    EXPECT_EQ(photos.opened.size(), 3u);
    EXPECT_EQ(albumPaths(1), (std::vector<std::string>{(folder() / "c.jpg").string(), (folder() / "a.jpg").string(),
                                                       (folder() / "b.jpg").string()}));
    EXPECT_TRUE(albumPaths(0).empty());
    EXPECT_TRUE(open.empty());  // the album that was open stays as it was
    const auto entries = album::ReadAlbumContents(catalogue.albumPath(kUserAlbumsCategory, 1)).entries;
    ASSERT_EQ(entries.size(), 3u);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(entries[0].itemValue(i), 1) << i;  // −99 is kept as 1
    EXPECT_TRUE(ui.messages.empty());

    // Downloaded again: each stays once, moved to the end.
    DeliverPhoto(folder(), "c.jpg", photos, false);
    EXPECT_EQ(albumPaths(1).size(), 3u);
    EXPECT_EQ(albumPaths(1).back(), (folder() / "c.jpg").string());
}

TEST_F(DownloadAlbum, WithTheSwitchOnTheAlbumIsUnchanged)
{
    AlbumPhotos photos(session);
    for (const char* name : {"c.jpg", "a.jpg", "b.jpg"})
        DeliverPhoto(folder(), name, photos, true);
    EXPECT_EQ(photos.opened.size(), 3u);
    EXPECT_TRUE(albumPaths(1).empty());
    EXPECT_FALSE(fs::exists(catalogue.albumPath(kUserAlbumsCategory, 1)));
}

TEST_F(DownloadAlbum, APhotoTheAlbumCantReadShowsItsMessageAndIsLeftOut)
{
    std::ofstream(folder() / "quebrada.jpg") << "not a picture";
    AlbumPhotos photos(session);
    DeliverPhoto(folder(), "quebrada.jpg", photos, false);
    DeliverPhoto(folder(), "a.jpg", photos, false);
    EXPECT_EQ(albumPaths(1), std::vector<std::string>{(folder() / "a.jpg").string()});
    ASSERT_EQ(ui.messages.size(), 1u);
    // A photo the program saved itself (value −99) that won't read is the save-error message.
    EXPECT_TRUE(ui.messages[0].text.starts_with(LoadString(album::kSaveErrorString))) << ui.messages[0].text;
}

TEST(DownloadAlbumFirst, AUserWithoutAlbumsGetsANewOneHoldingThePhotos)
{
    lv::testing::UiRecorder ui;
    lv::testing::TempDir dir;
    album::ProfileCatalogueStore store(dir.path() / "LV2000.ini", dir.path() / "none.ini");
    album::AlbumCatalogue catalogue(store, dir.path() / "program");
    album::Album open;
    album::AlbumSession session{open, catalogue, album::AlbumPhotoReaders(), {}};
    fs::create_directories(dir.path() / "program" / "albums");
    const std::string photo = dir.file("a.jpg");
    ASSERT_EQ(WriteJpeg(photo, DibCreate(40, 30, 0, false), 90), WriteResult::Written);
    ASSERT_TRUE(AddDownloadToAlbum(session, photo));
    ASSERT_TRUE(AddDownloadToAlbum(session, photo));
    ASSERT_EQ(catalogue.count(kUserAlbumsCategory), 1);
    EXPECT_EQ(catalogue.name(kUserAlbumsCategory, 0).rfind(LoadString(album::kNewAlbumNameString), 0), 0u);
    const auto entries = album::ReadAlbumContents(catalogue.albumPath(kUserAlbumsCategory, 0)).entries;
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].path(), photo);
}

}  // namespace
}  // namespace lv::sharing
