// The album commands driven as a script would: build, add, inspect, export, list.

#include "album/album_file.h"
#include "common/byte_sink.h"
#include "common/byte_source.h"
#include "common/testing/temp_dir.h"
#include "imagelib/codecs/bmp/bmp.h"
#include "tool_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace lv {
namespace {

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
    EXPECT_NE(info.out.find("\"thumbOffset\":1008,"), std::string::npos);
    EXPECT_NE(info.out.find("{\"path\":\"" + dir.file("a.bmp") + "\",\"caption\":\"\",\"fileSize\":15054,"),
              std::string::npos);
    EXPECT_NE(info.out.find("\"width\":100,\"height\":50,\"bitCount\":24,\"thumbWidth\":69,\"thumbHeight\":35,"
                            "\"thumbSize\":7320,\"thumbOffsetInArea\":0,\"relative\":false}"),
              std::string::npos);
    EXPECT_NE(info.out.find("\"thumbOffsetInArea\":7320,"), std::string::npos);  // the grey photo comes second

    // Adding a photo that is already there moves it to the end.
    ASSERT_EQ(Tool("album add " + album + " " + ShellQuote(dir.file("a.bmp"))).exitCode, 0);
    const auto contents = album::ReadAlbumContents(dir.file("férias.abm"));
    ASSERT_EQ(contents.entries.size(), 3u);
    EXPECT_EQ(contents.entries[2].path(), dir.file("a.bmp"));
    EXPECT_EQ(contents.entries[0].path(), kJpegs + "grey.jpg");

    ASSERT_EQ(Tool("album thumbs " + album + " " + ShellQuote(dir.file("miniaturas"))).exitCode, 0);
    const ReadResult thumb = ReadBmp(dir.file("miniaturas/3.bmp"));
    ASSERT_TRUE(thumb.ok());
    EXPECT_EQ(thumb.image().width(), 69);
    EXPECT_EQ(thumb.image().height(), 35);
    EXPECT_EQ(thumb.image().row(0)[0], 30);  // blue of the picture's colour (red 10, green 20, blue 30)
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
                   ShellQuote(kJpegs + "grey.jpg")).exitCode,
              0);
    auto bytes = *ReadWholeFile(dir.file("ok.abm"));
    bytes.resize(bytes.size() - 10);
    ASSERT_TRUE(WriteWholeFile(dir.file("cut.abm"), bytes));
    const auto info = Tool("album info " + ShellQuote(dir.file("cut.abm")));
    EXPECT_EQ(info.exitCode, 3);
    EXPECT_EQ(info.out.rfind("1 photos (damaged: the rest is lost)", 0), 0u) << info.out;
}

TEST(AlbumTool, ListShowsTheCatalogueOfTheConfigurationFile)
{
    testing::TempDir dir;
    const std::string ini = "[albums]\r\nalbum1.abm=Casa\r\nalbum4.abm=Praia\r\n[ALBUMCUR]\r\nalbums=1\r\n";
    ASSERT_TRUE(WriteWholeFile(dir.file("LV2000.ini"), {ini.begin(), ini.end()}));
    std::filesystem::create_directories(dir.file("programa"));
    const std::string env = "LUMIVISTA_CONFIG_DIR=" + ShellQuote(dir.path().string()) +
                            " LUMIVISTA_HOME=" + ShellQuote(dir.file("programa")) +
                            " XDG_DATA_HOME=" + ShellQuote(dir.file("dados")) + " ";
    const auto listed = testing::RunCommand(env + LV_TOOL + " album list --category 10 --json");
    ASSERT_EQ(listed.exitCode, 0) << listed.err;
    EXPECT_EQ(listed.out, "{\"categories\":[{\"category\":10,\"section\":\"albums\",\"current\":1,\"albums\":["
                          "{\"key\":\"album1.abm\",\"name\":\"Casa\",\"path\":\"" +
                              dir.file("programa/albums/album1.abm") +
                              "\"},{\"key\":\"album4.abm\",\"name\":\"Praia\",\"path\":\"" +
                              dir.file("programa/albums/album4.abm") + "\"}]}]}\n");
    const auto text = testing::RunCommand(env + LV_TOOL + " album list");
    EXPECT_NE(text.out.find("0 albums (2 albums, current 1)\n  album1.abm = Casa\n"), std::string::npos) << text.out;
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

}  // namespace
}  // namespace lv
