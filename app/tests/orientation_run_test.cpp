// "Orientação" on screen 23 in the running program: the album page's selection stood upright
// by its EXIF orientation, then the whole album turned right; the files, their orientation
// tags and the album's records follow.

#include "album/album_file.h"
#include "common/testing/run_command.h"
#include "imagelib/metadata/upright_step.h"
#include "program_runner.h"
#include "screen_places.h"

#include <gtest/gtest.h>

namespace lv::testing {
namespace {

TEST(OrientationRun, AlbumPhotosStandUprightThenTurnRightWithTheirRecords)
{
    ProgramSandbox sandbox(1280, 1024);
    const std::string phone = sandbox.file("celular.jpg").string(), plain = sandbox.file("paisagem.jpg").string();
    const std::string maker = "/usr/bin/python3 '" LV_SOURCE_DIR "/imagelib/tests/make_oriented_jpeg.py' ";
    ASSERT_EQ(RunCommand(maker + "6 '" + phone + "'").exitCode, 0);
    ASSERT_EQ(RunCommand(maker + "1 '" + plain + "'").exitCode, 0);
    const std::string album = sandbox.file("Viagem.abm").string();
    ASSERT_EQ(RunCommand(std::string(LV_TOOL) + " album make '" + album + "' '" + phone + "' '" + plain + "'").exitCode, 0);
    ASSERT_TRUE(sandbox.launch({album}, {}, "album shown screen=18"));
    EXPECT_EQ(ReadFileMetadata(phone).orientation, 6);

    sandbox.expectAnswers({{"screen 23", "screen 23 panels"},
                           {ClickOnCaption(23, "Orientação"), "orientation open"},
                           {"orientation auto", "orientation turned 1 upright 0 failed 0"}});  // the page's selection
    EXPECT_EQ(ReadFileMetadata(phone).orientation, 1);
    sandbox.expectAnswers({{"orientation all", ""}, {"orientation right", "orientation turned 2 upright 0 failed 0"}});
    const auto entries = album::ReadAlbumContents(album).entries;
    ASSERT_EQ(entries.size(), 2u);
    for (const album::AlbumEntry& entry : entries) {
        EXPECT_EQ(entry.width(), 16) << entry.path();
        EXPECT_EQ(entry.height(), 32) << entry.path();
        EXPECT_EQ(ReadFileMetadata(entry.path()).orientation, 1);
        EXPECT_EQ(ReadFileMetadata(entry.path()).camera, "Acme Z1");
    }
    EXPECT_EQ(sandbox.log().find("beep"), std::string::npos) << sandbox.log();
    EXPECT_EQ(sandbox.quit(), 0);
}

}  // namespace
}  // namespace lv::testing
