// The album page's life with the open album (which album a category opens, what is saved when
// the page moves on, what another writer added meanwhile); the catalogue of albums behind it; and
// several writers on one album: the lock, the merge, and deletes and results that wait.

#include "album/album_file.h"
#include "album/album_lock.h"
#include "album/album_merge.h"
#include "album/album_page_session.h"
#include "album/album_update.h"
#include "album/catalogue.h"
#include "album/photo_loader.h"
#include "album/photo_search.h"
#include "album_test_support.h"
#include "common/byte_sink.h"
#include "common/byte_source.h"
#include "common/profile.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <future>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace lv::album {
namespace {

using testing::EntryFor;
using testing::PageSession;
using testing::PathsOf;
namespace fs = std::filesystem;

TEST_F(PageSession, ChoosingAnotherAlbumSavesTheOneShownFirst)
{
    catalogue.addLine(0, "album1.abm=Praia");
    catalogue.addLine(0, "album2.abm=Serra");
    catalogue.setCurrent(0, 1);
    AlbumPageSession session(album, catalogue, AlbumPhotoReaders(), layouts);
    session.showCategory(0, std::nullopt, "");
    EXPECT_EQ(session.albumIndex(), 1);
    fill(session, 3);
    session.chooseAlbum(0, "");  // an empty name keeps the stored one
    EXPECT_EQ(std::tuple(catalogue.name(0, 1), catalogue.current(0), session.album().empty()), std::tuple("Serra", 0, true));
    EXPECT_EQ(ReadAlbumContents((dir.path() / "program/albums/album2.abm").string()).entries.size(), 3u);

    // The key wins over the current album.
    session.showCategory(0, std::string("album2.abm"), "");
    EXPECT_EQ(std::tuple(session.albumIndex(), session.album().count()), std::tuple(1, 3u));
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
    EXPECT_EQ(std::tuple(ReadAlbumContents(path).entries[3].path(), catalogue.count(0)), std::tuple("/fora/0.png", 0));
}

// What another writer (the tool, a download) added to the file joins the open album without
// losing the user's unsaved order, selection or removals.
using AlbumPageRefresh = PageSession;

TEST_F(AlbumPageRefresh, PhotosAnotherWriterAddedJoinTheOpenAlbumAndTheUsersChangesStand)
{
    AlbumPageSession session(album, catalogue, AlbumPhotoReaders(), layouts);
    session.showCategory(0, std::nullopt, "");
    EXPECT_EQ(session.takeOthersAdditions(), 0) << "no file yet";
    fill(session, 3);
    ASSERT_TRUE(session.save("Praia"));
    const std::string path = session.albumPath();

    // The user removes p1 and selects p2, unsaved; the tool adds d and e to the file.
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
              (std::vector<std::string>{"/fotos/p0.jpg", "/fotos/p2.jpg", "/fotos/d.jpg", "/fotos/e.jpg"}));
    EXPECT_EQ(std::tuple(session.view().selected(), session.view().selectedCount(), session.album().entries()[2].selected()),
              std::tuple(1, 1, false));
    // Looking again brings nothing twice, and p1 stays removed.
    EXPECT_EQ(session.takeOthersAdditions(), 0);
    ASSERT_TRUE(session.save("Praia"));
    EXPECT_EQ(ReadAlbumContents(path).entries.size(), 4u);
    EXPECT_TRUE(ui.messages.empty());
}

// Several writers on one album: the lock, the read-modify-write, the merge into the open album,
// and the deletes and results albums that wait for a writer holding the file.

std::vector<AlbumEntry> Entries(std::initializer_list<const char*> paths)
{
    std::vector<AlbumEntry> entries;
    for (const char* path : paths)
        entries.push_back(EntryFor(2, 2, path));
    return entries;
}

// Another open file of the lock file: flock refuses it while a writer holds the album.
bool LockIsFree(const std::string& albumPath)
{
    const int fd = ::open(AlbumLockPath(albumPath).c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return true;
    const bool free = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd);
    return free;
}

