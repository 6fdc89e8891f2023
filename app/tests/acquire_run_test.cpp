// Scanning in the running program on a virtual X server, from the scanner interface's test
// backend through the program's source manager and its dialog: into a new image window on the
// acquisition page and into the photos folder on the album page.

#include "acquire/tests/sane_test_backend.h"
#include "program_runner.h"

#include <gtest/gtest.h>

namespace lv::testing {
namespace {

TEST(AcquireRun, ScansOpenAWindowOnTheAcquisitionPageAndStorePhotosOnTheAlbumPage)
{
    UseSaneTestBackend({});
    ProgramSandbox sandbox(1280, 1024, Platform::X);
    if (!sandbox.displayReady())
        GTEST_SKIP() << "no virtual X server (xvfb)";
    std::filesystem::create_symlink(std::filesystem::path(LV_PROGRAM_DIR) / "liblvtwain.so",
                                    sandbox.home() / "liblvtwain.so");
    std::filesystem::create_directories(sandbox.home() / "photos");
    const pid_t pid = sandbox.start({}, {"LUMIVISTA_TEST_SOURCE_DIALOG=scan", "LUMIVISTA_TEST_SOURCE_SELECT=1"});
    ASSERT_GT(pid, 0);
    ASSERT_TRUE(sandbox.waitForLog("ready"));

    sandbox.send("page 1");
    ASSERT_TRUE(sandbox.waitForLog("page 1"));
    sandbox.ask("acquire", "acquired ");
    EXPECT_NE(sandbox.lastLine("acquired ").find("acquired 157 196 8"), std::string::npos) << sandbox.log();
    const std::string windows = sandbox.ask("state");
    EXPECT_NE(windows.find("TrueColor-Sem título-01"), std::string::npos) << windows;
    ASSERT_EQ(sandbox.ask("dump " + sandbox.file("scan.bmp").string(), "dumped "), "dumped ok");
    EXPECT_EQ(std::filesystem::file_size(sandbox.file("scan.bmp")), 54u + 472u * 196u) << "157 x 196, 24 bits";
    // The scanned document is new: saved, it closes without a question.
    EXPECT_EQ(sandbox.ask("saveas 8 " + sandbox.file("scan.vlf").string(), "saved "), "saved ok");

    // Command 126 on the album page: the manager's selection (the second device), its dialog.
    sandbox.send("page 18");
    ASSERT_TRUE(sandbox.waitForLog("page 18"));
    sandbox.send("scan");
    ASSERT_TRUE(sandbox.waitForLog("photo ")) << sandbox.log();
    const std::string photo = sandbox.lastLine("photo ").substr(6);
    EXPECT_TRUE(std::filesystem::exists(photo)) << photo;
    EXPECT_EQ(std::filesystem::path(photo).parent_path(), sandbox.home() / "photos");
    EXPECT_EQ(std::filesystem::path(photo).filename().string().substr(6), "01.JPG");
    EXPECT_NE(ReadTextFile(sandbox.configFile()).find("CAMERA_NUM=2"), std::string::npos);

    sandbox.send("quit");
    EXPECT_EQ(ProgramSandbox::wait(pid), 0);
}

}  // namespace
}  // namespace lv::testing
