// Text layers from the command line, through the real tool: the layer a document keeps
// editable, smooth and hard edges, the shadow merged into an ordinary layer, and the
// usage, reading and writing failures.

#include "common/testing/temp_dir.h"
#include "edit/layered_format.h"
#include "edit/text_render/log_font.h"
#include "edit/text_render/text_style.h"
#include "tool_support.h"

#include <gtest/gtest.h>

#include <set>

namespace lv {
namespace {

using testing::ShellQuote;
using testing::Tool;

std::set<int> maskValues(const HDIB& mask)
{
    std::set<int> values;
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x)
            values.insert(mask.row(y)[x]);
    return values;
}

TEST(TextTool, ALayeredDocumentKeepsTheTextLayerEditable)
{
    testing::TempDir dir;
    const std::string out = dir.file("texto.vlf");
    const auto run = Tool("text " + ShellQuote(out) + " --size 240x120 --text " + ShellQuote("Olá\nação") +
                          " --px 30 --bold --color 255,0,0 --at 10,20");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    auto doc = ReadLayeredFile(out);
    ASSERT_TRUE(doc);
    ASSERT_EQ(doc->layerCount, 2);
    EXPECT_EQ(doc->width, 240);
    const LayerRecord& layer = doc->layers[0];
    ASSERT_EQ(layer.kind, LAYER_TEXT);
    ASSERT_TRUE(layer.textObject);
    EXPECT_EQ(layer.textObject->text, "Olá\nação");
    EXPECT_EQ(layer.textObject->words[TextObject::kColourWord], 0x0000FFu);
    const LogFont font = LogFontOfObject(*layer.textObject);
    EXPECT_EQ(font.height, -30);
    EXPECT_EQ(font.weight, 700);
    EXPECT_EQ(font.faceName, "Arial");
    EXPECT_FALSE(TextStyleOfObject(*layer.textObject).smoothEdges);
    EXPECT_TRUE(layer.maskLocked);
    EXPECT_EQ(layer.x, 10);
    EXPECT_EQ(layer.y, 120 - layer.image.height() - 20);
    EXPECT_EQ(maskValues(layer.mask.read()), (std::set<int>{0, 255}));
    EXPECT_EQ(doc->layers[1].kind, LAYER_IMAGE);
}

TEST(TextTool, SmoothEdgesShadowsAndBackgrounds)
{
    testing::TempDir dir;
    const std::string smooth = dir.file("liso.vlf");
    ASSERT_EQ(Tool("text " + ShellQuote(smooth) + " --size 200x80 --text Sombra --smooth --shadow 3,100,4,4").exitCode, 0);
    auto doc = ReadLayeredFile(smooth);
    ASSERT_TRUE(doc);
    ASSERT_EQ(doc->layerCount, 2);
    EXPECT_EQ(doc->layers[0].kind, LAYER_IMAGE);
    EXPECT_FALSE(doc->layers[0].textObject);
    EXPECT_GT(maskValues(doc->layers[0].mask.read()).size(), 2u);

    // A background of another size is scaled to the document; the composite goes to PNG.
    const std::string background = std::string(LV_SOURCE_DIR) + "/imagelib/tests/fixtures/png/" + "gamma_100.png";
    const std::string png = dir.file("composto.png");
    const auto run = Tool("text " + ShellQuote(png) + " --size 64x48 --background " + ShellQuote(background) +
                          " --text A --px 40 --color 0,0,255 --at 2,2");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto info = Tool("info --json " + ShellQuote(png));
    EXPECT_NE(info.out.find("\"width\":64"), std::string::npos) << info.out;
}

TEST(TextTool, FailuresGiveTheirExitCodes)
{
    testing::TempDir dir;
    const std::string out = ShellQuote(dir.file("x.vlf"));
    const std::vector<std::string> bad = {" --size 10x10", " --text a", " --size 10x0 --text a",
                                          " --size 10x10 --text a --color 1,2", " --size 10x10 --text a --color 1,2,256",
                                          " --size 10x10 --text a --at 1", " --size 10x10 --text a --shadow 101,50,0,0",
                                          " --size 10x10 --text a --px 0", " --size 10x10 --text ' '",
                                          " --size 10x10 --text " + std::string(1024, 'a')};
    for (const std::string& arguments : bad)
        EXPECT_EQ(Tool("text " + out + arguments).exitCode, 2) << arguments;
    EXPECT_EQ(Tool("text " + out + " --size 10x10 --text a --background " + ShellQuote(dir.file("none.png"))).exitCode, 3);
    EXPECT_EQ(Tool("text " + ShellQuote(dir.file("no/dir/x.vlf")) + " --size 10x10 --text a").exitCode, 4);
}

}  // namespace
}  // namespace lv