TEST(AlbumLock, IsTakenOnACompanionFileHeldUntilReleasedAndNotWhereNoFileCanBe)
{
    EXPECT_EQ(AlbumLockPath("/home/u/albums/Férias.abm"), "/home/u/albums/Férias.abm.lock");
    lv::testing::TempDir dir;
    const std::string album = dir.file("a.abm");
    ASSERT_TRUE(WriteAlbumFile(album, Entries({"/f/1.jpg"})));
    const auto before = ReadWholeFile(album);
    {
        auto lock = AlbumLock::Acquire(album);
        ASSERT_TRUE(lock);
        EXPECT_TRUE(std::filesystem::exists(dir.file("a.abm.lock")) && !LockIsFree(album));
        // Moving the lock keeps it held.
        AlbumLock moved = std::move(*lock);
        lock.reset();
        EXPECT_FALSE(LockIsFree(album));
    }
    EXPECT_TRUE(LockIsFree(album));
    EXPECT_EQ(ReadWholeFile(album), before);  // the album itself is never opened for the lock

    EXPECT_FALSE(AlbumLock::Acquire("/nonexistent-folder/a.abm"));
    EXPECT_EQ(ModifyAlbum("/nonexistent-folder/a.abm", [](Album&) { return true; }), AlbumUpdate::CannotLock);
}

TEST(ModifyAlbum, ReadsTheFileAgainUnderTheLockAndDropsAnEmptiedAlbum)
{
    lv::testing::UiRecorder ui;
    lv::testing::TempDir dir;
    const std::string album = dir.file("a.abm");
    EXPECT_EQ(ModifyAlbum(album, [](Album& a) { return a.append(EntryFor(2, 2, "/f/1.jpg")); }), AlbumUpdate::Written);
    EXPECT_EQ(ModifyAlbum(album, [](Album& a) { return a.append(EntryFor(2, 2, "/f/2.jpg")); }), AlbumUpdate::Written);
    EXPECT_EQ(EntryPaths(ReadAlbumContents(album).entries), (std::vector<std::string>{"/f/1.jpg", "/f/2.jpg"}));
    EXPECT_EQ(ModifyAlbum(album, [](Album&) { return false; }), AlbumUpdate::Unchanged);
    EXPECT_EQ(ModifyAlbum(album, [](Album& a) { a.close(); return true; }), AlbumUpdate::Written);
    EXPECT_FALSE(std::filesystem::exists(album));

    // A file that is no album is left alone rather than replaced.
    std::ofstream(dir.file("b.abm")) << "not an album";
    EXPECT_EQ(ModifyAlbum(dir.file("b.abm"), [](Album& a) { return a.append(EntryFor(2, 2, "/f/1.jpg")); }),
              AlbumUpdate::Unreadable);
    EXPECT_EQ(ReadWholeFile(dir.file("b.abm"))->size(), 12u);
}

// A system album: read-only flag set, in a folder the user can't write.
class SystemAlbum : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto bytes = EncodeAlbum(Entries({"sysalbum/a.jpg"}));
        bytes[kReadOnlyOffset] = 1;
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        original = ReadWholeFile(path);
        ::chmod(dir.path().c_str(), 0555);
    }
    void TearDown() override { ::chmod(dir.path().c_str(), 0755); }

    lv::testing::UiRecorder ui;
    lv::testing::TempDir dir;
    std::string path = dir.file("fundos.abm");
    std::optional<std::vector<std::uint8_t>> original;
};

TEST_F(SystemAlbum, IsNeverWrittenFromTheOpenAlbumAndGetsNoLockFile)
{
    Album open;
    open.read(path);
    open.append(EntryFor(2, 2, "/f/2.jpg"));
    EXPECT_EQ(SaveOpenAlbum(open, path), AlbumUpdate::ReadOnly);
    // Even with its flag lost in memory, the file's own flag keeps it.
    open.setReadOnly(false);
    EXPECT_EQ(SaveOpenAlbum(open, path), AlbumUpdate::ReadOnly);
    EXPECT_EQ(ReadWholeFile(path), original);
    EXPECT_FALSE(std::filesystem::exists(AlbumLockPath(path)));
}

