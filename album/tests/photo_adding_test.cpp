// Adding photos: which dropped files count, how built entries join the album, what the user is
// told, the builder behind the window's back, adding to a category's album, refreshing, and
// building on worker threads.

#include "album/album_file.h"
#include "album/album_merge.h"
#include "album/album_operations.h"
#include "album/background_entries.h"
#include "album/browser_thumbnail.h"
#include "album/entry_builder.h"
#include "album/photo_adding.h"
#include "album/photo_loader.h"
#include "album_test_support.h"
#include "common/byte_sink.h"
#include "common/profile.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/codecs/bmp/bmp.h"
#include "imagelib/codecs/jpeg/jpeg.h"
#include "imagelib/codecs/webp/webp.h"
#include "imagelib/dib_geometry.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <atomic>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <mutex>
#include <thread>

namespace lv::album {
namespace {

using testing::EntryFor;

TEST(DroppedPhotos, ExtensionsCompareWithoutCaseAndNamesStayAsGiven)
{
    for (const char* name : {"/f/a.jpg", "/f/A.JPG", "/f/b.Jpeg", "/f/d.TIFF", "/f/h.VLF", "b.HEIC", "g.NEF"})
        EXPECT_TRUE(DroppedPhotoAccepted(name)) << name;
    for (const char* name : {"/f/a.txt", "/f/semextensao", "/f.jpg/dentro", "/f/a.jpg.doc", "/f/.", "/f/x.jpgx", ""})
        EXPECT_FALSE(DroppedPhotoAccepted(name)) << name;
    const std::vector<std::string> dropped = {"/F/Praia.JPG", "/f/nota.txt", "/f/Mar.Png"};
    EXPECT_EQ(AcceptedDrops(dropped), (std::vector<std::string>{"/F/Praia.JPG", "/f/Mar.Png"}));
}

// The picture library words a photo its reader could not open; the album's loader says it,
// once, and its callers hear nothing more.
TEST(AlbumPhotoLoader, AReaderThatCannotOpenThePhotoIsHeardOnceWithItsName)
{
    lv::testing::TempDir dir;
    lv::testing::UiRecorder ui;
    const ReadResult missing = LoadPhotoForAlbum(dir.file("sumiu.png"), AlbumPhotoReaders());
    ASSERT_FALSE(missing.ok());
    EXPECT_TRUE(missing.failure().notices.empty());
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Não é possível abrir -- " + dir.file("sumiu.png")});
    EXPECT_EQ(ui.messages[0].title, "Atenção");
}

TEST(AddBuiltPhotos, SamePathMovesToTheEndAndAFullAlbumRefuses)
{
    Album album;
    AlbumView view(album, {5, 2});
    view.open(0, 0);
    for (int i = 0; i < 12; ++i)
        ASSERT_EQ(AddBuiltPhoto(album, view, {EntryFor(3, 3, "/p" + std::to_string(i) + ".jpg")},
                                "/p" + std::to_string(i) + ".jpg", "/"),
                  AddOutcome::Added);
    // Scrolled to show it, alone selected.
    EXPECT_EQ(std::tuple(view.selected(), view.head(), view.selectedPhotos()), std::tuple(11, 1, std::vector<int>{11}));
    ASSERT_EQ(AddBuiltPhoto(album, view, {EntryFor(3, 3, "/P2.JPG")}, "/P2.JPG", "/"), AddOutcome::Added);
    // The same file, named in other case.
    EXPECT_EQ(std::tuple(album.count(), album.path(11), album.path(2)), std::tuple(12u, "/P2.JPG", "/p3.jpg"));

    EXPECT_EQ(AddBuiltPhoto(album, view, {std::nullopt, PhotoFailure::CannotOpen}, "/x.jpg", "/"), AddOutcome::CannotOpen);
    EXPECT_EQ(AddBuiltPhoto(album, view, {std::nullopt, PhotoFailure::Unreadable}, "/x.jpg", "/"), AddOutcome::Unreadable);
    AlbumEntry zero = EntryFor(3, 3, "/z.jpg");
    zero.setWidth(0);
    EXPECT_EQ(AddBuiltPhoto(album, view, {zero}, "/z.jpg", "/"), AddOutcome::ZeroSize);
    EXPECT_EQ(album.count(), 12u);

    testing::FillToCapacity(album);
    EXPECT_EQ(AddBuiltPhoto(album, view, {EntryFor(3, 3, "/novo.jpg")}, "/novo.jpg", "/"), AddOutcome::Full);
    EXPECT_EQ(album.count(), 1000u);
}

// What a report of `count` files shows after `fill` has told it their outcomes.
std::vector<lv::testing::ShownMessage> Shown(std::size_t count, const std::function<void(AddReport&)>& fill, int* beeps = nullptr)
{
    lv::testing::UiRecorder ui;
    AddReport report(count);
    fill(report);
    report.show();
    if (beeps)
        *beeps = ui.beeps;
    return ui.messages;
}

TEST(AddReports, OneFileKeepsItsOwnMessageSeveralAreListedOnce)
{
    auto shown = Shown(1, [](AddReport& r) { r.outcome("/f/x.jpg", AddOutcome::Unreadable); });
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(std::pair(shown[0].text, shown[0].title), std::pair(std::string("Formato de arquivo desconhecido. --- /f/x.jpg"), std::string("Atenção")));
    int beeps = 0;
    shown = Shown(1, [](AddReport& r) { r.outcome("/f/vazio.bmp", AddOutcome::ZeroSize); }, &beeps);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Não foi possível abrir o arquivo /f/vazio.bmp porque o tamanho da imagem é zero");
    EXPECT_EQ(std::pair(shown[0].icon, beeps), std::pair(ui::Icon::Information, 1));
    // A damaged photo added alone is still said, once.
    shown = Shown(1, [](AddReport& r) {
        r.outcome("/f/cortada.jpg", AddOutcome::Added);
        r.damaged("/f/cortada.jpg", {FileProblem::Truncated, {}});
    });
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, DescribeFileProblem({FileProblem::Truncated, {}}));

