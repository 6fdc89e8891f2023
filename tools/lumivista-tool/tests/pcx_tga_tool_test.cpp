#include "common/byte_source.h"
#include "common/testing/run_command.h"
#include "common/testing/temp_dir.h"
#include "imagelib/pcx.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace lv {
namespace {

using testing::RunCommand;
using testing::ShellQuote;

const std::string kBitmaps = std::string(LV_SOURCE_DIR) + "/imagelib/tests/fixtures/bmp/";

testing::CommandResult Tool(const std::string& arguments)
{
    return RunCommand(std::string(LV_TOOL) + " " + arguments);
}

TEST(ToolPcxTarga, ConvertAndSaveAsWriteBothFormats)
{
    testing::TempDir dir;
    const std::string tga = dir.file("picture.tga"), pcx = dir.file("out.pcx");
    ASSERT_EQ(Tool("convert " + ShellQuote(kBitmaps + "nb_4.bmp") + " " + ShellQuote(tga)).exitCode, 0);
    EXPECT_EQ(ReadWholeFile(tga)->at(2), 1);
    ASSERT_EQ(Tool("convert " + ShellQuote(tga) + " " + ShellQuote(pcx)).exitCode, 0);
    EXPECT_EQ(ReadPcx(pcx).image().bitCount(), 4);  // Targa input keeps its depth
    // Paintbrush input goes through the general loader's reader, which gives 24 bits.
    const auto info = Tool("info " + ShellQuote(pcx));
    EXPECT_NE(info.out.find("format: PCX\n"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("bitCount: 24\n"), std::string::npos) << info.out;

    const auto saved = Tool("convert --save-as --compress " + ShellQuote(pcx) + " " + ShellQuote(tga));
    EXPECT_EQ(saved.exitCode, 0) << saved.err;
    EXPECT_EQ(ReadWholeFile(tga)->at(2), 10);  // replaced, run-length, and the backup removed
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), std::filesystem::directory_iterator()), 2);
}

}  // namespace
}  // namespace lv