TEST(MergeAlbumChanges, KeepsTheUsersOrderAndRemovalsAndAppendsWhatOthersAddedUpToTheLimit)
{
    const std::vector<std::string> base{"/f/a.jpg", "/f/b.jpg", "/f/c.jpg"};
    // The user removed b, moved c first, added x and selected a.
    std::vector<AlbumEntry> mine = Entries({"/f/c.jpg", "/f/a.jpg", "/f/x.jpg"});
    mine[1].setSelected(true);
    // Meanwhile another writer added d and e (and the same a under another case, which is a).
    const std::vector<AlbumEntry> theirs = Entries({"/f/a.jpg", "/f/b.jpg", "/f/d.jpg", "/f/c.jpg", "/F/A.JPG", "/f/e.jpg"});

    const auto merged = MergeAlbumChanges(base, mine, theirs);
    EXPECT_EQ(EntryPaths(merged), (std::vector<std::string>{"/f/c.jpg", "/f/a.jpg", "/f/x.jpg", "/f/d.jpg", "/f/e.jpg"}));
    EXPECT_EQ(std::pair(merged[0].selected(), merged[1].selected()), std::pair(false, true));

    // Nobody else wrote: the user's album as it is, removals and all.
    EXPECT_EQ(EntryPaths(MergeAlbumChanges(base, mine, Entries({"/f/a.jpg", "/f/b.jpg", "/f/c.jpg"}))),
              (std::vector<std::string>{"/f/c.jpg", "/f/a.jpg", "/f/x.jpg"}));

    // What others added stops at the album's limit.
    Album full;
    testing::FillToCapacity(full);
    EXPECT_EQ(MergeAlbumChanges({}, full.entries(), Entries({"/f/new.jpg"})).size(), kMaxEntries);
}

TEST(SaveOpenAlbum, MergesWhatAnotherWriterAddedIntoTheOpenAlbumEvenOneTheUserEmptied)
{
    lv::testing::UiRecorder ui;
    lv::testing::TempDir dir;
    const std::string path = dir.file("a.abm");
    ASSERT_TRUE(WriteAlbumFile(path, Entries({"/f/a.jpg", "/f/b.jpg", "/f/c.jpg"})));
    Album open;
    ASSERT_TRUE(open.read(path));

    // The tool adds d while the program has the album open; the user removes b and moves c first.
    ASSERT_EQ(ModifyAlbum(path, [](Album& a) { return a.append(EntryFor(2, 2, "/f/d.jpg")); }), AlbumUpdate::Written);
    open.removeWithPath("/f/b.jpg", {});
    open.move(1, 0);
    ASSERT_EQ(SaveOpenAlbum(open, path), AlbumUpdate::Written);

    const std::vector<std::string> expected{"/f/c.jpg", "/f/a.jpg", "/f/d.jpg"};
    EXPECT_EQ(std::pair(PathsOf(open), EntryPaths(ReadAlbumContents(path).entries)), std::pair(expected, expected));

    // Saving again brings nothing back: d is now the program's own, b stays removed.
    open.removeWithPath("/f/d.jpg", {});
    ASSERT_EQ(SaveOpenAlbum(open, path), AlbumUpdate::Written);
    EXPECT_EQ(EntryPaths(ReadAlbumContents(path).entries), (std::vector<std::string>{"/f/c.jpg", "/f/a.jpg"}));

    // An album the user emptied keeps what others added meanwhile.
    open.remove(0);
    open.remove(0);
    ASSERT_EQ(ModifyAlbum(path, [](Album& a) { return a.append(EntryFor(2, 2, "/f/new.jpg")); }), AlbumUpdate::Written);
    ASSERT_EQ(SaveOpenAlbum(open, path), AlbumUpdate::Written);
    EXPECT_EQ(EntryPaths(ReadAlbumContents(path).entries), (std::vector<std::string>{"/f/new.jpg"}));
}

// Deleting an album and writing the search's results album wait for a writer that holds the
// album: the writer's photos never bring a deleted album back, nor replace the results.
using namespace std::chrono_literals;

