#include "common/testing/temp_dir.h"
#include "edit/layered_format.h"
#include "edit/layers.h"
#include "imagelib/codecs/bmp/bmp.h"
#include "imagelib/tests/pictures.h"
#include "tool_support.h"

#include <gtest/gtest.h>

#include <cstring>

namespace lv {
namespace {

using testing::ShellQuote;
using testing::Tool;

// A 30 × 20 picture, every pixel different.
class TransformTool : public testing::ToolFolder {
protected:
    void SetUp() override
    {
        writePicture("in.bmp", 30, 20, [](int x, int top) {
            const int y = 19 - top;  // counted from the bottom row
            return testing::Rgb{std::uint8_t(x * 8), std::uint8_t(y * 12), std::uint8_t(x * y)};
        });
    }
    testing::CommandResult transform(const std::string& in, const std::string& out, const std::string& rest)
    {
        return Tool("transform " + quoted(in) + " " + quoted(out) + " " + rest);
    }
    bool samePicture(const std::string& a, const std::string& b)
    {
        const auto x = ReadBmp(file(a));
        const auto y = ReadBmp(file(b));
        return x.image() && y.image() && x.image().size() == y.image().size()
               && std::memcmp(x.image().data(), y.image().data(), x.image().size()) == 0;
    }
};

TEST_F(TransformTool, WholePictureRoundTripsGiveThePictureBack)
{
    auto r = transform("in.bmp", "turned.bmp", "turn=right --json");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "{\"width\":20,\"height\":30,\"layers\":[{\"rect\":[0,0,20,30],\"placed\":0}]}\n");
    r = transform("in.bmp", "back.bmp", "turn=right turn=right flip=h flip=v");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(samePicture("in.bmp", "back.bmp")) << "two turns are both flips";
    r = transform("turned.bmp", "back2.bmp", "turn=left");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(samePicture("in.bmp", "back2.bmp"));
    r = transform("in.bmp", "wide.bmp", "canvas=40x20,l size=20x10 --json");
    EXPECT_EQ(r.out, "{\"width\":20,\"height\":10,\"layers\":[{\"rect\":[0,0,20,10],\"placed\":0}]}\n");
}

TEST_F(TransformTool, LayeredDocumentsReopenWithTheLayerWhereItWasPut)
{
    auto r = Tool("vlf make " + quoted("doc.vlf") + " --size 60x40 image=" + quoted("in.bmp"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    r = transform("doc.vlf", "moved.vlf", "--layer 0 resize=10,5,40,25 move=3,4 rotate=90 rotate=-90 --json");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("[13,9,43,29]"), std::string::npos) << r.out;
    // The layered file reopens with the layer where it was put.
    r = transform("moved.vlf", "again.vlf", "--layer 0 move=-3,-4 --json");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("[10,5,40,25]"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"width\":60"), std::string::npos);
}

// A shrink saved to a layered file and grown again in a second run gives what one run does:
// the file carries the layer's source.
TEST_F(TransformTool, ASecondRunOnALayeredFileRendersFromTheSource)
{
    auto r = Tool("vlf make " + quoted("doc.vlf") + " --size 60x40 image=" + quoted("in.bmp"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    r = transform("doc.vlf", "small.vlf", "--layer 0 resize=0,0,10,6 rotate=30");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    r = transform("small.vlf", "grown.bmp", "--layer 0 resize=2,3,52,38 --json");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("\"placed\":1"), std::string::npos) << r.out;
    r = transform("doc.vlf", "once.bmp", "--layer 0 resize=0,0,10,6 rotate=30 resize=2,3,52,38");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(samePicture("grown.bmp", "once.bmp"));
}

TEST_F(TransformTool, BadOperationsAndFilesGiveTheirExitCodes)
{
    for (const char* bad : {"", "rotate=abc", "resize=5,5,1,9", "flip=x", "canvas=10x10,zz", "size=10001x5", "--layer 3 rotate=5"})
        EXPECT_EQ(transform("in.bmp", "o.bmp", bad).exitCode, 2) << bad;
    EXPECT_EQ(transform("missing.bmp", "o.bmp", "rotate=5").exitCode, 3);
    EXPECT_EQ(transform("in.bmp", "nowhere/o.bmp", "rotate=5").exitCode, 4);
}

// A lone spin of a flat picture skips the document; --layer forces the document's way. Both
// must write the same file, on any number of threads.
TEST_F(TransformTool, ALoneSpinWritesWhatTheDocumentsSpinWrites)
{
    for (const std::string angle : {"17", "-133.5", "90"}) {
        ASSERT_EQ(transform("in.bmp", "flat.bmp", "spin=" + angle + " --threads 2").exitCode, 0);
        ASSERT_EQ(transform("in.bmp", "layered.bmp", "spin=" + angle + " --layer 0").exitCode, 0);
        EXPECT_TRUE(samePicture("flat.bmp", "layered.bmp")) << angle;
    }
    EXPECT_NE(transform("in.bmp", "x.bmp", "spin=5 --threads 0").exitCode, 0);
}

}  // namespace
}  // namespace lv
