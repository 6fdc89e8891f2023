// Finding photos by name, caption, time, type, file size and picture size, in albums and on
// disk, and the album the hits become.

#include "album/album_file.h"
#include "album/photo_search.h"
#include "album_test_support.h"
#include "common/testing/temp_dir.h"

#include <gtest/gtest.h>

#include <utime.h>

#include <filesystem>
#include <functional>
#include <fstream>

namespace lv::album {
namespace {

using testing::EntryFor;

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

class SearchFolders : public ::testing::Test {
protected:
    SearchFolders()
    {
        std::filesystem::create_directories(dir.path() / "albums");
        std::filesystem::create_directories(dir.path() / "fotos/sub");
    }
    std::string photo(const std::string& name, int width, int height)
    {
        testing::WritePhotoFile(dir.file(name), width, height);
        return dir.file(name);
    }
    lv::testing::TempDir dir;
};

TEST_F(SearchFolders, AlbumsAreSearchedInNameOrderWithTheirRecords)
{
    std::vector<AlbumEntry> one = {EntryFor(10, 10, "/fotos/praia.jpg", "Mar"), EntryFor(10, 10, "/fotos/serra.JPG")};
    AlbumEntry relative = EntryFor(100, 80, "sysalbum/praia.bmp");
    relative.setRelative(true);
    std::vector<AlbumEntry> two = {relative};
    ASSERT_TRUE(WriteAlbumFile(dir.file("albums/b.ABM"), one));
    ASSERT_TRUE(WriteAlbumFile(dir.file("albums/a.abm"), two));
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

    c = {};
    c.types = {"jpg"};
    EXPECT_EQ(Paths(SearchAlbumFolder(dir.file("albums"), c)), (std::vector<std::string>{"/fotos/praia.jpg", "/fotos/serra.JPG"}));
    EXPECT_TRUE(SearchAlbumFolder(dir.file("nenhuma"), c).empty());
    // A stop asked for before the first album ends the search at once.
    EXPECT_TRUE(SearchAlbumFolder(dir.file("albums"), {}, "", [] { return true; }).empty());
}

TEST_F(SearchFolders, DiskFilesAreMeasuredForPictureSizeAndBecomeAResultsAlbum)
{
    const std::string big = photo("fotos/grande.jpg", 320, 200);
    const std::string small = photo("fotos/pequena.bmp", 40, 30);
    const std::string deep = photo("fotos/sub/funda.bmp", 400, 300);
    std::ofstream(dir.file("fotos/quebrada.jpg")) << "not a jpeg";
    std::tm when{};
    when.tm_year = 99, when.tm_mon = 0, when.tm_mday = 2, when.tm_isdst = -1;
    const utimbuf old{std::mktime(&when), std::mktime(&when)};
    ASSERT_EQ(::utime(small.c_str(), &old), 0);

    EXPECT_EQ(Paths(SearchPhotoFolder(dir.file("fotos"), {}, false)), (std::vector<std::string>{big, small}));
    EXPECT_EQ(Paths(SearchPhotoFolder(dir.file("fotos"), {}, true)), (std::vector<std::string>{big, small, deep}));

    SearchCriteria wide;
    wide.minWidth = 300;
    const std::vector<SearchHit> hits = SearchPhotoFolder(dir.file("fotos"), wide, true, 2);
    EXPECT_EQ(Paths(hits), (std::vector<std::string>{big, deep}));
    ASSERT_TRUE(hits[1].entry);
    EXPECT_EQ(std::tuple(hits[1].facts.height, hits[1].album), std::tuple(300, ""));

    SearchCriteria older;
    older.before = ParseSearchDate("2000-01-01");
    EXPECT_EQ(Paths(SearchPhotoFolder(dir.file("fotos"), older, true)), std::vector<std::string>{small});
    SearchCriteria captioned;
    captioned.caption = "x";
    EXPECT_TRUE(SearchPhotoFolder(dir.file("fotos"), captioned, true).empty());

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