// Another writer: takes the album's lock, says so, and after a while writes `entries`.
std::future<void> WriterHolding(const std::string& path, std::vector<AlbumEntry> entries)
{
    auto locked = std::make_shared<std::promise<void>>();
    std::future<void> taken = locked->get_future();
    std::future<void> done = std::async(std::launch::async, [path, entries = std::move(entries), locked] {
        const auto lock = AlbumLock::Acquire(path);
        locked->set_value();
        std::this_thread::sleep_for(300ms);
        WriteAlbumFile(path, entries);
    });
    taken.wait();
    return done;
}

using AlbumLockedDeleteOnPage = PageSession;

TEST_F(AlbumLockedDeleteOnPage, DeletingTheOpenAlbumWaitsForAWriterAndItsFileStaysGone)
{
    AlbumPageSession session(album, catalogue, AlbumPhotoReaders(), layouts);
    session.showCategory(0, std::nullopt, "");
    fill(session, 1);
    ASSERT_TRUE(session.save("Praia"));
    const std::string path = session.albumPath();
    ASSERT_TRUE(fs::exists(path));

    std::future<void> writer = WriterHolding(path, {EntryFor(6, 4, "/fotos/p0.jpg"), EntryFor(6, 4, "/fotos/b.jpg")});
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(session.deleteCurrentAlbum());
    EXPECT_GE(std::chrono::steady_clock::now() - start, 200ms);
    writer.get();
    EXPECT_FALSE(fs::exists(path)) << "the writer's copy brought the deleted album back";
}

TEST(AlbumLockedDelete, ReadOnlyAlbumsAreNotDeletedAndMissingOnesAreNoError)
{
    lv::testing::TempDir dir;
    const std::string path = dir.file("sistema.abm");
    EXPECT_EQ(DeleteAlbumFile(dir.file("nenhum.abm")), AlbumUpdate::Unchanged);
    auto bytes = EncodeAlbum({EntryFor(4, 4, "/x.jpg")});
    bytes[kReadOnlyOffset] = 1;  // as the system albums are
    ASSERT_TRUE(WriteWholeFile(path, bytes));
    ASSERT_TRUE(IsReadOnlyAlbumFile(path));
    EXPECT_EQ(DeleteAlbumFile(path), AlbumUpdate::ReadOnly);
    EXPECT_TRUE(fs::exists(path));
    const std::string mine = dir.file("meu.abm");
    ASSERT_TRUE(WriteAlbumFile(mine, {EntryFor(4, 4, "/x.jpg")}));
    EXPECT_EQ(DeleteAlbumFile(mine), AlbumUpdate::Written);
    EXPECT_FALSE(fs::exists(mine));
}

TEST(AlbumLockedSearch, TheResultsAlbumIsWrittenAfterAWriterHoldingIt)
{
    lv::testing::TempDir dir;
    const std::string path = dir.file("resultados.abm");
    std::vector<SearchHit> hits(1);
    hits[0].path = "/fotos/achada.jpg";
    hits[0].entry = EntryFor(5, 5, "/fotos/achada.jpg");
    std::future<void> writer = WriterHolding(path, {EntryFor(6, 4, "/fotos/outra.jpg")});
    ASSERT_TRUE(WriteResultsAlbum(hits, path));
    writer.get();
    EXPECT_EQ(EntryPaths(ReadAlbumContents(path).entries), std::vector<std::string>{"/fotos/achada.jpg"});
}

// The album catalogue: numbering, names, deleting, the current album, shared sections and
// the configuration file it lives in.
// The page's surroundings, with the folder of the system albums and the configuration file's text.
class CatalogueFiles : public PageSession {
protected:
    CatalogueFiles() { std::filesystem::create_directories(dir.path() / "program/sysalbum"); }
    void writeConfig(const std::string& text) { ASSERT_TRUE(WriteWholeFile(config(), {text.begin(), text.end()})); }
    std::vector<profile::Entry> section(std::string_view name) { return profile::ReadSection(config(), name); }
};

