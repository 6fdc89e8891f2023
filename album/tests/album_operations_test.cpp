// Adding photos (to the open album and to a category's album), refreshing, and building
// many entries on worker threads.

#include "album/album_file.h"
#include "album/album_operations.h"
#include "album/photo_loader.h"
#include "album_test_support.h"
#include "common/byte_sink.h"
#include "common/profile.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/codecs/bmp/bmp.h"
#include "imagelib/codecs/jpeg/jpeg.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

namespace lv::album {
namespace {

namespace fs = std::filesystem;

class Albums : public ::testing::Test {
protected:
    Albums()
        : store(dir.path() / "LV2000.ini", dir.path() / "none.ini")
        , catalogue(store, dir.path() / "program")
        , session{album, catalogue, AlbumPhotoReaders(), {}}
    {
        fs::create_directories(dir.path() / "program/albums");
    }
    std::string photo(const std::string& name, int width, int height)
    {
        testing::WritePhotoFile(dir.file(name), width, height);
        return dir.file(name);
    }
    AddPhotoRequest request(const std::string& path, int category = -1)
    {
        AddPhotoRequest r;
        r.path = path;
        r.category = category;
        return r;
    }

    lv::testing::UiRecorder ui;
    lv::testing::TempDir dir;
    ProfileCatalogueStore store;
    AlbumCatalogue catalogue;
    Album album;
    AlbumSession session;
};

TEST_F(Albums, TheSamePathAddedTwiceEndsUpOnceAtTheEnd)
{
    const std::string a = photo("a.bmp", 100, 50), b = photo("b.jpg", 80, 90);
    ASSERT_TRUE(AddPhotoToAlbum(session, request(a)));
    ASSERT_TRUE(AddPhotoToAlbum(session, request(b)));
    ASSERT_TRUE(AddPhotoToAlbum(session, request(a)));
    ASSERT_EQ(album.count(), 2u);
    EXPECT_EQ(std::tuple(album.path(0), album.path(1), album.modified()), std::tuple(b, a, true));
    EXPECT_EQ(std::tuple(album.entry(1)->thumbWidth(), album.entry(1)->thumbHeight(), std::uint64_t(album.entry(1)->fileSize()),
                         album.entry(0)->bitCount()),
              std::tuple(69, 35, std::uint64_t(fs::file_size(a)), 24));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_FALSE(AddPhotoToAlbum(session, request("")));
}

TEST_F(Albums, PhotosThatCantBeLoadedGiveTheirMessage)
{
    const std::string garbage = dir.file("lixo.bmp");
    ASSERT_TRUE(WriteWholeFile(garbage, {'n', 'a', 'o', ' ', 'e', ' ', 'f', 'o', 't', 'o'}));
    AddPhotoRequest saved = request(garbage);
    saved.values[0] = kSavedPhotoValue;
    const std::string noExtension = photo("semextensao", 4, 4);

    EXPECT_FALSE(AddPhotoToAlbum(session, request(dir.file("sumiu.jpg"))) || AddPhotoToAlbum(session, request(garbage)) ||
                 AddPhotoToAlbum(session, saved) || AddPhotoToAlbum(session, request(noExtension)));
    // One message per photo, naming it.
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{"Não é possível localizar o arquivo. --- " + dir.file("sumiu.jpg"),
                                                     "Formato de arquivo desconhecido. --- " + garbage,
                                                     "Salvar erro do arquivo. --- " + garbage,
                                                     "Formato de arquivo desconhecido. --- " + noExtension}));
    for (const auto& m : ui.messages)
        EXPECT_EQ(std::tuple(m.title, m.icon), std::tuple("Atenção", ui::Icon::Exclamation));
    EXPECT_TRUE(album.empty() && !album.modified());

    // A picture handed over is used as it is, and -99 is stored as 1.
    const HDIB picture = testing::CoordinatePicture(10, 10);
    saved.image = &picture;
    ASSERT_TRUE(AddPhotoToAlbum(session, saved));
    EXPECT_EQ(album.entry(0)->itemValue(0), 1);
}

TEST_F(Albums, AFullAlbumTakesNoMore)
{
    testing::FillToCapacity(album);
    EXPECT_FALSE(AddPhotoToAlbum(session, request(photo("a.bmp", 5, 5))));
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{
                              "Não é possível adicionar ao álbum pois ele já contém a capacidade máxima de 1000."}));
    EXPECT_EQ(album.count(), 1000u);
}

TEST_F(Albums, AddingToACategoryWritesItsCurrentAlbumAndLeavesTheOpenOneAlone)
{
    catalogue.newAlbum(0, "Casa");
    catalogue.newAlbum(0, "Praia");
    catalogue.setCurrent(0, 1);
    album.append(testing::EntryFor(3, 3, "/aberto.bmp"));

    std::vector<std::string> added;
    for (int i = 0; i < 12; ++i) {
        added.push_back(photo("f" + std::to_string(i) + ".bmp", 20 + i, 30));
        ASSERT_TRUE(AddPhotoToAlbum(session, request(added.back(), 0)));
    }
    ASSERT_EQ(album.count(), 1u);  // the open album came back
    EXPECT_EQ(album.path(0), "/aberto.bmp");

    const AlbumFileContents written = ReadAlbumContents(catalogue.albumPath(0, 1));
    ASSERT_EQ(written.entries.size(), 12u);
    EXPECT_EQ(written.entries[11].path(), added[11]);
    const fs::path config = dir.path() / "LV2000.ini";
    // The first row: 11 / 5 + 1 - 2.
    EXPECT_EQ(std::pair(profile::ReadValue(config, "ALBUMPOS", "albums_album2.abm"), profile::ReadValue(config, "ALBUMHEAD", "albums_album2.abm")),
              std::pair(std::optional<std::string>("11"), std::optional<std::string>("1")));

    // Chosen by the user, or not at all.
    AddPhotoRequest chosen = request(added[0], 0);
    chosen.choose = true;
    ASSERT_TRUE(AddPhotoToAlbum(session, chosen, [](int) { return std::optional<int>(0); }));
    EXPECT_EQ(ReadAlbumContents(catalogue.albumPath(0, 0)).entries.size(), 1u);
    EXPECT_FALSE(AddPhotoToAlbum(session, chosen, [](int) { return std::optional<int>(); }));

    // When the category's album is the open one, it is changed in place and written.
    session.openPath = catalogue.albumPath(0, 1);
    ASSERT_TRUE(album.read(session.openPath));
    ASSERT_TRUE(AddPhotoToAlbum(session, request(added[0], 0)));
    EXPECT_EQ(std::tuple(album.count(), album.path(11), ReadAlbumContents(session.openPath).entries[11].path()),
              std::tuple(12u, added[0], added[0]));
    EXPECT_EQ(std::pair(HeadRowShowing(13, GridForCategory(12)), HeadRowShowing(2, GridForCategory(5))), std::pair(2, 0));
}

