// The album page's photo properties in the running program show when the photo was taken, from
// its EXIF date, not the file's time.

#include "common/testing/run_command.h"
#include "program_runner.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace lv::testing {
namespace {

TEST(AlbumTakenRun, ThePropertiesOfATaggedPhotoShowItsDateTaken)
{
    ProgramSandbox sandbox(1280, 1024);
    const std::string photo = sandbox.file("praia.jpg").string();
    ASSERT_EQ(std::system(("/usr/bin/python3 '" LV_SOURCE_DIR "/imagelib/tests/make_oriented_jpeg.py' 1 '" + photo + "'").c_str()), 0);
    ASSERT_EQ(std::system(("exiv2 -q -M'set Exif.Photo.DateTimeOriginal 2021:06:05 14:03:09' '" + photo + "'").c_str()), 0);
    const std::string untagged = sandbox.file("sem_data.jpg").string();
    ASSERT_EQ(std::system(("/usr/bin/python3 '" LV_SOURCE_DIR "/imagelib/tests/make_oriented_jpeg.py' 1 '" + untagged + "'").c_str()), 0);
    const std::string album = sandbox.file("Viagem.ABM").string();
    ASSERT_EQ(RunCommand(std::string(LV_PROGRAM_DIR) + "/lumivista-tool album make '" + album + "' '" + untagged + "'").exitCode, 0);
    ASSERT_TRUE(sandbox.launch({album}, {}, "album shown screen=18"));

    sandbox.expectAnswers({{"albumadd " + photo, "album added "}});
    EXPECT_EQ(sandbox.ask("albumcommand 40005", "photo taken="), "photo taken=[14:03:09    06/05/2021]");
    EXPECT_EQ(sandbox.quit(), 0);
}

}  // namespace
}  // namespace lv::testing
