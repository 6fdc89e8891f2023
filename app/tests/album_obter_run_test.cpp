// The album page's "Obter" icons in the running program on a virtual X server: a scan from
// the scanner interface's test backend and a shot of the screen join the album shown, while
// two unsaved pictures stay open, hidden under the page and unasked about; the store icon
// leads to the store page.

#include "acquire/tests/sane_test_backend.h"
#include "common/testing/run_command.h"
#include "program_runner.h"
#include "skin_clicks.h"

#include <gtest/gtest.h>

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
    const skin::Point host = SidePanelPlace();
    const auto onAlbumPage = [&](skin::Handler handler, std::uint32_t argument) {
        return ClickOn(
            18, [&](const skin::ButtonDefinition& b) { return b.handler == handler && b.argument == argument; }, host);
    };

    // Two new pictures from the Obter fotos page, side by side and never saved.
    sandbox.expectAnswers({{"page 1", "page 1"}});
    sandbox.ask("acquire", "acquired ");
    sandbox.ask("acquire", "acquired ");
    ASSERT_EQ(StateField(sandbox.ask("state"), "windows"), "2") << sandbox.log();

    const std::string toAlbumPage =
        ClickOn(0, [](const skin::ButtonDefinition& b) { return b.handler == skin::Handler::SelectScreenArea && b.argument == 2; });
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
    const std::string toEditar =
        ClickOn(0, [](const skin::ButtonDefinition& b) { return b.handler == skin::Handler::SelectScreenArea && b.argument == 3; });
    sandbox.expectAnswers({{toEditar, "screen 2 panels "}});
    EXPECT_EQ(StateField(sandbox.ask("state"), "all").find("hidden"), std::string::npos) << sandbox.log();
    ASSERT_EQ(sandbox.send("answer Não"), 0);
    ASSERT_EQ(sandbox.send("answer Não"), 0);
    EXPECT_EQ(sandbox.quit(), 0) << sandbox.log();
}

}  // namespace
}  // namespace lv::testing
