// The open album and its view: clicks with Shift and Ctrl, drags, deletions and pastes and the
// rows they leave in view, the grid's geometry, the album's table, the properties dialog's facts
// and renaming a photo, and finding photos by name, caption, time, type and size.

#include "album/album.h"
#include "album/album_clipboard.h"
#include "album/album_file.h"
#include "album/album_view.h"
#include "album/grid_layout.h"
#include "album/photo_commands.h"
#include "album/photo_search.h"
#include "album_test_support.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <utime.h>

namespace lv::album {
namespace {

using testing::EntryFor;

std::vector<int> Flags(const Album& album)
{
    std::vector<int> on;
    for (int i = 0; i < int(album.count()); ++i)
        if (album.entry(i)->selected())
            on.push_back(i);
    return on;
}

constexpr GridShape kUserGrid{5, 2};

TEST(AlbumViewSelection, ShiftRangeCtrlToggleAndPlainClick)
{
    Album album = testing::NumberedAlbum(12);
    AlbumView view(album, kUserGrid);
    view.open(0, 0);
    view.click(7, ClickKeys::None);
    // Only the flags that changed repaint: 7 was on already.
    EXPECT_EQ(view.click(3, ClickKeys::Shift), (std::vector<int>{3, 4, 5, 6}));
    EXPECT_EQ(view.selected(), 3);
    EXPECT_EQ(view.click(5, ClickKeys::Ctrl), std::vector<int>{5});
    view.click(10, ClickKeys::Ctrl);
    EXPECT_EQ(Flags(album), (std::vector<int>{3, 4, 6, 7, 10}));
    // Shift from the photo clicked last, whatever was selected around it.
    view.click(8, ClickKeys::Shift);
    EXPECT_EQ(Flags(album), (std::vector<int>{8, 9, 10}));
    view.click(1, ClickKeys::None);
    // A click beyond the last photo (an empty cell) changes nothing.
    EXPECT_TRUE(view.click(12, ClickKeys::None).empty());
    EXPECT_EQ(view.selected(), 1);
}

TEST(AlbumViewSelection, ReadOnlyAlbumsSelectOnePhotoAndNeverMove)
{
    Album album = testing::NumberedAlbum(6);
    album.setReadOnly(true);
    AlbumView view(album, kUserGrid);
    view.open(2, 0);
    view.click(4, ClickKeys::Shift);
    EXPECT_EQ(Flags(album), std::vector<int>{4});
    view.click(5, ClickKeys::Ctrl);
    EXPECT_EQ(Flags(album), std::vector<int>{5});
    EXPECT_FALSE(view.dropOn(0));
    EXPECT_EQ(std::tuple(album.path(5), album.modified(), CheckDelete(album, view)), std::tuple("/fotos/p5.jpg", false, DeleteCheck::Nothing));
}

// Photo two dropped on six by the mouse is the album page's widget test
// (`AlbumPageOnSkin.DraggingPhotoTwoOntoSixAndOutOfTheGrid`).
TEST(AlbumViewDrag, OntoItselfMovesNothingAndBeforeTheFirstOrBeyondTheLastIsTheEnd)
{
    Album album = testing::NumberedAlbum(9);
    AlbumView view(album, kUserGrid);
    view.open(0, 0);
    view.click(2, ClickKeys::None);
    ASSERT_TRUE(view.dropOn(6));
    EXPECT_EQ(Flags(album), std::vector<int>{6});
    EXPECT_FALSE(view.dropOn(6));
    ASSERT_TRUE(view.dropOn(-3));
    EXPECT_EQ(album.path(0), "/fotos/p2.jpg");
    ASSERT_TRUE(view.dropOn(50));
    EXPECT_EQ(album.path(8), "/fotos/p2.jpg");
}

TEST(AlbumViewRows, OpeningClampsTheStoredValuesToWhatShowsTheSelection)
{
    Album album = testing::NumberedAlbum(23);  // rows 0..4
    AlbumView view(album, kUserGrid);
    const auto where = [&] { return std::pair(view.selected(), view.head()); };
    view.open(17, 0);  // row 3: rows 2 and 3 show it
    EXPECT_EQ(std::tuple(where(), Flags(album)), std::tuple(std::pair(17, 2), std::vector<int>{17}));
    album.entry(17)->setSelected(false);
    view.open(17, 4);
    EXPECT_EQ(where(), std::pair(17, 3));
    view.open(500, 0);  // beyond the album: the last photo, on the last row
    EXPECT_EQ(where(), std::pair(22, 3));
    view.open(-4, 9);
    EXPECT_EQ(where(), std::pair(0, 0));
    EXPECT_EQ(std::pair(view.maxHead(), view.photoAtCell(9)), std::pair(3, 9));
    ASSERT_TRUE(view.scrollTo(3));
    EXPECT_EQ((std::vector<int>{view.photoAtCell(0), view.photoAtCell(7), view.photoAtCell(8), view.cellOfPhoto(16),
                                view.cellOfPhoto(14)}),
              (std::vector<int>{15, 22, -1, 1, -1}));
    EXPECT_TRUE(!view.scrollBy(1) && view.ensureVisible(2));
    EXPECT_EQ(view.head(), 0);
    EXPECT_TRUE(view.ensureVisible(20));
    EXPECT_EQ(view.head(), 3);

    Album empty;
    AlbumView none(empty, kUserGrid);
    none.open(3, 2);
    EXPECT_EQ(std::tuple(none.selected(), none.head(), none.validSelected(), none.photoAtCell(0)), std::tuple(0, 0, false, -1));
}

TEST(AlbumViewRows, DeletingTheLastRowsPhotosMovesTheViewUp)
{
    lv::testing::UiRecorder ui;
    Album album = testing::NumberedAlbum(12);
    AlbumView view(album, kUserGrid);
    view.open(0, 0);
    EXPECT_EQ(view.maxHead(), 1);
    view.click(10, ClickKeys::None);
    view.click(11, ClickKeys::Shift);
    ASSERT_TRUE(view.scrollTo(1));
    ASSERT_EQ(CheckDelete(album, view), DeleteCheck::Ask);
    EXPECT_EQ(DeleteSelectedPhotos(album, view, DeleteChoice::ThumbnailsOnly, "/"), 2);
    // The old selected photo, clamped to the new last.
    EXPECT_EQ(std::tuple(view.selected(), Flags(album), album.modified(), ui.messages.size()), std::tuple(9, std::vector<int>{9}, true, 0u));

    // Without a selected photo nothing happens; a selected index beyond the album beeps.
    album.entry(9)->setSelected(false);
    EXPECT_EQ(CheckDelete(album, view), DeleteCheck::Nothing);
    album.entry(2)->setSelected(true);
    album.remove(9);
    EXPECT_EQ(CheckDelete(album, view), DeleteCheck::Beep);
}

TEST(AlbumViewRows, DeletingFilesRemovesEveryEntryAndNamesFilesThatStay)
{
    lv::testing::UiRecorder ui;
    lv::testing::TempDir dir;
    Album album;
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) {
        const std::string path = dir.file(name);
        if (name[0] != 'b')
            std::ofstream(path) << "x";
        album.append(EntryFor(4, 3, path));
    }
    AlbumView view(album, kUserGrid);
    view.open(0, 0);
    view.click(2, ClickKeys::Shift);
    EXPECT_EQ(DeleteSelectedPhotos(album, view, DeleteChoice::ThumbnailsAndFiles, "/"), 3);
    EXPECT_TRUE(album.empty());
    EXPECT_FALSE(std::filesystem::exists(dir.file("a.jpg")) || std::filesystem::exists(dir.file("c.jpg")));
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Não é possível excluir este arquivo. --- " + dir.file("b.jpg")});
}

TEST(AlbumClipboardCommands, PasteMovesAPhotoTheAlbumHoldsToTheEnd)
{
    lv::testing::UiRecorder ui;
    Album album = testing::NumberedAlbum(5);
    AlbumView view(album, kUserGrid);
    view.open(1, 0);
    AlbumClipboard clipboard;
    EXPECT_FALSE(PastePhoto(album, view, clipboard, "/"));
    ASSERT_TRUE(CopyPhoto(album, view, clipboard, "/"));
    EXPECT_EQ(std::pair(clipboard.path, clipboard.entry->selected()), std::pair(std::string("/fotos/p1.jpg"), false));
    ASSERT_TRUE(PastePhoto(album, view, clipboard, "/"));
    EXPECT_EQ(testing::PathsOf(album), (std::vector<std::string>{"/fotos/p0.jpg", "/fotos/p2.jpg", "/fotos/p3.jpg", "/fotos/p4.jpg",
                                                      "/fotos/p1.jpg"}));
    EXPECT_EQ(std::tuple(view.selected(), Flags(album)), std::tuple(4, std::vector<int>{4}));

    // Cut takes it out; pasting into another album brings record and thumbnail along.
    view.click(0, ClickKeys::None);
    ASSERT_TRUE(CutPhoto(album, view, clipboard, "/"));
    EXPECT_EQ(std::pair(album.count(), view.selected()), std::pair(std::size_t(4), 0));
    Album other;
    other.append(EntryFor(4, 3, "/outras/q0.jpg"));
    other.append(EntryFor(4, 3, "/outras/q1.jpg"));
    AlbumView otherView(other, kUserGrid);
    otherView.open(0, 0);
    ASSERT_TRUE(PastePhoto(other, otherView, clipboard, "/"));
    ASSERT_EQ(other.count(), 3u);
    EXPECT_EQ(other.path(2), "/fotos/p0.jpg");
    EXPECT_EQ(other.entry(2)->thumbnail().size(), album.entry(0)->thumbnail().size());
    EXPECT_TRUE(ui.messages.empty());
}

TEST(AlbumClipboardCommands, PasteIntoAFullAlbumSaysSoAndAddsNothing)
{
    lv::testing::UiRecorder ui;
    Album full;
    testing::FillToCapacity(full);
    AlbumView view(full, kUserGrid);
    view.open(999, 0);
    AlbumClipboard clipboard{EntryFor(2, 2, "/novo.jpg"), "/novo.jpg"};
    EXPECT_FALSE(PastePhoto(full, view, clipboard, "/"));
    EXPECT_EQ(full.count(), 1000u);
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Não é possível adicionar ao álbum pois ele já contém "
                                                   "a capacidade máxima de 1000."});
    // The same photo again only moves.
    clipboard = {*full.entry(3), "/f/3.jpg"};
    EXPECT_TRUE(PastePhoto(full, view, clipboard, "/"));
    EXPECT_EQ(full.path(999), "/f/3.jpg");
}

