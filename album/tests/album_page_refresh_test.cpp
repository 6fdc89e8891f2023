// The album page's open album takes in what another writer (the tool, a download) added to
// its file meanwhile, without losing the user's unsaved order, selection or removals.

#include "album/album_file.h"
#include "album/album_page_session.h"
#include "album/album_update.h"
#include "album/photo_loader.h"
#include "page_session_fixture.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace lv::album {
namespace {

using testing::EntryFor;
namespace fs = std::filesystem;

using AlbumPageRefresh = PageSession;

TEST_F(AlbumPageRefresh, PhotosAnotherWriterAddedJoinTheOpenAlbumAndTheUsersChangesStand)
{
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
    EXPECT_EQ(testing::PathsOf(session.album()),
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
