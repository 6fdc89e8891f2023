// The fuzzers' hand-built hostile seeds through the tool: each small file once asked for
// gigabytes; now each is refused quickly with its cause and the input-failure status.

#include "tool_support.h"

#include <gtest/gtest.h>

namespace lv {
namespace {

using testing::ShellQuote;
using testing::Tool;

std::string Seed(const std::string& name)
{
    return ShellQuote(std::string(LV_SOURCE_DIR) + "/fuzz/corpus/" + name);
}

TEST(HostileSeeds, EachIsRefusedWithItsCause)
{
    const struct {
        std::string arguments;
        std::string says;
    } cases[] = {
        {"album info " + Seed("album/shared_thumbnail.abm"), "1 photos (damaged"},
        {"skin info " + Seed("skin/shared_picture.skin"), "damaged skin file"},
        {"info " + Seed("psd/zip_zeros_20000.psd"), "A imagem é grande demais para ser aberta. --- "},
        {"convert " + Seed("psd/zip_zeros_20000.psd") + " /dev/null/x.vlf", "A imagem é grande demais"},
        {"info " + Seed("fpx/single_colour_24000.fpx"), "A imagem é grande demais para ser aberta. --- "},
    };
    for (const auto& c : cases) {
        const testing::CommandResult result = Tool(c.arguments);
        EXPECT_EQ(result.exitCode, 3) << c.arguments;
        EXPECT_NE((result.out + result.err).find(c.says), std::string::npos) << c.arguments << "\n" << result.err;
        EXPECT_EQ(result.err.find("Formato de arquivo desconhecido"), std::string::npos) << c.arguments;
    }
}

}  // namespace
}  // namespace lv
