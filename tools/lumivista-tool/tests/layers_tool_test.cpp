#include "common/testing/temp_dir.h"
#include "edit/layered_format.h"
#include "imagelib/codecs/bmp/bmp.h"
#include "imagelib/tests/pictures.h"
#include "tools/lumivista-tool/layers_command.h"
#include "tool_support.h"

#include <gtest/gtest.h>

namespace lv {
namespace {

using testing::ShellQuote;
using testing::Tool;

// A 40 × 30 red background and a 10 × 6 green picture to add as a layer.
class LayersTool : public testing::ToolFolder {
protected:
    void SetUp() override
    {
        writePicture("red.bmp", 40, 30, [](int, int) { return testing::Rgb{200, 10, 10}; });
        writePicture("green.bmp", 10, 6, [](int, int) { return testing::Rgb{10, 200, 10}; });
    }
    testing::CommandResult layers(const std::string& in, const std::string& ops)
    {
        return Tool("layers " + quoted(in) + " " + quoted("out.vlf") + " " + ops);
    }
};

TEST_F(LayersTool, OperationsAndTheirUndoRunInOrderThroughOneTable)
{
    auto r = layers("red.bmp", "add=" + ShellQuote(file("green.bmp")) + " opacity=30 undo --json");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out,
              "{\"width\":40,\"height\":30,\"current\":0,\"layers\":["
              "{\"name\":\"green\",\"width\":10,\"height\":6,\"x\":15,\"y\":12,\"opacity\":100,\"visible\":true,\"linked\":false,\"kind\":0},"
              "{\"name\":\"Fundo\",\"width\":40,\"height\":30,\"x\":0,\"y\":0,\"opacity\":100,\"visible\":true,\"linked\":false,\"kind\":0}]}\n")
        << "undo after opacity=30 gives the opacity back; the added layer is centred and named after its file";

    // new: layer2 over Fundo; duplicate and rename the copy; move it down and merge it
    // into Fundo, which keeps its name; then Ctrl-click the top layer to link it.
    r = layers("red.bmp", "new duplicate rename=0,Cópia down merge-down undo redo link=0");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, " 0 layer2 40x30 at 0,0 opacity 100 linked\n*1 Fundo 40x30 at 0,0 opacity 100 linked\n");
    r = layers("red.bmp", "new duplicate rename=0,Cópia down merge-down undo");
    EXPECT_EQ(r.out, " 0 layer2 40x30 at 0,0 opacity 100\n*1 Cópia 40x30 at 0,0 opacity 100\n"
                     " 2 Fundo 40x30 at 0,0 opacity 100\n");
    auto written = ReadLayeredFile(file("out.vlf"));
    ASSERT_TRUE(written);
    EXPECT_EQ(written->layerCount, 3);
    EXPECT_EQ(written->layers[1].name, "Cópia");

    r = layers("out.vlf", "flatten");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "*0 Fundo 40x30 at 0,0 opacity 100\n");
}

TEST_F(LayersTool, RefusedOperationsAndBadWordsFailWithTheirCodes)
{
    auto r = layers("red.bmp", "merge-down");
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("merge-down cannot be done"), std::string::npos) << r.err;
    // Nothing to undo; the last layer stays.
    for (const std::string& ops :
         std::vector<std::string>{"undo", "delete", "hide=3", "opacity=101", "sideways", "add=" + quoted("missing.bmp")})
        EXPECT_EQ(layers("red.bmp", ops).exitCode, 2) << ops;
    EXPECT_EQ(layers("missing.bmp", "new").exitCode, 3);
    EXPECT_EQ(Tool("layers " + quoted("red.bmp") + " /nonexistent/dir/out.vlf new").exitCode, 4);
}

TEST(LayerOperationWords, ParseWithTheirNumbersAndTexts)
{
    std::string error;
    auto op = tool::ParseLayerOperation("rename=3,a,b=c", error);
    ASSERT_TRUE(op);
    EXPECT_EQ(op->kind, tool::LayerOpKind::Rename);
    EXPECT_EQ(op->number, 3);
    EXPECT_EQ(op->text, "a,b=c");
    op = tool::ParseLayerOperation("opacity=0", error);
    ASSERT_TRUE(op);
    EXPECT_EQ(op->number, 0);
    for (const char* bad : {"rename=3", "rename=x,y", "current=", "current=32", "opacity=-1", "add=", "new=1", "hide"})
        EXPECT_FALSE(tool::ParseLayerOperation(bad, error)) << bad;
}

}  // namespace
}  // namespace lv
