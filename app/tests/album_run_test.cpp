// The album page in the running program: albums named on the command line or handed over by
// a second copy, and photos another writer adds while the page shows; the album files checked
// with lumivista-tool.

#include "common/testing/run_command.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/codecs/jpeg/jpeg.h"
#include "program_runner.h"
#include "skin_clicks.h"

#include <gtest/gtest.h>

namespace lv::testing {
namespace {

// An area button of the main window's own panel.
std::string ClickOnAreaButton(std::uint32_t area)
{
    return ClickOn(0, [&](const skin::ButtonDefinition& b) {
        return b.handler == skin::Handler::SelectScreenArea && b.argument == area;
    });
}

// An album made by the tool from `photos` small pictures named after it.
std::string MakeAlbum(const ProgramSandbox& sandbox, const std::string& name, int photos)
{
    std::string files;
    for (int i = 0; i < photos; ++i) {
        HDIB photo = AllocatePicture(64, 48, 24, 0);
        const std::string path = sandbox.file(name + std::to_string(i) + ".jpg").string();
        EXPECT_EQ(WriteJpeg(path, photo, 85), WriteResult::Written);
        files += " '" + path + "'";
    }
    const std::string album = sandbox.file(name + ".ABM").string();
    EXPECT_EQ(RunCommand(std::string(LV_PROGRAM_DIR) + "/lumivista-tool album make '" + album + "'" + files).exitCode, 0);
    return album;
}

TEST(AlbumPageRun, AnAlbumNamedOnTheCommandLineOpensOnTheAlbumPageAlsoInTheCopyAlreadyRunning)
{
    ProgramSandbox sandbox(1280, 1024);
    const std::string album = MakeAlbum(sandbox, "Viagem", 3);
    const std::string second = MakeAlbum(sandbox, "Praia", 2);
    ASSERT_TRUE(sandbox.launch({album}, {}, "album shown screen=18"));
    const std::string shown = sandbox.lastLine("album shown ");
    EXPECT_EQ(StateField(shown, "count"), "3") << sandbox.log();
    EXPECT_EQ(StateField(shown, "name"), "Viagem");
    EXPECT_EQ(StateField(shown, "album"), "-1");  // not one of the catalogue's

    // From another screen, a second copy started with another album hands it over: the page
    // comes back with that one, and a second hand-over while the page shows switches again.
    sandbox.expectAnswers({{ClickOnAreaButton(3), "album left "}});
    EXPECT_EQ(sandbox.run({second}), 0);
    ASSERT_TRUE(sandbox.waitForLog("album shown screen=18", std::chrono::seconds(30), 2)) << sandbox.log();
    const std::string handed = sandbox.lastLine("album shown ");
    EXPECT_EQ(StateField(handed, "count"), "2") << sandbox.log();
    EXPECT_EQ(StateField(handed, "name"), "Praia");
    EXPECT_EQ(StateField(handed, "path"), second);
    EXPECT_EQ(sandbox.run({album}), 0);
    ASSERT_TRUE(sandbox.waitForLog("album shown screen=18", std::chrono::seconds(30), 3)) << sandbox.log();
    EXPECT_EQ(StateField(sandbox.lastLine("album shown "), "name"), "Viagem");
    EXPECT_EQ(sandbox.log().find("beep"), std::string::npos) << sandbox.log();
    EXPECT_EQ(sandbox.quit(), 0);

    // Both files are still whole albums.
    for (const auto& [file, count] : {std::pair{album, "\"count\":3"}, std::pair{second, "\"count\":2"}}) {
        const CommandResult info = RunCommand(std::string(LV_PROGRAM_DIR) + "/lumivista-tool album info '" + file + "' --json");
        EXPECT_EQ(info.exitCode, 0) << info.err;
        EXPECT_NE(info.out.find(count), std::string::npos) << info.out;
    }
}

TEST(AlbumPageRun, PhotosTheToolAddsToTheShownAlbumAppearWithoutLeavingThePage)
{
    ProgramSandbox sandbox(1280, 1024);
    const std::string album = MakeAlbum(sandbox, "Viagem", 3);
    ASSERT_TRUE(sandbox.launch({album}, {}, "album shown screen=18"));
    EXPECT_EQ(StateField(sandbox.lastLine("album shown "), "count"), "3") << sandbox.log();

    HDIB photo = AllocatePicture(64, 48, 24, 0);
    const std::string added = sandbox.file("nova.jpg").string();
    ASSERT_EQ(WriteJpeg(added, photo, 85), WriteResult::Written);
    const CommandResult add =
        RunCommand(std::string(LV_PROGRAM_DIR) + "/lumivista-tool album add '" + album + "' '" + added + "'");
    ASSERT_EQ(add.exitCode, 0) << add.err;
    ASSERT_TRUE(sandbox.waitForLog("album merged ")) << sandbox.log();
    EXPECT_EQ(StateField(sandbox.lastLine("album merged "), "count"), "4") << sandbox.log();
    EXPECT_EQ(sandbox.quit(), 0);

    // Leaving wrote the album: the tool's photo is still in it.
    const CommandResult info = RunCommand(std::string(LV_PROGRAM_DIR) + "/lumivista-tool album info '" + album + "' --json");
    EXPECT_NE(info.out.find("\"count\":4"), std::string::npos) << info.out;
}

}  // namespace
}  // namespace lv::testing
