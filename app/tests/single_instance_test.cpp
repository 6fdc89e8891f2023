#include "app/shell/single_instance.h"

#include <gtest/gtest.h>

namespace lv::app {
namespace {

// A second copy started with files hands them over; the first opened none before.
TEST(HandOver, FilesTravelAsAbsolutePathsWhateverCharactersTheyHold)
{
    const std::vector<std::string> arguments = {"-geometry", "-x", "praia 1.jpg", "/fotos/férias/100%.png", "../a\tb.bmp"};
    const QString command = HandOverCommand(arguments, "/home/ana/fotos");
    EXPECT_TRUE(command.startsWith("files ")) << command.toStdString();
    EXPECT_FALSE(command.contains('\n'));
    const auto files = HandedOverFiles(command);
    ASSERT_TRUE(files);
    EXPECT_EQ(*files, (std::vector<std::string>{"/home/ana/fotos/praia 1.jpg", "/fotos/férias/100%.png", "/home/ana/a\tb.bmp"}));

    EXPECT_EQ(HandOverCommand({}, "/tmp"), kForwardCommand);
    EXPECT_EQ(HandOverCommand({"-x", ""}, "/tmp"), kForwardCommand) << "only switches: nothing to hand over";
    EXPECT_FALSE(HandedOverFiles(kForwardCommand));
    EXPECT_FALSE(HandedOverFiles("filesystem /a"));
    EXPECT_EQ(HandedOverFiles("files"), std::vector<std::string>{});
}

}  // namespace
}  // namespace lv::app