    shown = Shown(5, [](AddReport& r) {
        r.outcome("/f/a.jpg", AddOutcome::Added);
        r.outcome("/f/b.jpg", AddOutcome::Unreadable);
        r.note("/f/b.jpg", {"Formato de arquivo desconhecido. --- /f/b.jpg", "Atenção", ui::Icon::Exclamation});
        r.outcome("/f/c.bmp", AddOutcome::ZeroSize);
        r.note("/f/d.png", {"O arquivo está incompleto. --- /f/d.png", "Atenção", ui::Icon::Exclamation});
    });
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text,
              "Não foi possível adicionar 2 de 5 fotos ao álbum:\n\n"
              "b.jpg — Formato de arquivo desconhecido.\n"
              "c.bmp — Não foi possível abrir o arquivo /f/c.bmp porque o tamanho da imagem é zero\n"
              "d.png — O arquivo está incompleto. --- /f/d.png");
    EXPECT_TRUE(Shown(3, [](AddReport& r) { r.outcome("/f/a.jpg", AddOutcome::Added); }).empty());
}

// A JPEG cut short still builds an entry marked damaged, also where its name does not send it
// down the sampling JPEG path (the sampling path and the report are the album page's and the
// tool's damaged-photo tests).
TEST(DamagedPhoto, UnderAnotherExtensionTheLoadersPathMarksItToo)
{
    lv::testing::TempDir dir;
    lv::testing::UiRecorder ui;
    ASSERT_EQ(WriteJpeg(dir.file("inteira.foto"), testing::CoordinatePicture(300, 200), 90), WriteResult::Written);
    auto bytes = ReadWholeFile(dir.file("inteira.foto")).value_or(std::vector<std::uint8_t>{});
    bytes.resize(bytes.size() / 2);
    ASSERT_TRUE(WriteWholeFile(dir.file("cortada.foto"), bytes));
    const BuiltEntry loaded = BuildPhotoEntry({dir.file("cortada.foto"), {}, {1, 1, 1}}, AlbumPhotoReaders());
    ASSERT_TRUE(loaded.entry);
    EXPECT_EQ(loaded.damage.problem, FileProblem::Truncated);
    const BuiltEntry whole = BuildPhotoEntry({dir.file("inteira.foto"), {}, {1, 1, 1}}, AlbumPhotoReaders());
    ASSERT_TRUE(whole.entry);
    EXPECT_FALSE(whole.damage);
}

// Which worker finishes first is no matter: each entry is placed by its index.
TEST(BackgroundBuilding, EveryLabelGivesItsEntryOrItsFailureThenTheEndComesUncancelled)
{
    lv::testing::TempDir dir;
    std::vector<EntryLabel> labels;
    for (int i = 0; i < 9; ++i) {
        const std::string path = dir.file("p" + std::to_string(i) + (i % 2 ? ".jpg" : ".bmp"));
        if (i != 4)  // left missing
            testing::WritePhotoFile(path, i % 2 ? 90 + i : 10 + i, i % 2 ? 40 : 12);
        labels.push_back({path, "", {1, 1, 1}});
    }
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    bool wasCancelled = true;
    std::vector<int> widths(labels.size());
    {
        BackgroundEntryBuilder builder(
            labels, AlbumPhotoReaders(), 3,
            [&](std::size_t index, BuiltEntry built, std::vector<HeldMessage>) {
                std::lock_guard lock(mutex);
                widths[index] = built.entry ? built.entry->width() : -int(built.failure);
            },
            [&](bool cancelled) {
                std::lock_guard lock(mutex);
                finished = true;
                wasCancelled = cancelled;
                done.notify_all();
            });
        std::unique_lock lock(mutex);
        done.wait(lock, [&] { return finished; });
    }
    EXPECT_FALSE(wasCancelled);
    EXPECT_EQ(widths, (std::vector<int>{10, 91, 12, 93, -int(PhotoFailure::CannotOpen), 95, 16, 97, 18}));
}