TEST_F(Albums, RefreshRebuildsChangedPhotosAndKeepsMissingOnes)
{
    fs::create_directories(dir.path() / "program/fotos");
    const std::string same = photo("same.bmp", 90, 40), changed = photo("changed.jpg", 90, 40);
    const std::string gone = photo("gone.bmp", 30, 30);
    const std::string relative = "fotos/rel.bmp";
    HDIB rel = testing::CoordinatePicture(12, 12);
    ASSERT_EQ(WriteBmp((dir.path() / "program" / relative).string(), rel), WriteResult::Written);
    for (const auto& p : {same, changed, gone})
        ASSERT_TRUE(AddPhotoToAlbum(session, request(p)));
    AlbumEntry relEntry = *BuildEntry(rel, {(dir.path() / "program" / relative).string(), "", {1, 1, 1}});
    relEntry.setPath(relative);
    relEntry.setRelative(true);
    album.append(relEntry);
    const AlbumEntry sameBefore = *album.entry(0), goneBefore = *album.entry(2);

    HDIB bigger = testing::CoordinatePicture(200, 100);
    ASSERT_EQ(WriteJpeg(changed, bigger, 75), WriteResult::Written);
    fs::remove(gone);
    album.setModified(false);

    const RefreshReport report = RefreshAlbum(album, dir.path() / "program", session.readers, 2);
    EXPECT_EQ(std::tuple(report.rebuilt, report.missing, report.madeAbsolute, album.modified()), std::tuple(1u, 1u, 1u, true));
    EXPECT_TRUE(*album.entry(0) == sameBefore && *album.entry(2) == goneBefore);
    EXPECT_EQ(std::tuple(album.entry(1)->width(), album.entry(3)->relative(), album.path(3)),
              std::tuple(200, false, (dir.path() / "program/fotos/rel.bmp").string()));

    // Nothing changed: nothing to do. A read-only album is never touched.
    album.setModified(false);
    const RefreshReport again = RefreshAlbum(album, dir.path() / "program", session.readers);
    EXPECT_EQ(std::tuple(again.rebuilt + again.madeAbsolute, album.modified()), std::tuple(0u, false));
    album.entry(0)->setFileSize(1);
    album.setReadOnly(true);
    EXPECT_EQ(RefreshAlbum(album, dir.path() / "program", session.readers).rebuilt, 0u);
}

TEST_F(Albums, WorkerThreadsGiveTheSameEntriesInTheSameOrder)
{
    std::vector<EntryLabel> labels;
    for (int i = 0; i < 9; ++i) {
        const std::string name = "p" + std::to_string(i) + (i % 3 == 0 ? ".bmp" : ".jpg");
        labels.push_back({photo(name, 75 + 13 * i, 60 + 7 * i), "", {1, 1, 1}});
    }
    labels.insert(labels.begin() + 4, EntryLabel{dir.file("faltando.jpg"), "", {1, 1, 1}});
    const std::string bad = dir.file("ruim.tga");
    ASSERT_TRUE(WriteWholeFile(bad, std::vector<std::uint8_t>(40, 0xEE)));
    labels.push_back({bad, "", {1, 1, 1}});

    const auto collect = [&](unsigned jobs) {
        std::vector<std::pair<std::size_t, BuiltEntry>> out;
        const auto caller = std::this_thread::get_id();
        BuildPhotoEntries(labels, session.readers, jobs, [&](std::size_t i, BuiltEntry built) {
            EXPECT_EQ(std::this_thread::get_id(), caller);
            out.emplace_back(i, std::move(built));
        });
        return out;
    };
    const auto one = collect(1);
    const std::vector<std::string> oneMessages = ui.texts();
    ui.messages.clear();
    const auto three = collect(3);
    ASSERT_EQ(std::pair(one.size(), three.size()), std::pair(labels.size(), labels.size()));
    for (std::size_t i = 0; i < labels.size(); ++i) {
        EXPECT_EQ(std::tuple(one[i].first, three[i].first, one[i].second.failure), std::tuple(i, i, three[i].second.failure));
        ASSERT_EQ(bool(one[i].second.entry), bool(three[i].second.entry));
        if (one[i].second.entry) {
            EXPECT_TRUE(*one[i].second.entry == *three[i].second.entry);
        }
    }
    EXPECT_EQ(std::pair(one[4].second.failure, one.back().second.failure), std::pair(PhotoFailure::CannotOpen, PhotoFailure::Unreadable));
    EXPECT_EQ(ui.texts(), oneMessages);  // what the readers said, in the same order
}

}  // namespace
}  // namespace lv::album