TEST(GridGeometry, CellsGapsAndTheDefaultGrid)
{
    GridLayouts layouts;
    const GridLayout& initial = layouts.of(7);
    EXPECT_EQ(std::tuple(initial.rows, initial.columns, initial.cell(2)), std::tuple(3, 1, Rect{100, 320, 200, 420}));

    const GridLayout& user = layouts.place(0, {{228, 98, 328, 198}, Rect{338, 98, 438, 198}, Rect{228, 210, 328, 310},
                                               Rect{16, 158, 208, 184}});
    EXPECT_EQ(std::tuple(user.columns, user.rows, user.gapX, user.gapY), std::tuple(5, 2, 10, 12));
    // Cell 7 is column 2, row 1.
    EXPECT_EQ(std::tuple(user.cell(7), user.bounds(), user.hasNameField()),
              std::tuple(Rect{448, 210, 548, 310}, Rect{228, 98, 768, 310}, true));
    // The cell's corners, the gap after it, the last cell's corner and past both outer edges.
    EXPECT_EQ((std::vector<int>{user.cellAt(228, 98), user.cellAt(327, 197), user.cellAt(328, 150), user.cellAt(767, 309),
                                user.cellAt(768, 309), user.cellAt(227, 150)}),
              (std::vector<int>{0, 0, -1, 9, -1, -1}));

    const GridLayout& strip = layouts.place(12, {{232, 110, 348, 226}, Rect{360, 110, 476, 226}, std::nullopt, std::nullopt});
    EXPECT_EQ(std::tuple(strip.columns, strip.rows, strip.gapY, strip.hasNameField()), std::tuple(6, 1, 10, false));
    EXPECT_EQ(strip.cellAt(232 + 5 * 128 + 10, 120), 5);
    EXPECT_EQ(layouts.of(11).columns, 1);  // not laid out yet
}

