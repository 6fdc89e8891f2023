// Deleting an album and writing the search's results album wait for a writer that holds the
// album: the writer's photos never bring a deleted album back, nor replace the results.

#include "album/album_file.h"
#include "album/album_lock.h"
#include "album/album_page_session.h"
#include "album/album_update.h"
#include "album/photo_loader.h"
#include "album/photo_search.h"
#include "page_session_fixture.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <thread>

namespace lv::album {
namespace {

using testing::EntryFor;
namespace fs = std::filesystem;
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
    session.album().append(EntryFor(6, 4, "/fotos/a.jpg"));
    session.album().setModified(true);
    ASSERT_TRUE(session.save("Praia"));
    const std::string path = session.albumPath();
    ASSERT_TRUE(fs::exists(path));

    std::future<void> writer = WriterHolding(path, {EntryFor(6, 4, "/fotos/a.jpg"), EntryFor(6, 4, "/fotos/b.jpg")});
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
    ASSERT_TRUE(WriteAlbumFile(path, {EntryFor(4, 4, "/x.jpg")}));
    EXPECT_EQ(DeleteAlbumFile(dir.file("nenhum.abm")), AlbumUpdate::Unchanged);
    // Marked read-only in its header, as the system albums are.
    {
        std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(std::streamoff(kReadOnlyOffset));
        file.put('\1');
    }
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
    const auto entries = ReadAlbumContents(path).entries;
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].path(), "/fotos/achada.jpg");
}

}  // namespace
}  // namespace lv::album
