// Scanning and the album page's "Obter" icons in the running program on a virtual X server:
// scans from the scanner interface's test backend through the program's source manager open
// new windows on the acquisition page; on the album page a scan and a shot of the screen join
// the album shown, while the two unsaved pictures stay open, hidden under the page and
// unasked about; the store icon leads to the store page. A scanner configuration planted
// where the program starts chooses no scanner.

#include "acquire/tests/sane_test_backend.h"
#include "common/testing/run_command.h"
#include "program_runner.h"
#include "skin_clicks.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace lv::testing {
namespace {

using AlbumObterRun = OnVirtualX;

TEST_F(AlbumObterRun, AScanAndAScreenShotFromTheAlbumPageJoinTheAlbumAndAskNothing)
{
    UseSaneTestBackend({});
    std::filesystem::create_symlink(std::filesystem::path(LV_PROGRAM_DIR) / "liblvtwain.so",
                                    sandbox.home() / "liblvtwain.so");
    std::filesystem::create_directories(sandbox.home() / "photos");
    ASSERT_TRUE(sandbox.launch({}, {"LUMIVISTA_TEST_SOURCE_DIALOG=scan", "LUMIVISTA_TEST_SOURCE_SELECT=1"}));
    const auto onAlbumPage = [](skin::Handler handler, std::uint32_t argument) { return ClickOnHandler(18, handler, argument); };

    // Two new pictures from the Obter fotos page, side by side and never saved: the test
    // backend's 157 x 196 grey scan, in 24 bits, in a window of its own.
    sandbox.expectAnswers({{"page 1", "page 1"}});
    sandbox.ask("acquire", "acquired ");
    EXPECT_NE(sandbox.lastLine("acquired ").find("acquired 157 196 8"), std::string::npos) << sandbox.log();
    EXPECT_NE(sandbox.ask("state").find("TrueColor-Sem título-01"), std::string::npos) << sandbox.log();
    ASSERT_EQ(sandbox.ask("dump " + sandbox.file("scan.bmp").string(), "dumped "), "dumped ok");
    EXPECT_EQ(std::filesystem::file_size(sandbox.file("scan.bmp")), 54u + 472u * 196u);
    sandbox.ask("acquire", "acquired ");
    ASSERT_EQ(StateField(sandbox.ask("state"), "windows"), "2") << sandbox.log();

    const std::string toAlbumPage = ClickOnHandler(0, skin::Handler::SelectScreenArea, 2, {});
    sandbox.expectAnswers({{toAlbumPage, "album shown screen=18"},
                           {onAlbumPage(skin::Handler::AlbumNew, 0), "album shown "},
                           {onAlbumPage(skin::Handler::AcquireScan, 0), "album acquired "}});
    const std::string scanned = sandbox.lastLine("album acquired ");
    EXPECT_EQ(StateField(scanned, "count"), "1") << sandbox.log();

    sandbox.expectAnswers({{onAlbumPage(skin::Handler::CaptureScreen, 103), "captured "}});
    ASSERT_TRUE(sandbox.waitForLog("album acquired ", std::chrono::seconds(30), 2)) << sandbox.log();
    const std::string shot = sandbox.lastLine("album acquired ");
    EXPECT_EQ(StateField(shot, "count"), "2") << sandbox.log();
    EXPECT_EQ(StateField(shot, "selected"), "1");
    EXPECT_EQ(sandbox.log().find("acabou de ser criado"), std::string::npos) << sandbox.log();
    const std::string underThePage = sandbox.ask("state");
    EXPECT_EQ(StateField(underThePage, "windows"), "2") << "no window opened for the shot";
    EXPECT_NE(StateField(underThePage, "all").find("@0-hidden;"), std::string::npos) << "not drawn over the grid";
    std::size_t photos = 0;
    for (const auto& entry : std::filesystem::directory_iterator(sandbox.home() / "photos"))
        photos += entry.path().extension() == ".JPG";
    EXPECT_EQ(photos, 2u);

    sandbox.expectAnswers({{onAlbumPage(skin::Handler::SwitchScreen, 6), "screen 6 panels "}});
    // Leaving the page wrote both into the album's file.
    const CommandResult info =
        RunCommand(std::string(LV_PROGRAM_DIR) + "/lumivista-tool album info '" + StateField(shot, "path") + "' --json");
    ASSERT_EQ(info.exitCode, 0) << info.err;
    EXPECT_NE(info.out.find("\"count\":2"), std::string::npos) << info.out;
    // Back on an editing screen the pictures show again.
    const std::string toEditar = ClickOnHandler(0, skin::Handler::SelectScreenArea, 3, {});
    sandbox.expectAnswers({{toEditar, "screen 2 panels "}});
    EXPECT_EQ(StateField(sandbox.ask("state"), "all").find("hidden"), std::string::npos) << sandbox.log();
    ASSERT_EQ(sandbox.send("answer Não"), 0);
    ASSERT_EQ(sandbox.send("answer Não"), 0);
    EXPECT_EQ(sandbox.quit(), 0) << sandbox.log();
    EXPECT_NE(ReadTextFile(sandbox.configFile()).find("CAMERA_NUM=3"), std::string::npos) << "the day's count after two photos";
}

using AcquireRun = OnVirtualX;

TEST_F(AcquireRun, ADllConfInTheFolderTheProgramStartsFromChoosesNoScanner)
{
    // The test backend's folder, as an attacker would leave it where the program is started;
    // AlbumObterRun shows the same folder serving when it is chosen.
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