// The open album's table: clamped removal and moves, paths, parking.
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
    EXPECT_TRUE(album.empty() && !album.thumbnailCopy(0));
    EXPECT_EQ(std::tuple(album.path(0), album.caption(-1)), std::tuple("", ""));
}

TEST(AlbumTable, PathsAndThumbnailCopies)
{
    Album album = albumOf({"/Fotos/Praia.JPG", "sysalbum/shapes/star.bmp"});
    album.entry(1)->setRelative(true);
    EXPECT_EQ(std::tuple(album.absolutePath(0, "/opt/lv"), album.absolutePath(1, "/opt/lv"), album.absolutePath(1, "/opt/lv/")),
              std::tuple("/Fotos/Praia.JPG", "/opt/lv/sysalbum/shapes/star.bmp", "/opt/lv/sysalbum/shapes/star.bmp"));

    const HDIB copy = album.thumbnailCopy(0);
    ASSERT_TRUE(copy);
    EXPECT_TRUE(copy.hasValidLayout());
    // Pixel (1, 2): blue 1, green 2.
    EXPECT_EQ(std::tuple(copy.width(), copy.bitCount(), int(copy.row(2)[3]), int(copy.row(2)[4])), std::tuple(3, 24, 1, 2));

    EXPECT_FALSE(album.removeWithPath("/fotos/praia.jp", "/opt/lv"));
    EXPECT_TRUE(album.removeWithPath("/FOTOS/praia.jpg", "/opt/lv") && album.removeWithPath("/opt/lv/SYSALBUM/shapes/Star.bmp", "/opt/lv"));
    EXPECT_TRUE(album.empty());
    EXPECT_TRUE(SamePathIgnoringCase("/Fotos/ÁGUA.jpg", "/fotos/água.JPG") && !SamePathIgnoringCase("/a/b", "/a/c"));
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
    EXPECT_TRUE(album.hasParked() && album.empty());
    ASSERT_TRUE(album.read(dir.file("other.abm")));
    EXPECT_EQ(album.folder(), dir.path().string() + "/");
    album.append(testing::EntryFor(2, 2, "/w"));
    album.restoreParked();
    EXPECT_EQ(std::tuple(album.hasParked(), PathsOf(album), album.modified()), std::tuple(false, std::vector<std::string>{"/a", "/b"}, true));
}

