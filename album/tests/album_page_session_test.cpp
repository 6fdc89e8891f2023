// The album page's life with the open album: which album a category opens, what is saved
// when the page moves on (file, name), and what another writer added meanwhile.

#include "album/album_file.h"
#include "album/album_page_session.h"
#include "album/album_update.h"
#include "album/photo_loader.h"
#include "page_session_fixture.h"
#include "common/byte_sink.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace lv::album {
namespace {

using testing::EntryFor;
namespace fs = std::filesystem;

TEST_F(PageSession, ChoosingAnotherAlbumSavesTheOneShownFirst)
{
    catalogue.addLine(0, "album1.abm=Praia");
    catalogue.addLine(0, "album2.abm=Serra");
    catalogue.setCurrent(0, 1);
    AlbumPageSession session(album, catalogue, AlbumPhotoReaders(), layouts);
    session.showCategory(0, std::nullopt, "");
    EXPECT_EQ(session.albumIndex(), 1);
    EXPECT_EQ(session.listItems(), (std::vector<std::string>{"Praia", "Serra", "[Novo]"}));
    fill(session, 3);
    session.chooseAlbum(0, "");  // an empty name keeps the stored one
    EXPECT_EQ(std::tuple(catalogue.name(0, 1), catalogue.current(0), session.album().empty()), std::tuple("Serra", 0, true));
    EXPECT_EQ(ReadAlbumContents((dir.path() / "program/albums/album2.abm").string()).entries.size(), 3u);

    // The key wins over the current album; the item after the last makes a new album.
    session.showCategory(0, std::string("album2.abm"), "");
    EXPECT_EQ(std::tuple(session.albumIndex(), session.album().count()), std::tuple(1, 3u));
    session.chooseAlbum(3, "");
    EXPECT_EQ(std::tuple(catalogue.count(0), session.albumIndex(), catalogue.name(0, 2), session.album().empty()),
              std::tuple(3, 2, "Novo álbum3", true));

    // Deleting it brings the previous album back.
    ASSERT_TRUE(session.deleteCurrentAlbum());
    EXPECT_EQ(std::tuple(catalogue.count(0), session.albumIndex(), session.album().count()), std::tuple(2, 1, 3u));
}

TEST_F(PageSession, AnEmptiedAlbumLosesItsFileAndReadOnlyAlbumsKeepTheirName)
{
    catalogue.addLine(0, "album1.abm=Praia");
    AlbumPageSession session(album, catalogue, AlbumPhotoReaders(), layouts);
    session.showCategory(0, std::nullopt, "");
    fill(session, 2);
    ASSERT_TRUE(session.save("Praia"));
    ASSERT_TRUE(fs::exists(session.albumPath()));
    session.album().remove(0);
    session.album().remove(0);
    session.album().setModified(true);
    session.leave("Praia");
    EXPECT_FALSE(fs::exists(dir.path() / "program/albums/album1.abm"));

    // A system album's header says read-only: its name field is not a name to store.
    Album made;
    made.append(EntryFor(3, 3, "/a.bmp"));
    std::vector<std::uint8_t> bytes = EncodeAlbum(made.entries());
    bytes[kReadOnlyOffset] = 1;
    ASSERT_TRUE(WriteWholeFile((dir.path() / "program/albums/album1.abm").string(), bytes));
    session.showCategory(0, std::nullopt, "");
    ASSERT_TRUE(session.album().readOnly());
    session.leave("Outro nome");
    EXPECT_EQ(catalogue.name(0, 0), "Praia");
}

TEST_F(PageSession, AnAlbumFromTheCommandLineIsShownAndWrittenBackButNotListed)
{
    Album made;
    for (int i = 0; i < 4; ++i)
        made.append(EntryFor(5, 5, "/fora/" + std::to_string(i) + ".png"));
    const std::string path = dir.file("viagem.abm");
    ASSERT_TRUE(made.write(path));
    AlbumPageSession session(album, catalogue, AlbumPhotoReaders(), layouts);
    session.showFile(0, path, "");
    session.view().click(0, ClickKeys::None);
    ASSERT_TRUE(session.view().dropOn(3));
    session.leave("ignorado");
    EXPECT_EQ(ReadAlbumContents(path).entries[3].path(), "/fora/0.png");
    EXPECT_EQ(catalogue.count(0), 0);
}

// What another writer (the tool, a download) added to the file joins the open album without
// losing the user's unsaved order, selection or removals.
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
    EXPECT_EQ(std::tuple(session.view().selected(), session.view().selectedCount(), session.album().entries()[2].selected()),
              std::tuple(1, 1, false));
    // Looking again brings nothing twice, and b stays removed.
    EXPECT_EQ(session.takeOthersAdditions(), 0);
    ASSERT_TRUE(session.save("Praia"));
    EXPECT_EQ(ReadAlbumContents(path).entries.size(), 4u);
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace lv::album
