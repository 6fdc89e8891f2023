#include "common/testing/temp_dir.h"
#include "edit/layered_format.h"
#include "imagelib/codecs/bmp/bmp.h"
#include "imagelib/codecs/jpeg/jpeg.h"
#include "imagelib/tests/pictures.h"
#include "tool_support.h"

#include <gtest/gtest.h>

namespace lv {
namespace {

using testing::ShellQuote;
using testing::Tool;

class VlfTool : public testing::ToolFolder {
protected:
    void SetUp() override
    {
        HDIB photo = testing::MakePhotoLike(20, 10);
        ASSERT_EQ(WriteBmp(file("photo.bmp"), photo), WriteResult::Written);
        HDIB small = testing::MakePhotoLike(6, 4);
        ASSERT_EQ(WriteBmp(file("small.bmp"), small), WriteResult::Written);
        HDIB mask = testing::MakeGreyPicture(6, 4);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 6; ++x)
                mask.row(y)[x] = std::uint8_t(x * 50);
        ASSERT_EQ(WriteBmp(file("mask.bmp"), mask), WriteResult::Written);
    }
    // Two linked layers over a background.
    void makeDocument(const std::string& out)
    {
        const auto made = Tool("vlf make " + quoted(out) + " --size 20x10 " +
                               ShellQuote("image=" + file("small.bmp") + ",mask=" + file("mask.bmp") +
                                          ",x=3,y=2,opacity=50,name=de cima,linked,locked") +
                               " " + ShellQuote("image=" + file("small.bmp") + ",x=10,opacity=50,linked") + " " +
                               ShellQuote("image=" + file("photo.bmp") + ",name=Fundo"));
        ASSERT_EQ(made.exitCode, 0) << made.err;
    }
};

TEST_F(VlfTool, MakeThenDescribe)
{
    makeDocument("doc.vlf");
    const auto info = Tool("vlf info --json " + quoted("doc.vlf"));
    ASSERT_EQ(info.exitCode, 0) << info.err;
    EXPECT_EQ(info.out.rfind("{\"width\":20,\"height\":10,\"depth\":24,", 0), 0u) << info.out;
    EXPECT_NE(info.out.find("\"count\":3,\"current\":0,\"previewOffset\":"), std::string::npos);
    EXPECT_NE(info.out.find("{\"kind\":0,\"linked\":true,\"visible\":true,\"maskLocked\":true,\"x\":3,\"y\":2,"
                            "\"opacity\":50,\"name\":\"de cima\",\"nameOffset\":192,"),
              std::string::npos)
        << info.out;
    EXPECT_NE(info.out.find("\"imageEncoding\":2,\"maskOffset\":"), std::string::npos);
    EXPECT_NE(info.out.find("\"maskEncoding\":1,\"textOffset\":0,\"text\":null,\"placementOffset\":0}"), std::string::npos);
    EXPECT_NE(info.out.find("\"x\":10,\"y\":6,"), std::string::npos);  // placed against the top edge

    auto stack = ReadLayeredFile(file("doc.vlf"));
    ASSERT_TRUE(stack);
    EXPECT_EQ(stack->layers[0].mask.row(0)[5], 250);
    EXPECT_EQ(stack->layers[2].name, "Fundo");

    const auto text = Tool("vlf info " + quoted("doc.vlf"));
    EXPECT_NE(text.out.find("layer 0: kind 0 flags 7 x 3 y 2 opacity 50 name \"de cima\""), std::string::npos) << text.out;
}

TEST_F(VlfTool, FlattenPreviewAndMerge)
{
    makeDocument("doc.vlf");
    ASSERT_EQ(Tool("vlf flatten " + quoted("doc.vlf") + " " + quoted("flat.bmp")).exitCode, 0);
    ASSERT_EQ(Tool("vlf preview " + quoted("doc.vlf") + " " + quoted("preview.bmp")).exitCode, 0);
    const ReadResult flat = ReadBmp(file("flat.bmp"));
    const ReadResult preview = ReadBmp(file("preview.bmp"));
    ASSERT_TRUE(flat.ok() && preview.ok());
    EXPECT_EQ(flat.image().width(), 20);
    EXPECT_EQ(preview.image().height(), 10);

    // The document open reads layered files as their composite.
    const auto info = Tool("info " + quoted("doc.vlf"));
    EXPECT_NE(info.out.find("format: VLF\nwidth: 20\nheight: 10\nbitCount: 24\n"), std::string::npos) << info.out;

    const auto merged = Tool("vlf merge " + quoted("doc.vlf") + " " + quoted("merged.vlf"));
    ASSERT_EQ(merged.exitCode, 0) << merged.err;
    auto stack = ReadLayeredFile(file("merged.vlf"));
    ASSERT_TRUE(stack);
    ASSERT_EQ(stack->layerCount, 2);
    EXPECT_EQ(stack->layers[0].name, "de cima");
    EXPECT_EQ(stack->layers[0].opacity, 75u);
    EXPECT_EQ(stack->layers[0].image.width(), 13);
    EXPECT_EQ(Tool("vlf merge " + quoted("merged.vlf") + " " + quoted("again.vlf")).exitCode, 0);
}

TEST_F(VlfTool, ConvertGivesOneLayerAndErrorsSayWhatWentWrong)
{
    const std::string make = "vlf make " + quoted("x.vlf"), photo = ShellQuote("image=" + file("photo.bmp"));
    testing::ExpectExitCodes({{"vlf", 2}, {"vlf frob", 2},
                              {make + " --size 4x4 " + ShellQuote("image=" + file("photo.bmp") + ",bogus"), 2},
                              {make + " --size 0x4 " + photo, 2},
                              {make + " --size 4x4 " + ShellQuote("image=" + file("photo.bmp") + ",mask=" + file("mask.bmp")), 2},
                              {make + " --size 4x4 " + ShellQuote("image=" + file("absent.bmp")), 3},
                              {"vlf make " + quoted("no/dir/x.vlf") + " --size 4x4 " + photo, 4},
                              {"vlf info " + quoted("photo.bmp"), 3}, {"vlf info " + quoted("absent.vlf"), 3},
                              {"vlf flatten " + quoted("photo.bmp") + " " + quoted("out.bmp"), 3}});
    // A converted picture is a one-layer document, with nothing linked to merge.
    ASSERT_EQ(Tool("convert " + quoted("photo.bmp") + " " + quoted("one.vlf")).exitCode, 0);
    auto one = ReadLayeredFile(file("one.vlf"));
    ASSERT_TRUE(one);
    EXPECT_EQ(one->layerCount, 1);
    EXPECT_EQ(one->layers[0].name, "Fundo");
    EXPECT_EQ(one->layers[0].image.width(), 20);
    EXPECT_EQ(Tool("vlf merge " + quoted("one.vlf") + " " + quoted("m.vlf")).exitCode, 2);
}

}  // namespace
}  // namespace lv