// The properties dialog's facts and renaming a photo's file from it.

TEST(PhotoProperties, FieldsAndTheirFormats)
{
    EXPECT_EQ(std::tuple(FormatFileSize(0), FormatFileSize(1536), FormatFileSize(4294967295u)),
              std::tuple("0.0 KB", "1.5 KB", "4194304.0 KB"));
    std::tm t{};
    t.tm_hour = 7, t.tm_min = 5, t.tm_sec = 9, t.tm_mon = 2, t.tm_mday = 4, t.tm_year = 2003 - 1900;
    EXPECT_EQ(FormatLastWrite(t), "07:05:09    03/04/2003");  // month first
    t.tm_hour = 23, t.tm_mon = 11, t.tm_mday = 31;
    EXPECT_EQ(FormatLastWrite(t), "23:05:09    12/31/2003");
    EXPECT_EQ(FormatDimensions(3000, 2000, 24), "  3000 x 2000\n  24 Bits");

    lv::testing::TempDir dir;
    const std::string path = dir.file("Praia.Final.jpeg");
    std::ofstream(path) << "12345";
    std::tm when{};
    when.tm_year = 2021 - 1900, when.tm_mon = 5, when.tm_mday = 9, when.tm_hour = 14, when.tm_min = 30, when.tm_isdst = -1;
    const utimbuf times{std::mktime(&when), std::mktime(&when)};
    ASSERT_EQ(::utime(path.c_str(), &times), 0);
    AlbumEntry entry = EntryFor(80, 60, path);
    entry.setFileSize(2048);
    const PhotoProperties p = DescribePhoto(entry, path);
    // The size is what the record says, not the file.
    EXPECT_EQ(std::tie(p.name, p.folder, p.extension, p.fileSize, p.lastWrite, p.dimensions),
              std::tuple("Praia.Final", dir.path().string() + "/", "JPEG", "2.0 KB", "14:30:00    06/09/2021", "  80 x 60\n  24 Bits"));
    // A file that is gone keeps its record's facts and has no time.
    const PhotoProperties gone = DescribePhoto(entry, dir.file("nada"));
    EXPECT_EQ(std::tie(gone.lastWrite, gone.extension), std::tuple("", ""));
}

