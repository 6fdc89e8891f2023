// The Photoshop documents from the command line: the records as read, and a conversion to
// the layered format that keeps the layers, through the real tool.

#include "common/testing/temp_dir.h"
#include "edit/layered_format.h"
#include "tool_support.h"

#include <gtest/gtest.h>

namespace lv {
namespace {

using testing::ShellQuote;
using testing::Tool;

const std::string kPsd = std::string(LV_SOURCE_DIR) + "/edit/tests/fixtures/psd/";

TEST(PsdTool, InfoListsTheHeaderAndTheRecordsInFileOrder)
{
    const auto info = Tool("psd info --json " + ShellQuote(kPsd + "py_three.psd"));
    ASSERT_EQ(info.exitCode, 0) << info.err;
    EXPECT_EQ(info.out.rfind("{\"version\":1,\"channels\":3,\"width\":40,\"height\":30,\"depth\":8,\"mode\":3,", 0), 0u)
        << info.out;
    const std::size_t bottom = info.out.find("\"name\":\"Fundo\"");
    const std::size_t hidden = info.out.find("\"name\":\"Oculta à noite, ação\"");
    const std::size_t masked = info.out.find("\"maskRect\":{\"top\":4,\"left\":14,\"bottom\":9,\"right\":22}");
    ASSERT_NE(masked, std::string::npos) << info.out;
    EXPECT_TRUE(bottom < hidden && hidden < masked);
    EXPECT_NE(info.out.find("\"opacity\":128,\"clipping\":0,\"flags\":2,\"hidden\":true"), std::string::npos);

    const auto text = Tool("psd info " + ShellQuote(kPsd + "py_groups.psd"));
    EXPECT_NE(text.out.find("record 4: \"Grupo\" open folder"), std::string::npos) << text.out;

    testing::ExpectExitCodes({{"psd info " + ShellQuote(kPsd + "py_three.0.ppm"), 2},
                              {"psd info " + ShellQuote(kPsd + "missing.psd"), 3}, {"psd list x", 2}});
}

TEST(PsdTool, ConvertingToTheLayeredFormatKeepsTheLayers)
{
    testing::TempDir dir;
    const std::string out = dir.file("camadas.vlf");
    const auto converted = Tool("convert " + ShellQuote(kPsd + "py_three.psd") + " " + ShellQuote(out));
    ASSERT_EQ(converted.exitCode, 0) << converted.err;
    const auto stack = ReadLayeredFile(out);
    ASSERT_TRUE(stack);
    ASSERT_EQ(stack->layerCount, 3);
    EXPECT_EQ(stack->layers[1].name, "Oculta à noite, ação");
    EXPECT_FALSE(stack->layers[1].visible);
    EXPECT_EQ(stack->layers[1].opacity, 50u);
    EXPECT_EQ(stack->layers[0].mask.width(), 20);

    // Other outputs get the composite; a refused mode says why and reads as unreadable.
    const auto flat = Tool("convert " + ShellQuote(kPsd + "py_three.psd") + " " + ShellQuote(dir.file("plano.bmp")));
    EXPECT_EQ(flat.exitCode, 0) << flat.err;
    const auto cmyk = Tool("convert " + ShellQuote(kPsd + "py_cmyk.psd") + " " + ShellQuote(out));
    EXPECT_EQ(cmyk.exitCode, 3);
    EXPECT_NE(cmyk.err.find("modo de cor CMYK"), std::string::npos) << cmyk.err;
}

}  // namespace
}  // namespace lv
