#include "common/testing/temp_dir.h"
#include "edit/layered_format.h"
#include "imagelib/codecs/bmp/bmp.h"
#include "imagelib/tests/pictures.h"
#include "tool_support.h"

#include <gtest/gtest.h>

namespace lv {
namespace {

using testing::Rgb;
using testing::ShellQuote;
using testing::Tool;

// A 40 × 30 picture: blue, with a white 10 × 10 square at the top left.
class PaintTool : public testing::ToolFolder {
protected:
    void SetUp() override
    {
        writePicture("in.bmp", 40, 30, [](int x, int y) { return x < 10 && y < 10 ? Rgb{255, 255, 255} : Rgb{0, 0, 200}; });
    }
    testing::CommandResult paint(const std::string& in, const std::string& out, const std::string& rest)
    {
        return Tool("paint " + quoted(in) + " " + quoted(out) + " " + rest);
    }
    // Pixel (x, y) from the top of a written bitmap.
    Rgb pixel(const std::string& name, int x, int y)
    {
        const HDIB picture = ReadBmp(file(name)).take();
        if (!picture)
            return {1, 2, 3};
        return testing::Pixel24(picture, x, picture.height() - 1 - y);
    }
};

TEST_F(PaintTool, ABrushStrokeReportsItsDabsAndPaintsOnlyAlongItsPath)
{
    auto r = paint("in.bmp", "out.bmp", "--tool brush --color 255,0,0 --size 4 --speed 32 --stroke '12,20;30,20' --rest 6 --json");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "{\"tool\":\"brush\",\"changed\":[8,16,34,24],\"dabs\":25,\"beeps\":0,\"active\":[255,0,0]}\n")
        << "the press, 18 dabs of travel and 6 resting dabs";
    EXPECT_GE(pixel("out.bmp", 30, 20).r, 250) << "resting brought the colour nearly all the way";
    EXPECT_LE(pixel("out.bmp", 30, 20).b, 5);
    EXPECT_GT(pixel("out.bmp", 20, 20).r, 150);
    EXPECT_EQ(pixel("out.bmp", 20, 27), (Rgb{0, 0, 200}));

    r = paint("in.bmp", "pen.bmp", "--tool pen --color 255,0,0 --size 3 --transparency 50 --stroke '20,5;22,5;20,5'");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "pen changed 19,4,24,7 dabs 5\n");
    EXPECT_EQ(pixel("pen.bmp", 20, 5), (Rgb{127, 0, 100})) << "the pen does not build up";
}

TEST_F(PaintTool, FillsAndGradientsThroughTheSameTools)
{
    auto r = paint("in.bmp", "bucket.bmp", "--tool bucket --color 255,255,0 --transparency 50 --click 30,20 --json");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "{\"tool\":\"bucket\",\"changed\":[0,0,40,30],\"dabs\":0,\"beeps\":0,\"active\":[255,255,0]}\n");
    EXPECT_EQ(pixel("bucket.bmp", 30, 20), (Rgb{128, 128, 100}));
    EXPECT_EQ(pixel("bucket.bmp", 5, 5), (Rgb{255, 255, 255}));

    r = paint("in.bmp", "gradient.bmp", "--tool gradient --color 10,20,30 --secondary 200,100,0 --drag '0,0;39,0' --select 0,10,40,30");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(pixel("gradient.bmp", 0, 20), (Rgb{10, 20, 30}));
    EXPECT_EQ(pixel("gradient.bmp", 39, 29), (Rgb{200, 100, 0}));
    EXPECT_EQ(pixel("gradient.bmp", 39, 9), (Rgb{0, 0, 200})) << "outside the selection";

    r = paint("in.bmp", "picked.bmp", "--tool picker --click 3,3 --json");
    EXPECT_EQ(r.out, "{\"tool\":\"picker\",\"changed\":null,\"dabs\":0,\"beeps\":0,\"active\":[255,255,255]}\n");
}

TEST_F(PaintTool, LayeredDocumentsKeepTheirLayersAndExtractShowsOneLayer)
{
    auto r = Tool("vlf make " + quoted("doc.vlf") + " --size 40x30 " + ShellQuote("image=" + file("in.bmp")) + " " +
                  ShellQuote("image=" + file("in.bmp")));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    r = paint("doc.vlf", "erased.vlf", "--tool eraser --layer 0 --size 6 --intensity 50 --stroke '20,15;21,15;20,15' --json");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    r = Tool("vlf extract " + quoted("erased.vlf") + " 0 " + quoted("image.bmp") + " " + quoted("mask.bmp"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const HDIB mask = ReadBmp(file("mask.bmp")).take();
    ASSERT_TRUE(mask);
    EXPECT_EQ(mask.row(29 - 15)[20], (255 * 32) >> 6) << "half intensity, from the stroke's start";
    EXPECT_EQ(mask.row(29 - 25)[20], 255);
    r = Tool("vlf extract " + quoted("erased.vlf") + " 1 " + quoted("other.bmp") + " " + quoted("other_mask.bmp"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(pixel("image.bmp", 20, 15), pixel("other.bmp", 20, 15)) << "the eraser leaves the picture";
    EXPECT_EQ(ReadBmp(file("other_mask.bmp")).take().row(29 - 15)[20], 255) << "the other layer is untouched";
    EXPECT_EQ(Tool("vlf extract " + quoted("erased.vlf") + " 5 " + quoted("x.bmp")).exitCode, 2);

    r = paint("erased.vlf", "cloned.bmp", "--tool clone --layer 1 --size 3 --speed 32 --source 2,2 --stroke '30,20;32,20'");
    ASSERT_EQ(r.exitCode, 0) << r.err;
}

TEST_F(PaintTool, RefusalsAndBadArguments)
{
    for (const char* bad : {"--tool crayon --click 1,1", "--tool brush" /* no gesture */,
                            "--tool brush --click 1,1 --drag '1,1;2,2'", "--tool brush --drag '1,1'",
                            "--tool brush --click 1,1 --color 256,0,0", "--tool brush --click 1,1 --size 0"})
        EXPECT_EQ(paint("in.bmp", "x.bmp", bad).exitCode, 2) << bad;
    EXPECT_EQ(paint("missing.bmp", "x.bmp", "--tool brush --click 1,1").exitCode, 3);
    EXPECT_EQ(paint("in.bmp", "no/such/dir/x.bmp", "--tool brush --click 1,1").exitCode, 4);
    const auto clone = paint("in.bmp", "x.bmp", "--tool clone --click 5,5");
    EXPECT_EQ(clone.exitCode, 2);
    EXPECT_NE(clone.err.find("Clique com o botão direito"), std::string::npos) << clone.err;
    EXPECT_NE(paint("in.bmp", "x.bmp", "--tool stamp --click 5,5 --json").out.find("\"beeps\":1"), std::string::npos)
        << "no stamp picture: a beep";
}

}  // namespace
}  // namespace lv