TEST_F(CatalogueFiles, NewAlbumsAreNumberedAfterTheLargestKey)
{
    EXPECT_EQ(catalogue.newAlbum(0, "Novo álbum"), 1);
    EXPECT_EQ(catalogue.line(0, 0), "album1.abm=Novo álbum1");
    catalogue.addLine(0, "album7.abm=Viagem");
    catalogue.addLine(0, "capa.abm=Sem número");
    EXPECT_EQ(catalogue.newAlbum(0, "Novo álbum"), 8);
    EXPECT_EQ(std::tuple(catalogue.key(0, 3), catalogue.name(0, 3)), std::tuple("album8.abm", "Novo álbum8"));
    EXPECT_EQ(std::pair(catalogue.find(0, "ALBUM7.ABM"), catalogue.find(0, "album9.abm")), std::pair(1, -1));
    EXPECT_EQ(std::pair(catalogue.albumPath(0, 3), catalogue.albumPath(5, 0)),
              std::pair((dir.path() / "program/albums/album8.abm").string(), std::string()));
    // Written at once, in list order.
    const auto lines = section("albums");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(std::tuple(lines[3].key, lines[3].value), std::tuple("album8.abm", "Novo álbum8"));

    EXPECT_EQ((std::vector<int>{AlbumNumber("album12.abm"), AlbumNumber("12album.abm"), AlbumNumber("x3.y7.abm"), AlbumNumber("semponto")}),
              (std::vector<int>{12, 0, 3, 0}));
}

TEST_F(CatalogueFiles, ACategoryHoldsAHundredAlbums)
{
    for (int i = 1; i <= 100; ++i)
        catalogue.addLine(12, "t" + std::to_string(i) + ".abm=Textura");
    EXPECT_EQ(std::tuple(catalogue.addLine(12, "t101.abm=Demais"), catalogue.count(12), catalogue.newAlbum(12, "Novo álbum")),
              std::tuple(101, 100, 0));
}

TEST_F(CatalogueFiles, RenamedNamesLoseLineBreaksAndOverlongTails)
{
    catalogue.newAlbum(0, "Novo álbum");
    const std::string name64(64, 'n'), name65(65, 'n');
    ASSERT_TRUE(catalogue.rename(0, 0, name65));
    EXPECT_EQ(catalogue.name(0, 0), std::string(63, 'n'));
    ASSERT_TRUE(catalogue.rename(0, 0, name64));
    EXPECT_EQ(catalogue.name(0, 0), name64);
    // Characters, not bytes: 64 accented letters stay whole.
    std::string accented;
    for (int i = 0; i < 64; ++i)
        accented += "ã";
    ASSERT_TRUE(catalogue.rename(0, 0, accented));
    EXPECT_EQ(catalogue.name(0, 0), accented);
    ASSERT_TRUE(catalogue.rename(0, 0, "Férias\r\nna praia=2024"));
    EXPECT_EQ(std::tuple(catalogue.name(0, 0), catalogue.key(0, 0), section("albums")[0].value),
              std::tuple("Férias  na praia=2024", "album1.abm", "Férias  na praia=2024"));
    EXPECT_FALSE(catalogue.rename(0, 5, "x"));
}

TEST_F(CatalogueFiles, DeletingRemovesFileAndLineAndStepsTheCurrentAlbumBack)
{
    for (int i = 0; i < 3; ++i)
        catalogue.newAlbum(0, "A");
    const std::string second = catalogue.albumPath(0, 1);
    ASSERT_TRUE(WriteWholeFile(second, {'R', 'E', 'Z', 'E'}));
    catalogue.setCurrent(0, 2);
    ASSERT_TRUE(catalogue.remove(0, 1));
    EXPECT_FALSE(std::filesystem::exists(second));
    EXPECT_EQ(std::tuple(catalogue.count(0), catalogue.key(0, 1), catalogue.current(0)), std::tuple(2, "album3.abm", 0));
    ASSERT_TRUE(catalogue.remove(0, 0));
    EXPECT_EQ(std::tuple(catalogue.current(0), section("albums").size()), std::tuple(0, 1u));
}

