// The album page's life with the open album: which album a category opens, what is saved
// when the page moves on (view values, file, name), and what comes back.

#include "album/album_file.h"
#include "album/album_page_session.h"
#include "album/album_update.h"
#include "album/photo_loader.h"
#include "page_session_fixture.h"
#include "common/byte_sink.h"
#include "common/profile.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace lv::album {
namespace {

using testing::EntryFor;
namespace fs = std::filesystem;

TEST_F(PageSession, LeavingWritesTheAlbumAndComingBackRestoresSelectionAndFirstRow)
{
    {
        AlbumPageSession session(album, catalogue, AlbumPhotoReaders(), layouts);
        session.showCategory(0, std::nullopt, "");
        // A category without albums gets a new one, not yet written.
        ASSERT_EQ(catalogue.count(0), 1);
        EXPECT_EQ(session.displayName(), "Novo álbum1");
        EXPECT_FALSE(fs::exists(session.albumPath()));
        fill(session, 23);
        session.view().click(16, ClickKeys::None);
        session.view().click(18, ClickKeys::Ctrl);
        ASSERT_TRUE(session.view().scrollTo(3));
        session.leave("   Viagem");
        EXPECT_FALSE(session.isOpen());
        EXPECT_TRUE(album.empty());
    }
    const std::string path = (dir.path() / "program/albums/album1.abm").string();
    const AlbumFileContents written = ReadAlbumContents(path);
    ASSERT_TRUE(written.complete);
    EXPECT_EQ(written.entries.size(), 23u);
    EXPECT_EQ(profile::ReadValue(config(), "ALBUMPOS", "albums_album1.abm").value_or(""), "18");
    EXPECT_EQ(profile::ReadValue(config(), "ALBUMHEAD", "albums_album1.abm").value_or(""), "3");
    EXPECT_EQ(catalogue.name(0, 0), "Viagem");  // leading spaces dropped

    AlbumPageSession again(album, catalogue, AlbumPhotoReaders(), layouts);
    again.showCategory(0, std::nullopt, "");
    EXPECT_EQ(again.album().count(), 23u);
    EXPECT_EQ(again.view().selected(), 18);
    EXPECT_EQ(again.view().head(), 3);
    EXPECT_EQ(again.view().selectedPhotos(), std::vector<int>{18});  // flags are not kept
    EXPECT_FALSE(again.album().modified());
    EXPECT_TRUE(ui.messages.empty());
}

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
    EXPECT_EQ(catalogue.name(0, 1), "Serra");
    EXPECT_EQ(catalogue.current(0), 0);
    EXPECT_EQ(ReadAlbumContents((dir.path() / "program/albums/album2.abm").string()).entries.size(), 3u);
    EXPECT_TRUE(session.album().empty());

    // The key wins over the current album; the item after the last makes a new album.
    session.showCategory(0, std::string("album2.abm"), "");
    EXPECT_EQ(session.albumIndex(), 1);
    EXPECT_EQ(session.album().count(), 3u);
    session.chooseAlbum(3, "");
    EXPECT_EQ(catalogue.count(0), 3);
    EXPECT_EQ(session.albumIndex(), 2);
    EXPECT_EQ(catalogue.name(0, 2), "Novo álbum3");
    EXPECT_TRUE(session.album().empty());

    // Deleting it brings the previous album back.
    ASSERT_TRUE(session.deleteCurrentAlbum());
    EXPECT_EQ(catalogue.count(0), 2);
    EXPECT_EQ(session.albumIndex(), 1);
    EXPECT_EQ(session.album().count(), 3u);
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
    EXPECT_EQ(session.albumIndex(), -1);
    EXPECT_EQ(session.displayName(), "viagem");
    EXPECT_EQ(session.album().count(), 4u);
    EXPECT_EQ(catalogue.count(0), 0);
    session.view().click(0, ClickKeys::None);
    ASSERT_TRUE(session.view().dropOn(3));
    session.leave("ignorado");
    EXPECT_EQ(ReadAlbumContents(path).entries[3].path(), "/fora/0.png");
    EXPECT_EQ(catalogue.count(0), 0);
}

}  // namespace
}  // namespace lv::album

namespace lv::album {
namespace {

TEST_F(PageSession, LeavingKeepsPhotosAnotherWriterAddedWhileTheAlbumWasOpen)
{
    AlbumPageSession session(album, catalogue, AlbumPhotoReaders(), layouts);
    session.showCategory(0, std::nullopt, "");
    fill(session, 4);
    session.leave("");
    session.showCategory(0, std::nullopt, "");
    const std::string path = session.albumPath();
    ASSERT_EQ(session.album().count(), 4u);

    // The tool (or a download) adds to the file while the page shows it.
    ASSERT_EQ(ModifyAlbum(path, [](Album& a) { return a.append(EntryFor(6, 4, "/fotos/de-fora.jpg")); }),
              AlbumUpdate::Written);
    // The user removes p1, moves p3 first and selects p0.
    session.album().remove(1);
    session.album().move(2, 0);
    session.album().setModified(true);
    session.view().click(1, ClickKeys::None);
    ASSERT_TRUE(session.save(""));
    EXPECT_EQ(session.view().selected(), 1);
    EXPECT_EQ(session.album().path(1), "/fotos/p0.jpg");
    session.leave("");

    const AlbumFileContents written = ReadAlbumContents(path);
    std::vector<std::string> paths;
    for (const AlbumEntry& e : written.entries)
        paths.push_back(e.path());
    EXPECT_EQ(paths, (std::vector<std::string>{"/fotos/p3.jpg", "/fotos/p0.jpg", "/fotos/p2.jpg", "/fotos/de-fora.jpg"}));
    EXPECT_EQ(profile::ReadValue(config(), "ALBUMPOS", "albums_album1.abm").value_or(""), "1");
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace lv::album