TEST(PhotoRename, NewNameKeepsFolderAndUpperCasesTheExtension)
{
    EXPECT_EQ(std::tuple(RenamedPhotoPath("/fotos/foto.jpg", "praia"), RenamedPhotoPath("/a.b/sem", "com"), RenamedPhotoPath("/x/dois.pontos.tif", "um")),
              std::tuple("/fotos/praia.JPG", "/a.b/com", "/x/um.TIF"));

    lv::testing::TempDir dir;
    const std::string foto = dir.file("foto.jpg");
    std::ofstream(foto) << "jpeg";
    std::ofstream(dir.file("ocupado.JPG")) << "other";
    Album album;
    album.append(EntryFor(8, 8, foto));
    AlbumClipboard clipboard{*album.entry(0), foto};

    // The same name or none, a name taken, a name the folder can't take: nothing changes.
    EXPECT_EQ((std::vector<RenameResult>{RenamePhoto(album, 0, "foto", clipboard, "/"), RenamePhoto(album, 0, "", clipboard, "/"),
                                         RenamePhoto(album, 0, "ocupado", clipboard, "/"),
                                         RenamePhoto(album, 0, "nao/existe", clipboard, "/")}),
              (std::vector<RenameResult>{RenameResult::Unchanged, RenameResult::Unchanged, RenameResult::Exists, RenameResult::Failed}));
    EXPECT_EQ(std::tuple(album.path(0), album.modified(), std::filesystem::exists(foto)), std::tuple(foto, false, true));

    ASSERT_EQ(RenamePhoto(album, 0, "praia", clipboard, "/"), RenameResult::Renamed);
    const std::string renamed = dir.file("praia.JPG");
    EXPECT_EQ(std::tuple(album.path(0), album.modified(), clipboard.path, clipboard.entry->path()), std::tuple(renamed, true, renamed, renamed));
    EXPECT_TRUE(std::filesystem::exists(renamed) && !std::filesystem::exists(foto));

    // A clipboard that names another photo stays.
    AlbumClipboard other{std::nullopt, "/outra.jpg"};
    ASSERT_EQ(RenamePhoto(album, 0, "mar", other, "/"), RenameResult::Renamed);
    EXPECT_EQ(other.path, "/outra.jpg");
    EXPECT_EQ(RenamePhoto(album, 3, "x", other, "/"), RenameResult::Unchanged);
}

TEST(PhotoRename, RelativeEntriesBecomeAbsolute)
{
    lv::testing::TempDir dir;
    std::filesystem::create_directories(dir.path() / "sysalbum");
    std::ofstream(dir.file("sysalbum/sol.bmp")) << "bmp";
    Album album;
    AlbumEntry e = EntryFor(8, 8, "sysalbum/sol.bmp");
    e.setRelative(true);
    album.append(std::move(e));
    AlbumClipboard clipboard;
    ASSERT_EQ(RenamePhoto(album, 0, "lua", clipboard, dir.path()), RenameResult::Renamed);
    EXPECT_EQ(std::tuple(album.path(0), album.entry(0)->relative()), std::tuple(dir.file("sysalbum/lua.BMP"), false));
}

// Finding photos by name, caption, time, type, file size and picture size, in albums and on
// disk, and the album the hits become.