TEST_F(CatalogueFiles, CurrentAlbumAndViewValuesLiveInTheirSections)
{
    writeConfig("[ALBUMCUR]\r\nalbums=-4\r\nshape=2\r\n[albums]\r\nalbum1.abm=Casa\r\n");
    // Negative reads as 0; category 10 shares the section of 0; 12's is missing.
    EXPECT_EQ((std::vector<int>{catalogue.current(0), catalogue.current(10), catalogue.current(5), catalogue.current(12)}),
              (std::vector<int>{0, 0, 2, 0}));
    ASSERT_TRUE(catalogue.setCurrent(12, 3));
    EXPECT_EQ(profile::ReadValue(dir.path() / "LV2000.ini", "ALBUMCUR", "Texture"), "3");

    ASSERT_TRUE(catalogue.setViewValue(0, 0, 57, ViewValue::Position));
    ASSERT_TRUE(catalogue.setViewValue(0, 0, 9, ViewValue::Head));
    EXPECT_EQ(std::tuple(profile::ReadValue(config(), "ALBUMPOS", "albums_album1.abm"),
                         profile::ReadValue(config(), "ALBUMHEAD", "albums_album1.abm")), std::tuple("57", "9"));
    EXPECT_EQ(std::tuple(catalogue.viewValue(0, 0, ViewValue::Position), catalogue.viewValue(0, 0, ViewValue::Head),
                         catalogue.viewValue(0, 1, ViewValue::Head)),
              std::tuple(57, 9, 0));
}

TEST_F(CatalogueFiles, SharedSectionsStoreTheFirstCategorysCopy)
{
    writeConfig("[effects]\nfx1.abm=Efeitos\n[albums]\nalbum2.abm=Meu\n");
    EXPECT_EQ(std::tuple(catalogue.count(2), catalogue.line(10, 0)), std::tuple(1, "album2.abm=Meu"));
    catalogue.addLine(2, "fx2.abm=Só na cópia");
    catalogue.copyCategory(4, 2);
    EXPECT_EQ(catalogue.count(4), 2);
    ASSERT_TRUE(catalogue.writeBack());
    // The effects section is category 1's copy.
    EXPECT_EQ(std::pair(section("effects").size(), section("Frame").size()), std::pair(std::size_t(1), std::size_t(2)));
    catalogue.copyCategory(13, 0);  // ignored
    catalogue.copyCategory(1, 2);
    ASSERT_TRUE(catalogue.writeBack());
    EXPECT_EQ(section("effects").size(), 2u);
}

TEST_F(CatalogueFiles, SystemAlbumsComeFromTheProgramFolderUntilTheUserHasTheSection)
{
    const std::string defaults = "[shape]\nshapes1.abm=Formas\n[Texture]\ntex1.abm=Texturas\n";
    ASSERT_TRUE(WriteWholeFile((dir.path() / "program/sysalbum/albums.ini").string(), {defaults.begin(), defaults.end()}));
    writeConfig("[Texture]\n");
    // The user's empty section wins.
    EXPECT_EQ(std::tuple(catalogue.name(5, 0), catalogue.count(12), catalogue.albumPath(5, 0)),
              std::tuple("Formas", 0, (dir.path() / "program/sysalbum/shapes1.abm").string()));

    // With a folder of the user's own, only the user's albums move there.
    writeConfig("[albums]\nalbum1.abm=Casa\n");
    const AlbumCatalogue installed(store, dir.path() / "program", dir.path() / "data/albums");
    const std::string mine = (dir.path() / "data/albums/album1.abm").string();
    EXPECT_EQ(std::tuple(installed.albumPath(0, 0), installed.albumPath(10, 0), installed.albumPath(5, 0)),
              std::tuple(mine, mine, (dir.path() / "program/sysalbum/shapes1.abm").string()));
}

TEST_F(CatalogueFiles, PhotosOfARelocatedAlbumAreLookedForInItsFolder)
{
    writeConfig("[albums]\nalbum1.abm=Casa\nalbum2.abm=Praia\n[ALBUMCUR]\nalbums=1\n"
                "[Filepath]\nalbums_album2.abm=/media/cartao/fotos\n");
    EXPECT_EQ(catalogue.relocatedPhotoPath(0, "C:/Fotos/praia01.jpg"), "/media/cartao/fotos/praia01.jpg");
    catalogue.setCurrent(0, 0);
    EXPECT_EQ(catalogue.relocatedPhotoPath(0, "C:/Fotos/praia01.jpg"), "C:/Fotos/praia01.jpg");
}

}  // namespace
}  // namespace lv::album
