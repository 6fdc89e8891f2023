#include "imagelib/codecs/bmp/bmp.h"
#include "imagelib/dib_alloc.h"
#include "program_runner.h"
#include "common/settings.h"
#include "app/skin/button_table.h"
#include "app/skin/colour_panel_layout.h"
#include "skin_clicks.h"

#include <gtest/gtest.h>

#include <fstream>

namespace lv::testing {
namespace {

// The window opened at the desktop's origin, on whichever monitor lay there.
TEST(Program, OpensCentredOnThePrimaryMonitorWhereverItLies)
{
    ProgramSandbox sandbox;
    sandbox.setScreens({{1920, 56, 1280, 1024}, {0, 0, 1920, 1080}});  // the primary right of the other
    EXPECT_EQ(sandbox.run({}, {"LUMIVISTA_TEST_QUIT=1"}), 0);
    EXPECT_NE(sandbox.log().find("ready 2048 184 1024 768\n"), std::string::npos) << sandbox.log();
}

TEST(Program, SettingsOfThePreviousSessionAreKeptAndFor640GivesTheSmallWindowAtTheCorner)
{
    ProgramSandbox sandbox(1920, 1080);
    std::ofstream(sandbox.configFile()) << "[USER]\nFOR_640=1\n[USUÁRIO]\nUndoLevel=9\nActR=10\nBrushSize=33\n";
    EXPECT_EQ(sandbox.run({}, {"LUMIVISTA_TEST_QUIT=1"}), 0);
    EXPECT_NE(sandbox.log().find("ready 0 0 800 600\n"), std::string::npos) << sandbox.log();

    const std::string text = ReadTextFile(sandbox.configFile());
    EXPECT_NE(text.find("[USER]\nFOR_640=1\n"), std::string::npos) << text;
    EXPECT_NE(text.find("UndoLevel=9\nActR=10\nBrushSize=33\n"), std::string::npos) << text;
}

TEST(Program, FromAReadOnlyProgramFolderItOpensAPictureAndAnAlbumAndKeepsItsTemporaryFilesInTheUserDataFolder)
{
    ProgramSandbox sandbox;
    const std::string picture = sandbox.file("foto.bmp").string();
    HDIB image = AllocatePicture(20, 10, 24, 0);
    ASSERT_EQ(WriteBmp(picture, image), WriteResult::Written);
    const std::string album = sandbox.file("Viagem.ABM").string();
    const auto userTemp = sandbox.dataHome() / "lumivista" / "temp";
    std::filesystem::create_directories(userTemp);
    std::ofstream(userTemp / "acquired.bmp") << "x";
    namespace fs = std::filesystem;
    fs::permissions(sandbox.home(), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);

    const int exitCode = sandbox.run({album, picture}, {"LUMIVISTA_TEST_QUIT=1"});
    const auto written = std::distance(fs::directory_iterator(sandbox.home()), fs::directory_iterator());
    fs::permissions(sandbox.home(), fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(exitCode, 0);
    const std::string log = sandbox.log();
    EXPECT_NE(log.find("screen 18 panels "), std::string::npos) << log;
    EXPECT_NE(log.find("album " + album + " ok\n"), std::string::npos) << log;
    EXPECT_NE(log.find("open " + picture + " ok\n"), std::string::npos) << log;
    EXPECT_EQ(written, 4) << "only the linked skin, help and sounds";
    EXPECT_FALSE(fs::exists(userTemp / "acquired.bmp"));
    EXPECT_NE(ReadTextFile(sandbox.configFile()).find("\nAlbum Name=" + album + "\n"), std::string::npos);
}

TEST(SecondCopy, BringsTheFirstForwardRestoresItAndRaisesItsDialogThenExits0)
{
    ProgramSandbox sandbox;
    ASSERT_TRUE(sandbox.launch());

    // The files of a second copy open in the first, as if dropped on it.
    HDIB picture = AllocatePicture(30, 20, 24, 0);
    const std::string photo = sandbox.file("x.bmp").string();
    ASSERT_EQ(WriteBmp(photo, picture), WriteResult::Written);
    EXPECT_EQ(sandbox.run({photo}), 0);
    ASSERT_TRUE(sandbox.waitForLog("open " + photo + " ok\n")) << sandbox.log();
    EXPECT_NE(sandbox.log().find("handed over 1\n"), std::string::npos);
    EXPECT_NE(sandbox.log().find("forward minimised=0 restored=1 modal=-\n"), std::string::npos) << sandbox.log();
    EXPECT_EQ(sandbox.ask("close").rfind("state windows=0 ", 0), 0u);

    EXPECT_EQ(sandbox.run({}, {"LUMIVISTA_TEST_SEND=minimize"}), 0);
    EXPECT_NE(sandbox.log().find("minimized 1\n"), std::string::npos) << sandbox.log();
    EXPECT_EQ(sandbox.run({}), 0);
    EXPECT_NE(sandbox.log().find("forward minimised=1 restored=1 modal=-\n"), std::string::npos) << sandbox.log();

    EXPECT_EQ(sandbox.run({}, {"LUMIVISTA_TEST_SEND=modal"}), 0);
    EXPECT_EQ(sandbox.run({}), 0);
    EXPECT_NE(sandbox.log().find("modal=testdialog\n"), std::string::npos) << sandbox.log();

    EXPECT_EQ(sandbox.quit(), 0);
    EXPECT_NE(sandbox.log().find("exit\n"), std::string::npos);

    EXPECT_EQ(sandbox.log().find("ready ", sandbox.log().find("ready ") + 1), std::string::npos)
        << "only the first copy started";
}

TEST(SecondCopy, ASocketLeftByACrashedCopyDoesNotStopTheNextStart)
{
    ProgramSandbox sandbox;
    ASSERT_TRUE(sandbox.launch());
    sandbox.killHard();

    EXPECT_EQ(sandbox.run({}, {"LUMIVISTA_TEST_QUIT=1"}), 0);
    EXPECT_NE(sandbox.log().find("exit\n"), std::string::npos) << sandbox.log();
}

using skin::SkinVariant;

std::string ClickAt(skin::Point p)
{
    return "click " + std::to_string(p.x) + " " + std::to_string(p.y);
}

struct Colours {
    int values[6];
    bool operator==(const Colours&) const = default;
};

Colours SavedColours(const ProgramSandbox& sandbox)
{
    ProfileStore store(sandbox.configFile());
    const Settings settings(store);
    using namespace setting;
    return {{settings.get(kActR), settings.get(kActG), settings.get(kActB), settings.get(kAltR), settings.get(kAltG),
             settings.get(kAltB)}};
}

TEST(ProgramColours, ColoursOfTheConfigurationShowInTheSmallWindowsBoxToo)
{
    ProgramSandbox sandbox(1280, 1024);
    std::ofstream(sandbox.configFile()) << "[USER]\nFOR_640=1\n[USUÁRIO]\nActR=12\nActG=34\nActB=56\nAltR=300\nAltG=-4\nAltB=7\n";
    ASSERT_TRUE(sandbox.launch({}, {}, "ready 0 0 800 600\n"));
    const skin::Rect cores = skin::PanelButtons(0)[std::size_t(skin::ButtonIndexByControl(0, skin::kColourToolsControl))]
                                 .placeIn(SkinVariant::Small);
    const skin::ColourPanelLayout layout = skin::ColourPanelLayoutFor(SkinVariant::Small);
    const skin::Point bar = layout.toolbar;
    const skin::Rect swap = skin::PanelButtons(layout.toolbarPanel)[0].small;
    sandbox.expectAnswers({{ClickAt({cores.left + bar.x + swap.left + 5, cores.top + bar.y + swap.top + 5}),
                            "colours 255,0,7 12,34,56\n"}});  // kept within 0..255 when read
    ASSERT_EQ(sandbox.quit("key Ctrl+Q"), 0);
    EXPECT_EQ(SavedColours(sandbox), (Colours{{255, 0, 7, 12, 34, 56}}));
}

}  // namespace
}  // namespace lv::testing
