// The album page's open album takes in what another writer (the tool, a download) added to
// its file meanwhile, without losing the user's unsaved order, selection or removals.

#include "album/album_file.h"
#include "album/album_page_session.h"
#include "album/album_update.h"
#include "album/photo_loader.h"
#include "album_test_support.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace lv::album {
namespace {

using testing::EntryFor;
namespace fs = std::filesystem;

std::vector<std::string> Paths(const Album& album)
{
    std::vector<std::string> paths;
    for (const AlbumEntry& e : album.entries())
        paths.push_back(e.path());
    return paths;
}

TEST(AlbumPageRefresh, PhotosAnotherWriterAddedJoinTheOpenAlbumAndTheUsersChangesStand)
{
    lv::testing::UiRecorder ui;
    lv::testing::TempDir dir;
    fs::create_directories(dir.path() / "program/albums");
    ProfileCatalogueStore store{dir.path() / "LV2000.ini", dir.path() / "program/sysalbum/albums.ini"};
    AlbumCatalogue catalogue{store, dir.path() / "program"};
    GridLayouts layouts;
    layouts.place(0, {{0, 0, 100, 100}, Rect{110, 0, 210, 100}, Rect{0, 110, 100, 210}, Rect{0, 0, 50, 20}});
    Album album;
    AlbumPageSession session(album, catalogue, AlbumPhotoReaders(), layouts);
    session.showCategory(0, std::nullopt, "");
    EXPECT_EQ(session.takeOthersAdditions(), 0) << "no file yet";
    for (const char* p : {"/fotos/a.jpg", "/fotos/b.jpg", "/fotos/c.jpg"})
        session.album().append(EntryFor(6, 4, p));
    session.album().setModified(true);
    ASSERT_TRUE(session.save("Praia"));
    const std::string path = session.albumPath();

    // The user removes b and selects c, unsaved; the tool adds d and e to the file.
    session.album().remove(1);
    session.album().setModified(true);
    session.view().click(1, ClickKeys::None);
    ASSERT_EQ(ModifyAlbum(path, [](Album& a) {
                  a.append(EntryFor(6, 4, "/fotos/d.jpg"));
                  a.append(EntryFor(6, 4, "/fotos/e.jpg"));
                  return true;
              }),
              AlbumUpdate::Written);
    EXPECT_EQ(session.takeOthersAdditions(), 2);
    EXPECT_EQ(Paths(session.album()),
              (std::vector<std::string>{"/fotos/a.jpg", "/fotos/c.jpg", "/fotos/d.jpg", "/fotos/e.jpg"}));
    EXPECT_EQ(session.view().selected(), 1);
    EXPECT_EQ(session.view().selectedCount(), 1);
    EXPECT_FALSE(session.album().entries()[2].selected());
    // Looking again brings nothing twice, and b stays removed.
    EXPECT_EQ(session.takeOthersAdditions(), 0);
    ASSERT_TRUE(session.save("Praia"));
    EXPECT_EQ(ReadAlbumContents(path).entries.size(), 4u);
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace lv::album