std::vector<std::string> Paths(const std::vector<SearchHit>& hits)
{
    std::vector<std::string> out;
    for (const SearchHit& h : hits)
        out.push_back(h.path);
    return out;
}

TEST(SearchText, WildcardsAndCaseOfAccentedLetters)
{
    // "?" is one character, however many bytes.
    EXPECT_EQ((std::vector<bool>{WildcardMatch("*.jpg", "Praia.JPG"), WildcardMatch("p?aia*", "praia de verão.png"),
                                 WildcardMatch("*", ""), WildcardMatch("a*b*c", "aXXbYYbZc"), WildcardMatch("a*b*c", "aXXbYYbZ"),
                                 WildcardMatch("?", ""), WildcardMatch("?o", "ão"), WildcardMatch("VERÃO*", "verão.jpg")}),
              (std::vector<bool>{true, true, true, true, false, false, true, true}));
    // Signs are not letters to fold; stray bytes stand for themselves.
    EXPECT_EQ((std::vector<bool>{ContainsIgnoringCase("Férias em São Paulo", "SÃO"), ContainsIgnoringCase("x", ""),
                                 ContainsIgnoringCase("", "x"), ContainsIgnoringCase("×", "÷"),
                                 ContainsIgnoringCase(std::string("a\xff" "b"), "\xff")}),
              (std::vector<bool>{true, true, false, false, true}));
}

TEST(SearchCriteriaChecks, EachCriterionAndItsBoundaries)
{
    const PhotoFacts photo{"/fotos/Praia.Jpeg", "Férias 2004", 1'000'000, 5000, 640, 480};
    using Set = std::function<void(SearchCriteria&)>;
    const struct {
        Set set;
        bool matches;
    } cases[] = {
        {[](SearchCriteria&) {}, true},
        {[](SearchCriteria& c) { c.name = "praia"; }, true},
        {[](SearchCriteria& c) { c.name = "fotos"; }, false},  // the folder is not the name
        {[](SearchCriteria& c) { c.caption = "FÉRIAS"; }, true},
        {[](SearchCriteria& c) { c.after = 1'000'000, c.before = 1'000'001; }, true},
        {[](SearchCriteria& c) { c.after = 1'000'000, c.before = 1'000'000; }, false},
        {[](SearchCriteria& c) { c.types = {"jpg"}; }, true},
        {[](SearchCriteria& c) { c.types = {"JPE", "TIF"}; }, true},
        {[](SearchCriteria& c) { c.types = {"tiff", "png"}; }, false},
        {[](SearchCriteria& c) { c.minBytes = 5000, c.maxBytes = 5000; }, true},
        {[](SearchCriteria& c) { c.minBytes = 5000, c.maxBytes = 4999; }, false},
        {[](SearchCriteria& c) { c.minWidth = 640, c.minHeight = 480; }, true},
        {[](SearchCriteria& c) { c.minWidth = 640, c.minHeight = 481; }, false},
    };
    for (const auto& c : cases) {
        SearchCriteria criteria;
        c.set(criteria);
        EXPECT_EQ(MatchesSearch(criteria, photo), c.matches) << &c - cases;
        // Only the picture size is left to a caller that has the picture.
        EXPECT_EQ(criteria.needsPictureSize(), criteria.minWidth > 0);
        EXPECT_TRUE(!criteria.needsPictureSize() || MatchesWithoutPicture(criteria, photo));
    }
}

TEST(SearchDates, DaysInLocalTimeAndMalformedDates)
{
    const auto day = ParseSearchDate("2004-02-29");
    ASSERT_TRUE(day);
    std::tm t{};
    const std::time_t when = std::time_t(*day);
    localtime_r(&when, &t);
    EXPECT_EQ(std::tuple(t.tm_year, t.tm_mon, t.tm_mday, t.tm_hour), std::tuple(104, 1, 29, 0));
    const std::time_t next = std::time_t(NextDay(*day));
    localtime_r(&next, &t);
    EXPECT_EQ(std::tuple(t.tm_mon, t.tm_mday), std::tuple(2, 1));
    for (const char* bad : {"2003-02-29", "2004-13-01", "2004-00-10", "2004-1-01", "04-01-2004", "2004/01/01",
                            "2004-01-32", "", "abcd-ef-gh"})
        EXPECT_FALSE(ParseSearchDate(bad)) << bad;
}