TEST(BackgroundBuilding, CancelStopsBeforeTheRestAndTheDestructorWaits)
{
    lv::testing::TempDir dir;
    const std::string path = dir.file("p.bmp");
    testing::WritePhotoFile(path, 300, 200);
    std::vector<EntryLabel> labels(400, EntryLabel{path, "", {1, 1, 1}});
    std::atomic<int> delivered = 0;
    std::atomic<int> finishedAs = -1;
    {
        BackgroundEntryBuilder builder(
            labels, AlbumPhotoReaders(), 2, [&](std::size_t, BuiltEntry, std::vector<HeldMessage>) { ++delivered; },
            [&](bool cancelled) { finishedAs = cancelled ? 1 : 0; });
        while (delivered < 3)
            std::this_thread::yield();
        builder.cancel();
    }
    // The destructor waited for the end.
    EXPECT_EQ(finishedAs, 1);
    EXPECT_LT(delivered, 400);
}

// "Adicionar" given a pipe under a photo's name: refused at once, and the user reads the
// cause with the file's name, alone or in the list of several files.
TEST(AddingAPipe, TheCauseIsNamedWithTheFileAloneOrInTheList)
{
    lv::testing::TempDir dir;
    lv::testing::UiRecorder ui;
    const std::string pipe = dir.file("cano.jpg");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const std::string photo = dir.file("foto.bmp");
    testing::WritePhotoFile(photo, 8, 6);

    Album album;
    AlbumView view(album, {5, 2});
    BuiltEntry built = BuildPhotoEntry({pipe, "", {1, 1, 1}}, AlbumPhotoReaders());
    EXPECT_FALSE(built.entry);
    EXPECT_EQ(AddBuiltPhoto(album, view, std::move(built), pipe, "/"), AddOutcome::NotRegularFile);
    EXPECT_TRUE(album.empty());

    AddReport alone(1);
    alone.outcome(pipe, AddOutcome::NotRegularFile);
    alone.show();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find("Não é um arquivo comum."), std::string::npos) << ui.messages[0].text;
    EXPECT_NE(ui.messages[0].text.find(pipe), std::string::npos) << ui.messages[0].text;

    ui.messages.clear();
    AddReport several(2);
    several.outcome(photo, AddBuiltPhoto(album, view, BuildPhotoEntry({photo, "", {1, 1, 1}}, AlbumPhotoReaders()),
                                         photo, "/"));
    several.outcome(pipe, AddBuiltPhoto(album, view, BuildPhotoEntry({pipe, "", {1, 1, 1}}, AlbumPhotoReaders()),
                                        pipe, "/"));
    EXPECT_EQ(album.count(), 1u);
    several.show();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find("cano.jpg — Não é um arquivo comum."), std::string::npos) << ui.messages[0].text;
}

// A camera raw file's entry comes from its embedded preview with the whole picture's size.
TEST(ModernFormatsAlbum, EntriesOfNewerFormatsAreBuilt)
{
    lv::testing::UiRecorder ui;
    lv::testing::TempDir dir;
    const std::string shot = dir.file("shot.dng");
    const std::string command = "/usr/bin/python3 " LV_SOURCE_DIR "/imagelib/tests/interop/make_dng.py " + shot + " 320 200 --preview 160";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const BuiltEntry raw = BuildPhotoEntry({shot, {}, {1, 1, 1}}, AlbumPhotoReaders());
    ASSERT_TRUE(raw.entry);
    EXPECT_EQ(std::tuple(raw.entry->width(), raw.entry->height()), std::tuple(320, 200));
    EXPECT_TRUE(BrowserThumbnail(shot, AlbumPhotoReaders()));

    const std::string web = dir.file("web.webp");
    ASSERT_EQ(WriteWebp(web, DibCreate(90, 60, 0x3366aa, false), {}), WriteResult::Written);
    const BuiltEntry webp = BuildPhotoEntry({web, {}, {1, 1, 1}}, AlbumPhotoReaders());
    ASSERT_TRUE(webp.entry);
    EXPECT_EQ(webp.entry->width(), 90);
    EXPECT_TRUE(ui.messages.empty());
}

// Adding photos (to the open album and to a category's album), refreshing, and building
// many entries on worker threads.
namespace fs = std::filesystem;

// The album page's surroundings with the session that adds photos to its open album.
class Albums : public testing::PageSession {
protected:
    AddPhotoRequest request(const std::string& path, int category = -1)
    {
        AddPhotoRequest r;
        r.path = path;
        r.category = category;
        return r;
    }
    AlbumSession session{album, catalogue, AlbumPhotoReaders(), {}};
};

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
    EXPECT_EQ(testing::PathsOf(album), std::vector<std::string>{"/aberto.bmp"}) << "the open album came back";
    EXPECT_EQ(EntryPaths(ReadAlbumContents(catalogue.albumPath(0, 1)).entries), added);
    // The first row: 11 / 5 + 1 - 2.
    EXPECT_EQ(std::tuple(profile::ReadValue(config(), "ALBUMPOS", "albums_album2.abm"),
                         profile::ReadValue(config(), "ALBUMHEAD", "albums_album2.abm")), std::tuple("11", "1"));

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

    ASSERT_EQ(WriteJpeg(changed, testing::CoordinatePicture(200, 100), 75), WriteResult::Written);
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

}  // namespace
}  // namespace lv::album
