// Scanning in the running program on a virtual X server, from the scanner interface's test
// backend through the program's source manager and its dialog: into a new image window on the
// acquisition page, and on the album page into the photos folder from the source chosen.

#include "acquire/tests/sane_test_backend.h"
#include "program_runner.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace lv::testing {
namespace {

using AcquireRun = OnVirtualX;

TEST_F(AcquireRun, ScansOpenAWindowOnTheAcquisitionPageAndJoinTheAlbumOnTheAlbumPage)
{
    UseSaneTestBackend({});
    std::filesystem::create_symlink(std::filesystem::path(LV_PROGRAM_DIR) / "liblvtwain.so",
                                    sandbox.home() / "liblvtwain.so");
    std::filesystem::create_directories(sandbox.home() / "photos");
    ASSERT_TRUE(sandbox.launch({}, {"LUMIVISTA_TEST_SOURCE_DIALOG=scan", "LUMIVISTA_TEST_SOURCE_SELECT=1"}));
    sandbox.expectAnswers({{"page 1", "page 1"}});
    sandbox.ask("acquire", "acquired ");
    EXPECT_NE(sandbox.lastLine("acquired ").find("acquired 157 196 8"), std::string::npos) << sandbox.log();
    const std::string windows = sandbox.ask("state");
    EXPECT_NE(windows.find("TrueColor-Sem título-01"), std::string::npos) << windows;
    ASSERT_EQ(sandbox.ask("dump " + sandbox.file("scan.bmp").string(), "dumped "), "dumped ok");
    EXPECT_EQ(std::filesystem::file_size(sandbox.file("scan.bmp")), 54u + 472u * 196u) << "157 x 196, 24 bits";
    // The scanned document is new: saved, it closes without a question.
    EXPECT_EQ(sandbox.ask("saveas 8 " + sandbox.file("scan.vlf").string(), "saved "), "saved ok");

    // Command 126 on the album page: the manager's selection (the second device), its dialog.
    sandbox.expectAnswers({{"page 18", "page 18"}, {"scan", "photo "}});
    const std::string photo = sandbox.lastLine("photo ").substr(6);
    EXPECT_TRUE(std::filesystem::exists(photo)) << photo;
    EXPECT_EQ(std::filesystem::path(photo).parent_path(), sandbox.home() / "photos");
    EXPECT_EQ(std::filesystem::path(photo).filename().string().substr(6), "01.JPG");
    EXPECT_NE(ReadTextFile(sandbox.configFile()).find("CAMERA_NUM=2"), std::string::npos);

    EXPECT_EQ(sandbox.quit(), 0);
}

TEST_F(AcquireRun, ADllConfInTheFolderTheProgramStartsFromChoosesNoScanner)
{
    // The test backend's folder, as an attacker would leave it where the program is started;
    // the test above shows the same folder serving when it is chosen.
    const std::filesystem::path planted = UseSaneTestBackend({});
    std::filesystem::create_symlink(std::filesystem::path(LV_PROGRAM_DIR) / "liblvtwain.so",
                                    sandbox.home() / "liblvtwain.so");
    std::ifstream system("/etc/sane.d/dll.conf");
    for (std::string line; std::getline(system, line);)
        if (line == "test")
            GTEST_SKIP() << "the system's dll.conf enables the test backend itself";
    const std::string chosen = std::getenv("SANE_CONFIG_DIR");
    ::unsetenv("SANE_CONFIG_DIR");
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(planted);
    const bool launched = sandbox.launch({}, {"LUMIVISTA_TEST_SOURCE_SELECT=1"});
    std::filesystem::current_path(before);
    ::setenv("SANE_CONFIG_DIR", chosen.c_str(), 1);
    ASSERT_TRUE(launched) << sandbox.log();
    sandbox.expectAnswers({{"page 1", "page 1"}});
    ASSERT_EQ(sandbox.send("acquire"), 0);
    EXPECT_TRUE(sandbox.waitForLog("beep no source chosen\n")) << sandbox.log();
    EXPECT_EQ(sandbox.log().find("acquired "), std::string::npos) << sandbox.log();
    EXPECT_EQ(sandbox.quit(), 0);
}

}  // namespace
}  // namespace lv::testing
