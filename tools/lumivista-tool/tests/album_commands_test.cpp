// The album, project and slide-show commands driven as a script would: build, add, inspect,
// search and list albums, several writers at once, calendars and cards refilled, a show's frames.

#include "album/album_file.h"
#include "album/album_lock.h"
#include "common/byte_sink.h"
#include "common/byte_source.h"
#include "edit/layered_format.h"
#include "output/screen_bitmap.h"
#include "projects/tests/project_fixtures.h"
#include "tool_support.h"

#include <utime.h>

#include <algorithm>
#include <ctime>

namespace lv {
namespace {

using testing::LayerSpec;
using testing::ShellQuote;
using testing::Tool;

const std::string kJpegs = std::string(LV_SOURCE_DIR) + "/album/tests/fixtures/";

TEST(AlbumTool, MakeAddInfoAndThumbsWorkTogether)
{
    testing::TempDir dir;
    const std::string album = ShellQuote(dir.file("férias.abm"));
    ASSERT_EQ(Tool("new 100 50 10 20 30 " + ShellQuote(dir.file("a.bmp"))).exitCode, 0);
    ASSERT_TRUE(WriteWholeFile(dir.file("texto.jpg"), {'o', 'i'}));

    auto made = Tool("album make " + album + " " + ShellQuote(dir.file("a.bmp")) + " " + ShellQuote(kJpegs + "grey.jpg") +
                     " " + ShellQuote(dir.file("texto.jpg")) + " " + ShellQuote(kJpegs + "baseline_422.jpg") + " --jobs 2");
    EXPECT_EQ(made.exitCode, 3);  // one file refused; the rest kept
    EXPECT_NE(made.err.find("not added: " + dir.file("texto.jpg") + ": not a picture"), std::string::npos) << made.err;

    auto info = Tool("album info --json " + album);
    ASSERT_EQ(info.exitCode, 0) << info.err;
    EXPECT_EQ(info.out.rfind("{\"count\":3,\"complete\":true,\"readOnly\":false,\"totalLength\":", 0), 0u) << info.out;
    EXPECT_NE(info.out.find("{\"path\":\"" + dir.file("a.bmp") + "\",\"caption\":\"\",\"fileSize\":15054,"),
              std::string::npos);
    EXPECT_NE(info.out.find("\"width\":100,\"height\":50,\"bitCount\":24,\"thumbWidth\":69,\"thumbHeight\":35,"
                            "\"thumbSize\":7320,\"thumbOffsetInArea\":0,\"relative\":false}"), std::string::npos);

    // Adding a photo that is already there moves it to the end.
    ASSERT_EQ(Tool("album add " + album + " " + ShellQuote(dir.file("a.bmp"))).exitCode, 0);
    const auto contents = album::ReadAlbumContents(dir.file("férias.abm"));
    ASSERT_EQ(contents.entries.size(), 3u);
    EXPECT_EQ(contents.entries[2].path(), dir.file("a.bmp"));
    EXPECT_EQ(contents.entries[0].path(), kJpegs + "grey.jpg");

    ASSERT_EQ(Tool("album thumbs " + album + " " + ShellQuote(dir.file("miniaturas"))).exitCode, 0);
    const ReadResult thumb = ReadBmp(dir.file("miniaturas/3.bmp"));
    ASSERT_TRUE(thumb.ok());
    EXPECT_EQ(std::tuple(thumb.image().width(), thumb.image().height(), thumb.image().row(0)[0]),
              std::tuple(69, 35, 30));  // blue first of the picture's colour (red 10, green 20, blue 30)
    EXPECT_FALSE(std::filesystem::exists(dir.file("miniaturas/4.bmp")));

    auto refreshed = Tool("album refresh " + album);
    EXPECT_EQ(refreshed.exitCode, 0);
    EXPECT_EQ(refreshed.out, "0 rebuilt, 0 made absolute, 0 missing, 0 unreadable\n");
}

TEST(AlbumTool, BadInputGivesItsExitCode)
{
    testing::TempDir dir;
    const std::string x = ShellQuote(dir.file("x.abm"));
    testing::ExpectExitCodes({{"album", 2}, {"album make " + x, 2}, {"album make x.abm a.bmp --jobs 0", 2},
                              {"album list --category 13", 2}, {"album info " + ShellQuote(dir.file("none.abm")), 3},
                              {"album make " + x + " " + ShellQuote(dir.file("none.jpg")), 3}});
    EXPECT_FALSE(std::filesystem::exists(dir.file("x.abm")));
    ASSERT_EQ(Tool("new 4 4 1 2 3 " + ShellQuote(dir.file("a.bmp"))).exitCode, 0);
    EXPECT_EQ(Tool("album make " + ShellQuote(dir.file("no/such/folder.abm")) + " " + ShellQuote(dir.file("a.bmp"))).exitCode, 4);
    // A damaged album still shows what it holds, and says it is damaged.
    ASSERT_EQ(Tool("album make " + ShellQuote(dir.file("ok.abm")) + " " + ShellQuote(dir.file("a.bmp")) + " " +
                   ShellQuote(kJpegs + "grey.jpg")).exitCode, 0);
    auto bytes = *ReadWholeFile(dir.file("ok.abm"));
    bytes.resize(bytes.size() - 10);
    ASSERT_TRUE(WriteWholeFile(dir.file("cut.abm"), bytes));
    const auto info = Tool("album info " + ShellQuote(dir.file("cut.abm")));
    EXPECT_EQ(info.exitCode, 3);
    EXPECT_EQ(info.out.rfind("1 photos (damaged: the rest is lost)", 0), 0u) << info.out;
}

// album add: a damaged photo joins the album and is listed once as added with a problem.
class AlbumDamagedTool : public testing::ToolFolder {};

std::size_t Count(const std::string& text, const std::string& part)
{
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

TEST_F(AlbumDamagedTool, ATruncatedJpegIsAddedAndListedOnce)
{
    writePicture("boa.bmp", 300, 200, [](int x, int y) { return testing::Rgb{std::uint8_t(x * y), std::uint8_t(x), 40}; });
    ASSERT_EQ(testing::Tool("convert " + quoted("boa.bmp") + " " + quoted("boa.jpg")).exitCode, 0);
    auto bytes = ReadWholeFile(file("boa.jpg")).value_or(std::vector<std::uint8_t>{});
    bytes.resize(bytes.size() / 2);
    ASSERT_TRUE(WriteWholeFile(file("cortada.jpg"), bytes));
    for (const char* jobs : {"1", "2"}) {
        SCOPED_TRACE(jobs);
        const auto r = testing::Tool("album make " + quoted("a.abm") + " " + quoted("boa.jpg") + " " + quoted("cortada.jpg") +
                                     " " + quoted("sumiu.jpg") + " --jobs " + jobs);
        EXPECT_EQ(r.exitCode, 3) << "one file could not be added";
        EXPECT_EQ(Count(r.err, "not added: " + file("sumiu.jpg")), 1u) << r.err;
        EXPECT_EQ(Count(r.err, "added with a problem: " + file("cortada.jpg") + ": "), 1u) << r.err;
        EXPECT_EQ(Count(r.err, "boa.jpg"), 0u) << r.err;
        const auto info = testing::Tool("album info " + quoted("a.abm") + " --json");
        EXPECT_NE(info.out.find("cortada.jpg"), std::string::npos) << info.out;
    }
}

// "album search" as a script runs it: the same criteria as the search dialog, text and JSON
// output, and its refusals.
class AlbumSearchTool : public testing::ToolFolder {
protected:
    AlbumSearchTool()
    {
        std::filesystem::create_directories(dir.path() / "albums");
        std::filesystem::create_directories(dir.path() / "fotos");
        photo("fotos/Praia.bmp", 200, 100, "2004-07-15");
        photo("fotos/serra.bmp", 60, 40, "2004-07-16");
        photo("fotos/praia-noite.bmp", 300, 300, "2010-01-01");
        const std::string first = quoted("fotos/Praia.bmp") + " " + quoted("fotos/serra.bmp");
        EXPECT_EQ(Tool("album make " + quoted("albums/album1.abm") + " " + first).exitCode, 0);
        EXPECT_EQ(Tool("album make " + quoted("albums/album2.abm") + " " + quoted("fotos/praia-noite.bmp")).exitCode, 0);
    }
    void photo(const std::string& name, int width, int height, const char* day)
    {
        const std::string path = dir.file(name);
        ASSERT_EQ(Tool("new " + std::to_string(width) + " " + std::to_string(height) + " 10 20 30 " + ShellQuote(path)).exitCode, 0);
        std::tm t{};
        ASSERT_TRUE(strptime(day, "%Y-%m-%d", &t));
        t.tm_hour = 12;
        t.tm_isdst = -1;
        const utimbuf times{std::mktime(&t), std::mktime(&t)};
        ASSERT_EQ(::utime(path.c_str(), &times), 0);
    }
    testing::CommandResult search(const std::string& options)
    {
        return Tool("album search " + quoted("albums") + " " + options);
    }
};

TEST_F(AlbumSearchTool, EachCriterionNarrowsTheHits)
{
    auto byName = search("--name praia");
    ASSERT_EQ(byName.exitCode, 0) << byName.err;
    EXPECT_EQ(byName.out, dir.file("fotos/Praia.bmp") + "\t" + dir.file("albums/album1.abm") + "\t0\n" +
                              dir.file("fotos/praia-noite.bmp") + "\t" + dir.file("albums/album2.abm") + "\t0\n");
    // Each criterion reaches the search (its boundaries are the search's own tests).
    EXPECT_EQ(search("--after 2004-07-16 --before 2004-07-16").out,
              dir.file("fotos/serra.bmp") + "\t" + dir.file("albums/album1.abm") + "\t1\n");
    EXPECT_EQ(search("--min-size 101x101").out,
              dir.file("fotos/praia-noite.bmp") + "\t" + dir.file("albums/album2.abm") + "\t0\n");
    EXPECT_EQ(search("--name 'p*a.BMP' --type jpg,tif").out, "");
    EXPECT_EQ(search("--caption x").out, "");

    auto json = search("--min-size 61x41 --json");
    ASSERT_EQ(json.exitCode, 0);
    EXPECT_TRUE(json.out.starts_with("{\"count\":2,\"hits\":[{\"path\":\"" + dir.file("fotos/Praia.bmp") +
                                     "\",\"album\":\"" + dir.file("albums/album1.abm") +
                                     "\",\"index\":0,\"caption\":\"\",\"width\":200,\"height\":100,")) << json.out;

    // Folders on disk are searched too when named.
    std::filesystem::copy_file(dir.file("fotos/serra.bmp"), dir.file("fotos/serra2.bmp"));
    EXPECT_EQ(search("--name serra --photos " + ShellQuote(dir.file("fotos"))).out,
              dir.file("fotos/serra.bmp") + "\t" + dir.file("albums/album1.abm") + "\t1\n" + dir.file("fotos/serra.bmp") +
                  "\t\t-1\n" + dir.file("fotos/serra2.bmp") + "\t\t-1\n");
}

TEST_F(AlbumSearchTool, BadCriteriaAndMissingFoldersGiveTheirExitCodes)
{
    for (const char* bad : {"--after 2004-02-30", "--before ontem", "--min-size 10", "--min-size 0x5", "--nome x"}) {
        const auto result = search(bad);
        EXPECT_EQ(result.exitCode, 2) << bad;
        EXPECT_NE(result.err.find("lumivista-tool: "), std::string::npos) << bad;
    }
    EXPECT_EQ(Tool("album search").exitCode, 2);
    EXPECT_EQ(Tool("album search " + ShellQuote(dir.file("nada"))).exitCode, 3);
    EXPECT_EQ(search("--photos " + ShellQuote(dir.file("nada"))).exitCode, 3);
}

// Several copies of the tool adding to one album at once, as scripts and the program's own
// download do: each re-reads the album under its lock, so no photo is lost.
class AlbumWriters : public testing::ToolFolder {
protected:
    void SetUp() override
    {
        for (int i = 0; i < kWriters; ++i)
            writePicture(photo(i), 8 + i, 6, [i](int x, int y) { return testing::Rgb{std::uint8_t(x * 20), std::uint8_t(y * 30), std::uint8_t(i)}; });
    }
    static std::string photo(int i) { return "foto" + std::to_string(i) + ".bmp"; }

    // Every writer started at once in the background; the shell fails when any of them did.
    testing::CommandResult addAllAtOnce(const std::string& album) const
    {
        std::string script;
        for (int i = 0; i < kWriters; ++i)
            script += std::string(LV_TOOL) + " album add " + ShellQuote(album) + " " + quoted(photo(i)) + " & p" +
                      std::to_string(i) + "=$!; ";
        script += "s=0; ";
        for (int i = 0; i < kWriters; ++i)
            script += "wait $p" + std::to_string(i) + " || s=1; ";
        script += "exit $s";
        return testing::RunCommand("sh -c " + ShellQuote(script));
    }

    static constexpr int kWriters = 8;
};

TEST_F(AlbumWriters, EightAddsAtOnceKeepEveryPhoto)
{
    for (int round = 0; round < 5; ++round) {
        const std::string album = file("partilhado" + std::to_string(round) + ".abm");
        const auto run = addAllAtOnce(album);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const auto contents = album::ReadAlbumContents(album);
        ASSERT_TRUE(contents.complete);
        ASSERT_EQ(contents.entries.size(), std::size_t(kWriters)) << "round " << round;
        for (int i = 0; i < kWriters; ++i) {
            EXPECT_TRUE(std::any_of(contents.entries.begin(), contents.entries.end(),
                                    [&](const album::AlbumEntry& e) { return e.path() == file(photo(i)); }))
                << photo(i) << " lost in round " << round;
        }
        EXPECT_TRUE(std::filesystem::exists(album::AlbumLockPath(album)));
    }
}

TEST_F(AlbumWriters, AReadOnlyAlbumIsLeftAsItIs)
{
    ASSERT_EQ(Tool("album make " + quoted("sistema.abm") + " " + quoted(photo(0))).exitCode, 0);
    auto bytes = album::EncodeAlbum(album::ReadAlbumContents(file("sistema.abm")).entries);
    bytes[album::kReadOnlyOffset] = 1;
    ASSERT_TRUE(WriteWholeFile(file("sistema.abm"), bytes));
    std::filesystem::remove(album::AlbumLockPath(file("sistema.abm")));

    for (const char* command : {"album add ", "album make "}) {
        const auto run = Tool(command + quoted("sistema.abm") + " " + quoted(photo(1)));
        EXPECT_EQ(run.exitCode, 4) << command;
        EXPECT_NE(run.err.find("read-only album"), std::string::npos) << run.err;
    }
    EXPECT_EQ(album::ReadAlbumContents(file("sistema.abm")).entries.size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(album::AlbumLockPath(file("sistema.abm"))));
}

// The calendar and project commands, round trips through the real program.
class ProjectsTool : public testing::ToolFolder {
protected:
    void writeCalendar()
    {
        testing::WriteDocumentFile(file("wall.vlf"),
                                   {LayerSpec{60, 20, 0x0000FF, "Year//a//1", 10, 170},
                                    LayerSpec{40, 20, 0xFF0000, "Month//a//1", 100, 100},
                                    LayerSpec{300, 200, 0xFFFFFF, "background"}},
                                   300, 200);
        testing::WritePiece(file("cal1/calyear/2000.vlf"), 67, 20, 0x112233);
        testing::WritePiece(file("cal1/calmonth/02.vlf"), 33, 13, 0x445566);
    }
};

TEST_F(ProjectsTool, RefilledCalendarReopensWithThePiecesCentred)
{
    writeCalendar();
    auto r = Tool("calendar refill " + quoted("wall.vlf") + " " + quoted("feb.vlf") + " --year 2000 --month 2");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    // Where the pieces land is the refill's own test (`CalendarRefill`); here they reach the file.
    auto page = ReadLayeredFile(file("feb.vlf"));
    ASSERT_TRUE(page);
    ASSERT_EQ(page->layerCount, 3);
    EXPECT_EQ(std::tuple(page->layers[0].image.width(), page->layers[1].name), std::tuple(67, "Month//a//1"));

    // Refilled once more from the written page (its pieces beside the template, not it).
    r = Tool("calendar refill " + quoted("feb.vlf") + " " + quoted("again.vlf") + " --year 2000 --month 2");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(ReadLayeredFile(file("again.vlf"))->layers[0].x, 8);
}

TEST_F(ProjectsTool, RefillFailuresGiveTheirExitCodes)
{
    writeCalendar();
    auto r = Tool("calendar refill " + quoted("wall.vlf") + " " + quoted("mar.vlf") + " --year 2000 --month 3");
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_NE(r.err.find("Não é possível localizar o arquivo. --- " + file("cal1/calmonth/03.vlf")), std::string::npos)
        << r.err;
    EXPECT_FALSE(std::filesystem::exists(file("mar.vlf")));
    const std::string refill = "calendar refill " + quoted("wall.vlf") + " ";
    testing::ExpectExitCodes({{"calendar refill " + quoted("absent.vlf") + " " + quoted("o.vlf") + " --year 2000 --month 2", 3},
                              {refill + quoted("no/such/dir/o.vlf") + " --year 2000 --month 2", 4},
                              {refill + quoted("o.vlf") + " --year 2000", 2},
                              {refill + quoted("o.vlf") + " --year 2000 --month 13", 2}});
}

TEST_F(ProjectsTool, DroppedPhotoIsFittedIntoItsLayer)
{
    testing::WriteDocumentFile(file("card.vlf"),
                               {LayerSpec{200, 200, 0x00FF00, "photo box", 40, 70}, LayerSpec{300, 300, 0xFFFFFF, "Background"}},
                               300, 300);
    HDIB photo = testing::MakePhotoLike(400, 300);
    ASSERT_EQ(WriteBmp(file("wide.bmp"), photo), WriteResult::Written);
    auto r = Tool("project drop " + quoted("card.vlf") + " " + quoted("out.vlf") + " --layer 0 " + quoted("wide.bmp"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "layer 0: 40,55,240,205\n");  // as `PhotoDropping.ALandscapePhotoFitsAcrossAndMovesDown`
    EXPECT_EQ(ReadLayeredFile(file("out.vlf"))->layers[0].image.height(), 150);

    r = Tool("project drop " + quoted("out.vlf") + " " + quoted("bg.bmp") + " --layer 1 " + quoted("wide.bmp"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "layer 1: 0,0,300,300\n");

    r = Tool("project drop " + quoted("card.vlf") + " " + quoted("o.vlf") + " --layer 0 " + quoted("absent.jpg"));
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_NE(r.err.find("Não é possível localizar o arquivo."), std::string::npos) << r.err;
    const std::string drop = "project drop " + quoted("card.vlf") + " " + quoted("o.vlf");
    testing::ExpectExitCodes({{drop + " --layer 5 " + quoted("wide.bmp"), 2}, {drop + " " + quoted("wide.bmp"), 2},
                              {"project lift", 2}});
    EXPECT_FALSE(std::filesystem::exists(file("o.vlf")));
}

ScreenBitmap ReadFrame(const std::string& path)
{
    return ScreenBitmapFromDib(ReadBmp(path).image());
}

// Old and new pictures of one colour each, made by the tool itself, and the frames of a
// curtain over them written in order: the old screen first, the new slide between black
// bands last (what each step shows is the transitions' own test).
TEST(SlideshowTool, FramesRunFromTheOldScreenToTheNewSlide)
{
    testing::TempDir dir;
    const std::string before = dir.file("old.bmp"), after = dir.file("new.bmp");
    ASSERT_EQ(Tool("new 40 30 0 0 255 " + ShellQuote(before)).exitCode, 0);
    ASSERT_EQ(Tool("new 40 20 255 128 0 " + ShellQuote(after)).exitCode, 0);
    const std::uint32_t blue = ScreenPixel(0, 0, 255), orange = ScreenPixel(255, 128, 0);
    const auto frames = [&](const std::string& folder, const std::string& options) {
        return Tool("slideshow frames " + ShellQuote(before) + " " + ShellQuote(after) + " " + ShellQuote(dir.file(folder)) + options);
    };

    const auto run = frames("all", " --transition Cortina --variant 1 --size 40x30 --format bmp");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "Cortina (5) variant 1: 20 steps, 21 frames in " + dir.file("all") + "\n");
    const ScreenBitmap first = ReadFrame(dir.file("all/frame-00000.bmp"));
    EXPECT_EQ(first, ScreenBitmap(40, 30, blue));
    const ScreenBitmap last = ReadFrame(dir.file("all/frame-00020.bmp"));
    for (int y = 0; y < 30; ++y)
        EXPECT_EQ(last.pixel(39, y), y >= 5 && y < 25 ? orange : kScreenBlack) << y;

    // Every 7th step and the last; the seed decides the random transitions' pieces.
    const auto json = frames("some", " --transition 'Linhas aleatórias' --variant 0 --every 7 --format bmp --json");
    ASSERT_EQ(json.exitCode, 0) << json.err;
    EXPECT_EQ(json.out, "{\"index\":19,\"name\":\"Linhas aleatórias\",\"variant\":0,\"steps\":20,\"paced\":true,"
                        "\"screen\":[40,20],\"slide\":[0,0,40,20],\"frames\":[\"frame-00000.bmp\",\"frame-00001.bmp\","
                        "\"frame-00002.bmp\",\"frame-00003.bmp\"]}\n");
    EXPECT_EQ(ReadFrame(dir.file("some/frame-00003.bmp")), ScreenBitmap(40, 20, orange));

    // The unnamed transition by its number, and "Aleatório" choosing from the seed.
    EXPECT_EQ(frames("x", " --transition 34 --variant 3 --every 1000").out,
              "(no name) (34) variant 3: 4 steps, 2 frames in " + dir.file("x") + "\n");
    const auto chosen = frames("y", " --transition Aleatório --seed 7 --every 1000");
    EXPECT_EQ(chosen.exitCode, 0);
    EXPECT_EQ(chosen.out, frames("y", " --transition Aleatório --seed 7 --every 1000").out);
}

TEST(SlideshowTool, BadArgumentsAndFilesAreRefusedWithTheirExitCodes)
{
    testing::TempDir dir;
    const std::string picture = dir.file("p.bmp");
    ASSERT_EQ(Tool("new 8 8 1 2 3 " + ShellQuote(picture)).exitCode, 0);
    const std::string both = ShellQuote(picture) + " " + ShellQuote(picture) + " " + ShellQuote(dir.file("out"));
    EXPECT_EQ(Tool("slideshow").exitCode, 2);
    EXPECT_EQ(Tool("slideshow list extra").exitCode, 2);
    // The first: no transition.
    for (const char* bad : {"", " --transition Nada", " --transition Cortina --variant 0",
                            " --transition Apagar --variant 3", " --transition 35", " --transition Cortina --size 0x10",
                            " --transition Cortina --size 9000x10", " --transition Cortina --every 0",
                            " --transition Cortina --format ../x"})
        EXPECT_EQ(Tool("slideshow frames " + both + bad).exitCode, 2) << bad;
    testing::ExpectExitCodes({{"slideshow frames " + ShellQuote(dir.file("absent.bmp")) + " " + ShellQuote(picture) + " " +
                                   ShellQuote(dir.file("out")) + " --transition Cortina", 3},
                              {"slideshow frames " + ShellQuote(picture) + " " + ShellQuote(picture) + " " +
                                   ShellQuote(picture) + " --transition Cortina", 4}});
    EXPECT_FALSE(std::filesystem::exists(dir.file("out")));
}

}  // namespace
}  // namespace lv
