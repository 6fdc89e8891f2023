// The album page in the running program on a virtual X server: an album made from 30 photos
// through the Adicionar button's file dialog (answered by the test hook), one photo moved by
// a real mouse drag, one deleted (its thumbnail only), the page left and shown again, and the
// album file checked with lumivista-tool.

#include "app/skin/button_table.h"
#include "common/testing/run_command.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/codecs/jpeg/jpeg.h"
#include "program_runner.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

namespace lv::testing {
namespace {

using skin::SkinVariant;

skin::Rect ButtonRect(int panel, skin::Handler handler, std::uint32_t argument = 0)
{
    for (const skin::ButtonDefinition& b : skin::PanelButtons(panel))
        if (b.handler == handler && b.argument == argument)
            return b.placeIn(SkinVariant::Large);
    ADD_FAILURE() << "no such button";
    return {};
}

std::string ClickAt(int x, int y)
{
    return "click " + std::to_string(x) + " " + std::to_string(y);
}

std::string ClickOnAreaButton(std::uint32_t area)
{
    const skin::Rect r = ButtonRect(0, skin::Handler::SelectScreenArea, area);
    return ClickAt(r.left + r.width() / 2, r.top + r.height() / 2);
}

// xdotool moving the X server's own pointer, as a user's mouse does.
int Pointer(const std::string& display, const std::string& actions)
{
    return std::system(("DISPLAY=" + display + " xdotool " + actions + " >/dev/null 2>&1").c_str());
}

bool HaveCommand(const char* name)
{
    return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

using AlbumPageOnX = OnVirtualX;

TEST_F(AlbumPageOnX, ThirtyPhotosReorderedByTheMouseOneDeletedAndTheAlbumWritten)
{
    if (!HaveCommand("xdotool"))
        GTEST_SKIP() << "needs xdotool";
    const std::string display = sandbox.display();
    std::string files;
    for (int i = 0; i < 30; ++i) {
        HDIB photo = AllocatePicture(320 + i, 240, 24, 0);
        for (int y = 0; y < 240; ++y)
            for (int x = 0; x < 320 + i; ++x) {
                std::uint8_t* p = photo.row(y) + 3 * x;
                p[0] = std::uint8_t(x + 8 * i), p[1] = std::uint8_t(y), p[2] = std::uint8_t(255 - 8 * i);
            }
        const std::string path = sandbox.file("foto" + std::to_string(100 + i) + ".jpg").string();
        ASSERT_EQ(WriteJpeg(path, photo, 85), WriteResult::Written);
        files += (i ? ";" : "") + path;
    }
    ASSERT_TRUE(sandbox.launch());
    std::istringstream ready(sandbox.lastLine("ready "));
    std::string word;
    int left = 0, top = 0;
    ready >> word >> left >> top;

    sandbox.expectAnswers({{ClickOnAreaButton(2), "album shown screen=18"}});
    std::istringstream layout(sandbox.lastLine("album layout "));
    int x = 0, y = 0, w = 0, h = 0, gx = 0, gy = 0, columns = 0, rows = 0;
    layout >> word >> word >> x >> y >> w >> h >> gx >> gy >> columns >> rows;
    ASSERT_EQ(columns, 5);
    ASSERT_EQ(rows, 2);
    const auto centre = [&](int cell) {
        return std::pair{left + x + (w + gx) * (cell % columns) + w / 2, top + y + (h + gy) * (cell / columns) + h / 2};
    };

    // The Adicionar button opens the file dialog, which the hook answers with the 30 files.
    ASSERT_EQ(sandbox.send("albumfiles " + files), 0);
    const skin::Rect host = skin::PanelButtons(0)[std::size_t(skin::ButtonIndexByControl(0, 101))].placeIn(SkinVariant::Large);
    const skin::Rect add = ButtonRect(18, skin::Handler::AlbumAddPhotos);
    sandbox.expectAnswers({{ClickAt(host.left + add.left + add.width() / 2, host.top + add.top + add.height() / 2), "album added "}});
    const std::string added = sandbox.lastLine("album added ");
    ASSERT_EQ(StateField(added, "count"), "30") << sandbox.log();
    EXPECT_EQ(StateField(added, "selected"), "29");
    EXPECT_EQ(StateField(added, "head"), "4");  // scrolled to the last photo as it came in
    EXPECT_NE(sandbox.log().find("album file dialog 30"), std::string::npos);
    ASSERT_EQ(sandbox.send("albumscroll -9"), 0);

    // Photo 2 dragged with the mouse onto the cell of photo 6.
    const auto [fromX, fromY] = centre(2);
    const auto [toX, toY] = centre(6);
    const std::string drag = "mousemove " + std::to_string(fromX) + " " + std::to_string(fromY) + " sleep 0.2 mousedown 1 "
                           + "sleep 0.2 mousemove " + std::to_string(fromX + 15) + " " + std::to_string(fromY + 5)
                           + " sleep 0.2 mousemove " + std::to_string((fromX + toX) / 2) + " " + std::to_string(toY)
                           + " sleep 0.2 mousemove " + std::to_string(toX) + " " + std::to_string(toY)
                           + " sleep 0.2 mouseup 1";
    ASSERT_EQ(Pointer(display, drag), 0);
    ASSERT_TRUE(sandbox.waitForLog("album moved "));
    EXPECT_EQ(StateField(sandbox.lastLine("album moved "), "selected"), "6");

    // Photo 0 clicked and deleted with the Delete key: the options dialog keeps the file.
    const auto [firstX, firstY] = centre(0);
    ASSERT_EQ(Pointer(display, "mousemove " + std::to_string(firstX) + " " + std::to_string(firstY) + " sleep 0.2 click 1"), 0);
    ASSERT_TRUE(sandbox.waitForLog("selected=0 head=0 flags=[0]"));
    sandbox.expectAnswers({{"key Delete", "album deleted "}});
    EXPECT_NE(sandbox.log().find("dialog 123"), std::string::npos);
    EXPECT_EQ(StateField(sandbox.lastLine("album deleted "), "count"), "29");

    // Away to the Editar area and back: the album was written and comes back as it was left.
    sandbox.expectAnswers({{ClickOnAreaButton(3), "album left "}, {ClickOnAreaButton(2), "album shown screen=18"}});
    const std::string back = sandbox.lastLine("album shown ");
    EXPECT_EQ(StateField(back, "count"), "29");
    EXPECT_EQ(StateField(back, "selected"), "0");
    EXPECT_EQ(StateField(back, "head"), "0");
    const std::string albumFile = StateField(back, "path");
    EXPECT_EQ(sandbox.quit(), 0);

    const CommandResult info = RunCommand(std::string(LV_PROGRAM_DIR) + "/lumivista-tool album info '" + albumFile + "' --json");
    ASSERT_EQ(info.exitCode, 0) << info.err;
    EXPECT_NE(info.out.find("\"count\":29"), std::string::npos) << info.out;
    // foto101 first (foto100 went), foto102 after foto106.
    const std::size_t p101 = info.out.find("foto101.jpg");
    const std::size_t p106 = info.out.find("foto106.jpg");
    const std::size_t p102 = info.out.find("foto102.jpg");
    const std::size_t p107 = info.out.find("foto107.jpg");
    EXPECT_EQ(info.out.find("foto100.jpg"), std::string::npos);
    EXPECT_TRUE(p101 < p106 && p106 < p102 && p102 < p107) << info.out;
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
