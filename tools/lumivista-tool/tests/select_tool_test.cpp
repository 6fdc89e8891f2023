#include "common/testing/temp_dir.h"
#include "edit/layered_format.h"
#include "edit/layers.h"
#include "imagelib/codecs/bmp/bmp.h"
#include "imagelib/tests/pictures.h"
#include "tool_support.h"

#include <gtest/gtest.h>

namespace lv {
namespace {

using testing::ShellQuote;
using testing::Tool;

// A 30 × 20 picture: blue, with a red 10 × 5 block at (4, 3) and a red pixel touching it
// only at a corner, at (14, 8).
class SelectTool : public testing::ToolFolder {
protected:
    void SetUp() override
    {
        writePicture("in.bmp", 30, 20, [](int x, int y) {
            const bool red = (x >= 4 && x < 14 && y >= 3 && y < 8) || (x == 14 && y == 8);
            return red ? testing::Rgb{220, 10, 10} : testing::Rgb{10, 10, 220};
        });
    }
    testing::CommandResult select(const std::string& rest) { return Tool("select " + quoted("in.bmp") + " " + rest); }
};

TEST_F(SelectTool, TheWandAndShapesCombineInOrderAndReportAsJson)
{
    auto r = select("wand=5,4,tol=0/0/0 --json");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "{\"active\":1,\"rect\":[4,3,14,8],\"selected\":50}\n") << "the corner pixel is not 4-connected";

    r = select("wand=5,4,tol=0/0/0,global --json");
    EXPECT_EQ(r.out, "{\"active\":2,\"rect\":[4,3,15,9],\"selected\":51}\n");

    r = select("rect=0,0,2,2 rect=28,18,30,20,mode=add --json");
    EXPECT_EQ(r.out, "{\"active\":2,\"rect\":[0,0,30,20],\"selected\":8}\n") << "a rectangle spanning both";
    r = select("rect=0,0,2,2 rect=28,18,30,20,mode=and --json");
    EXPECT_EQ(r.out, "{\"active\":0,\"rect\":null,\"selected\":0}\n") << "disjoint: nothing in common";
    r = select("rect=0,0,10,10 rect=5,0,10,10,mode=sub rect=0,0,2,10,mode=xor --json");
    EXPECT_EQ(r.out, "{\"active\":1,\"rect\":[2,0,5,10],\"selected\":30}\n");
    r = select("ellipse=0,0,7,5 --json");
    EXPECT_EQ(r.out, "{\"active\":2,\"rect\":[0,0,7,5],\"selected\":27}\n");
    r = select("poly=0/0/9/0/0/9 rect=0,0,30,20,mode=notold --json");
    EXPECT_EQ(r.out, "{\"active\":2,\"rect\":[0,0,30,20],\"selected\":545}\n") << "600 less the triangle's 55";
    r = select("wand=29,19,tol=255/255/255");
    EXPECT_EQ(r.out, "active 1 rect 0,0,30,20 selected 600\n");
}

TEST_F(SelectTool, WritesTheMaskAndCropsOrDeletesTheSelection)
{
    auto r = select("wand=5,4,tol=0/0/0 --mask " + quoted("mask.bmp") + " --apply crop --out " + quoted("crop.bmp"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const HDIB mask = ReadBmp(file("mask.bmp")).take();
    ASSERT_TRUE(mask);
    EXPECT_EQ(mask.width(), 30);
    EXPECT_EQ(mask.row(19 - 3)[4], 255) << "white where selected";
    EXPECT_EQ(mask.row(19 - 8)[14], 0) << "black elsewhere";
    const HDIB cropped = ReadBmp(file("crop.bmp")).take();
    ASSERT_TRUE(cropped);
    EXPECT_EQ(cropped.width(), 10);
    EXPECT_EQ(cropped.height(), 5);
    EXPECT_EQ(testing::Pixel24(cropped, 0, 0), (testing::Rgb{220, 10, 10}));

    r = select("rect=0,0,5,5 --apply delete --out " + quoted("doc.vlf"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    auto doc = ReadLayeredFile(file("doc.vlf"));
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->layers[0].mask.read().row(19 - 2)[2], 0) << "deleted to transparency";
    EXPECT_EQ(doc->layers[0].mask.read().row(19 - 2)[6], 255);

    r = Tool("select " + quoted("doc.vlf") + " --layer 0 wand=1,1,tol=0/0/0 --json");
    EXPECT_EQ(r.out, "{\"active\":1,\"rect\":[0,0,5,5],\"selected\":25}\n") << "the wand on the transparent part";
}

TEST_F(SelectTool, RefusesBadOperationsAndFiles)
{
    for (const char* bad : {"", "wand=1", "wand=a,b", "rect=5,5,1,1", "rect=1,2,3", "poly=1/1/2/2", "poly=1/1/2/2/3",
                            "blob=1,2", "wand=1,1,tol=1/2", "wand=1,1,tol=1/2/300", "rect=0,0,1,1,mode=or",
                            "rect=0,0,1,1,global", "rect=0,0,1,1 --apply shrink", "rect=0,0,1,1 --layer 3"})
        EXPECT_EQ(select(bad).exitCode, 2) << bad;
    EXPECT_EQ(Tool("select " + quoted("missing.bmp") + " rect=0,0,1,1").exitCode, 3);
    EXPECT_EQ(select("rect=40,40,50,50 --apply crop").exitCode, 2) << "nothing selected to crop to";
    EXPECT_EQ(select("rect=0,0,1,1 --out " + quoted("no/such/dir/x.bmp")).exitCode, 4);
}

}  // namespace
}  // namespace lv
