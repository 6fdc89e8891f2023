#include "imagelib/codecs/bmp/bmp.h"
#include "imagelib/dib_alloc.h"
#include "program_runner.h"

#include <gtest/gtest.h>

#include <fstream>

namespace lv::testing {
namespace {

TEST(Program, StartsCentredSavesItsSettingsInOrderEmptiesTempAndExits0)
{
    ProgramSandbox sandbox(1280, 1024);
    const auto temp = sandbox.home() / "temp";
    std::filesystem::create_directories(temp / "keep");
    std::ofstream(temp / "acquired.bmp") << "x";

    EXPECT_EQ(sandbox.run({}, {"LUMIVISTA_TEST_QUIT=1"}), 0);
    EXPECT_NE(sandbox.log().find("ready 128 128 1024 768\n"), std::string::npos) << sandbox.log();
    EXPECT_NE(sandbox.log().find("exit\n"), std::string::npos);

    // The order in full is the configuration's own test; here the running program keeps it.
    const std::string text = ReadTextFile(sandbox.configFile());
    EXPECT_EQ(text.rfind("[USUÁRIO]\nAppName=" LV_PROGRAM "\nLogin_ID=\nVersion=200\nActR=255\n", 0), 0u) << text;
    EXPECT_NE(text.find("\nShowTools=1\nLastDir0=\n"), std::string::npos);
    EXPECT_TRUE(text.ends_with("\nTotalInkLimit=400\nPrintCalFlag=0\nPrintCalChannel=0\n")) << text;
    EXPECT_EQ(text.find("UndoLevel"), std::string::npos);

    EXPECT_FALSE(std::filesystem::exists(temp / "acquired.bmp"));
    EXPECT_TRUE(std::filesystem::is_directory(temp / "keep"));
}

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

TEST(Program, ASmallScreenIsRefusedWithAMessageAndExit0)
{
    ProgramSandbox sandbox(640, 480);
    EXPECT_EQ(sandbox.run({}), 0);
    EXPECT_NE(sandbox.log().find("message Atenção: Mude a configuração do display para uma resolução de 800 x 600 ou "
                                 "mais alta para executar o Lumivista 2000. \n"),
              std::string::npos)
        << sandbox.log();
    EXPECT_EQ(sandbox.log().find("ready"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(sandbox.configFile()));
}

TEST(Program, CommandLineFilesOpenTwoAtMostSideBySide)
{
    ProgramSandbox sandbox;
    std::vector<std::string> files;
    HDIB picture = AllocatePicture(40, 30, 24, 0);
    for (const char* name : {"um.bmp", "dois.bmp", "três.bmp"}) {
        files.push_back(sandbox.file(name).string());
        ASSERT_EQ(WriteBmp(files.back(), picture), WriteResult::Written);
    }
    EXPECT_EQ(sandbox.run(files, {"LUMIVISTA_TEST_QUIT=1"}), 0);
    const std::string log = sandbox.log();
    EXPECT_NE(log.find("open " + files[0] + " ok\n"), std::string::npos) << log;
    EXPECT_NE(log.find("open " + files[1] + " ok\n"), std::string::npos) << log;
    EXPECT_NE(log.find("state windows=2 active=" + files[1] + " size=40x30 zoom=0 layers=1 current=0 modified=0 "
                       "frame=740,371,160,50"),
              std::string::npos)
        << "the second takes the right half of the workspace (control 100: 228, 100, 788 x 592), 160 wide for its caption";
    EXPECT_EQ(log.find(files[2]), std::string::npos);
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

}  // namespace
}  // namespace lv::testing