class SearchFolders : public testing::PageSession {
protected:
    SearchFolders()
    {
        std::filesystem::create_directories(dir.path() / "albums");
        std::filesystem::create_directories(dir.path() / "fotos/sub");
    }
};

TEST_F(SearchFolders, AlbumsAreSearchedInNameOrderWithTheirRecords)
{
    std::vector<AlbumEntry> one = {EntryFor(10, 10, "/fotos/praia.jpg", "Mar"), EntryFor(10, 10, "/fotos/serra.JPG")};
    AlbumEntry relative = EntryFor(100, 80, "sysalbum/praia.bmp");
    relative.setRelative(true);
    ASSERT_TRUE(WriteAlbumFile(dir.file("albums/b.ABM"), one));
    ASSERT_TRUE(WriteAlbumFile(dir.file("albums/a.abm"), {relative}));
    std::ofstream(dir.file("albums/nao-album.abm")) << "not an album";
    std::ofstream(dir.file("albums/notas.txt")) << "x";

    SearchCriteria c;
    c.name = "praia";
    const std::vector<SearchHit> hits = SearchAlbumFolder(dir.file("albums"), c, "/programa");
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_EQ(std::tuple(hits[0].path, hits[0].album, hits[0].facts.width),
              std::tuple("/programa/sysalbum/praia.bmp", dir.file("albums/a.abm"), 100));
    ASSERT_TRUE(hits[1].entry);
    EXPECT_EQ(std::tuple(hits[1].path, hits[1].index, hits[1].facts.caption, hits[1].entry->thumbWidth()),
              std::tuple("/fotos/praia.jpg", 0, "Mar", 10));

    // A stop asked for before the first album ends the search at once.
    EXPECT_TRUE(SearchAlbumFolder(dir.file("albums"), {}, "", [] { return true; }).empty());
}

TEST_F(SearchFolders, DiskFilesAreMeasuredForPictureSizeAndBecomeAResultsAlbum)
{
    const std::string big = photo("fotos/grande.jpg", 320, 200);
    const std::string small = photo("fotos/pequena.bmp", 40, 30);
    const std::string deep = photo("fotos/sub/funda.bmp", 400, 300);
    std::ofstream(dir.file("fotos/quebrada.jpg")) << "not a jpeg";

    EXPECT_EQ(Paths(SearchPhotoFolder(dir.file("fotos"), {}, false)), (std::vector<std::string>{big, small}));
    EXPECT_EQ(Paths(SearchPhotoFolder(dir.file("fotos"), {}, true)), (std::vector<std::string>{big, small, deep}));

    SearchCriteria wide;
    wide.minWidth = 300;
    const std::vector<SearchHit> hits = SearchPhotoFolder(dir.file("fotos"), wide, true, 2);
    EXPECT_EQ(Paths(hits), (std::vector<std::string>{big, deep}));
    ASSERT_TRUE(hits[1].entry);
    EXPECT_EQ(std::tuple(hits[1].facts.height, hits[1].album), std::tuple(300, ""));


    // The results album lists each photo once, its own record and thumbnail.
    std::vector<SearchHit> twice = hits;
    twice.push_back(hits[0]);
    ASSERT_TRUE(WriteResultsAlbum(twice, dir.file("albums/resultados.abm")));
    const AlbumFileContents results = ReadAlbumContents(dir.file("albums/resultados.abm"));
    ASSERT_TRUE(results.complete);
    ASSERT_EQ(results.entries.size(), 2u);
    EXPECT_EQ(std::tuple(results.entries[0].path(), results.entries[1].width(), results.entries[1].thumbnail().size()),
              std::tuple(big, 400, hits[1].entry->thumbnail().size()));
    EXPECT_FALSE(WriteResultsAlbum({}, dir.file("albums/vazio.abm")));
}

}  // namespace
}  // namespace lv::album
