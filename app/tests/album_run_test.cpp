// The album page in the running program: albums named on the command line or handed over by
// a second copy, photos another writer adds while the page shows, and a photo's date taken in
// its properties; "Orientação" standing the selection upright and turning the album right; the
// album files checked with lumivista-tool.

#include "common/testing/run_command.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/codecs/jpeg/jpeg.h"
#include "program_runner.h"
#include "skin_clicks.h"
#include "album/album_file.h"
#include "imagelib/metadata/upright_step.h"
#include "screen_places.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace lv::testing {
namespace {

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
    sandbox.expectAnswers({{ClickOnHandler(0, skin::Handler::SelectScreenArea, 3, {}), "album left "}});
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
