// "album search" as a script runs it: the same criteria as the search dialog, text and JSON
// output, and its refusals.

#include "album/album_file.h"
#include "common/testing/temp_dir.h"
#include "tool_support.h"

#include <gtest/gtest.h>

#include <utime.h>

#include <ctime>
#include <filesystem>

namespace lv {
namespace {

using testing::ShellQuote;
using testing::Tool;

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
    // Dates are whole days: the 16th counts for --before 2004-07-16.
    EXPECT_EQ(search("--after 2004-07-16 --before 2004-07-16").out,
              dir.file("fotos/serra.bmp") + "\t" + dir.file("albums/album1.abm") + "\t1\n");
    // At least the size asked: 200 x 100 is in for 100x100, out for 101x101.
    EXPECT_EQ(search("--min-size 100x100").out, byName.out);
    EXPECT_EQ(search("--min-size 101x101").out,
              dir.file("fotos/praia-noite.bmp") + "\t" + dir.file("albums/album2.abm") + "\t0\n");
    EXPECT_EQ(search("--name 'p*a.BMP' --type jpg,tif").out, "");
    EXPECT_EQ(search("--name 'p*a.BMP' --type .bmp").out,
              dir.file("fotos/Praia.bmp") + "\t" + dir.file("albums/album1.abm") + "\t0\n");
    EXPECT_EQ(search("--caption x").out, "");

    auto json = search("--min-size 61x41 --json");
    ASSERT_EQ(json.exitCode, 0);
    EXPECT_EQ(json.out.rfind("{\"count\":2,\"hits\":[{\"path\":\"" + dir.file("fotos/Praia.bmp") + "\",\"album\":\"" +
                                 dir.file("albums/album1.abm") + "\",\"index\":0,\"caption\":\"\",\"width\":200,\"height\":100,",
                             0),
              0u)
        << json.out;

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

}  // namespace
}  // namespace lv
