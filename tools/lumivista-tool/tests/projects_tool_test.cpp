// The calendar and project commands, round trips through the real program.

#include "common/testing/temp_dir.h"
#include "edit/layered_format.h"
#include "imagelib/codecs/bmp/bmp.h"
#include "imagelib/tests/pictures.h"
#include "projects/tests/project_fixtures.h"
#include "tool_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace lv {
namespace {

using testing::LayerSpec;
using testing::ShellQuote;
using testing::Tool;

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

TEST_F(ProjectsTool, CalendarShapesAsJsonAndText)
{
    auto r = Tool("calendar shape 2000 2 --json");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "{\"weekday\":2,\"days\":29,\"name\":\"Tu29.vlf\",\"shape\":6}\n");
    r = Tool("calendar shape 1999 3");
    EXPECT_EQ(r.out, "Mn31.vlf: first day Mn, 31 days, shape 8\n");
    r = Tool("calendar shape 2000 13 --json");
    EXPECT_EQ(r.out, "{\"weekday\":0,\"days\":0,\"name\":\"\",\"shape\":0}\n");
    testing::ExpectExitCodes({{"calendar shape 2000", 2}, {"calendar shape 2000 0", 2}, {"calendar shape year 2", 2},
                              {"calendar", 2}, {"calendar tomorrow", 2}});
}

TEST_F(ProjectsTool, RefilledCalendarReopensWithThePiecesCentred)
{
    writeCalendar();
    auto r = Tool("calendar refill " + quoted("wall.vlf") + " " + quoted("feb.vlf") + " --year 2000 --month 2");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    auto page = ReadLayeredFile(file("feb.vlf"));
    ASSERT_TRUE(page);
    ASSERT_EQ(page->layerCount, 3);
    EXPECT_EQ(page->layers[0].image.width(), 67);
    EXPECT_EQ(page->layers[0].x, 8);
    EXPECT_EQ(page->layers[1].image.width(), 33);
    EXPECT_EQ(page->layers[1].x, 103);
    EXPECT_EQ(page->layers[1].y, 103);
    EXPECT_EQ(page->layers[2].image.width(), 300);
    EXPECT_EQ(page->layers[1].name, "Month//a//1");

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
    EXPECT_EQ(r.out, "layer 0: 40,55,240,205\n");
    auto card = ReadLayeredFile(file("out.vlf"));
    ASSERT_TRUE(card);
    EXPECT_EQ(card->layers[0].image.width(), 200);
    EXPECT_EQ(card->layers[0].image.height(), 150);

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

}  // namespace
}  // namespace lv
