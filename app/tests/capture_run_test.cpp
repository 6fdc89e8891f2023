// Video and screen capture in the running program on a virtual X display: frames of the
// test pattern into windows and the live view, desktop shots taken while the program is
// hidden, windows picked with the pointer (the desktop refused with its message, a window
// hanging off the screen clipped), and the command line's shot against ImageMagick's.

#include "acquire/tests/x11_test_client.h"
#include "imagelib/codecs/bmp/bmp.h"
#include "program_runner.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <thread>

namespace lv::testing {
namespace {

using namespace std::chrono_literals;

constexpr std::uint32_t kBackground = 0x2468AC;

std::uint32_t PixelAt(const HDIB& picture, int x, int yFromTop)
{
    const std::uint8_t* p = picture.row(picture.height() - 1 - yFromTop) + 3 * x;
    return std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0];
}

int PixelsNotOf(const HDIB& picture, std::uint32_t rgb)
{
    int count = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            count += PixelAt(picture, x, y) != rgb;
    return count;
}

class CaptureRun : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(display.ok()) << "needs an X display"; }
    void TearDown() override
    {
        if (!started)
            return;
        // New pictures are saved first, so quitting asks nothing.
        for (int i = 0; i < 10 && sandbox.ask("state").find("windows=0") == std::string::npos; ++i) {
            sandbox.ask("saveas 8 " + sandbox.file("shot" + std::to_string(i) + ".vlf").string(), "saved ");
            sandbox.send("close");
        }
        EXPECT_EQ(sandbox.quit(), 0) << sandbox.log();
    }
    void start()
    {
        started = sandbox.launch({}, {"QT_QPA_PLATFORM=xcb"});
        ASSERT_TRUE(started) << sandbox.log();
    }
    void page(int screen) { sandbox.expectAnswers({{"page " + std::to_string(screen), "page " + std::to_string(screen)}}); }
    std::size_t count(const std::string& text) const
    {
        const std::string log = sandbox.log();
        std::size_t n = 0;
        for (auto at = log.find(text); at != std::string::npos; at = log.find(text, at + 1))
            ++n;
        return n;
    }
    // Sends a pick ("capture 101" or "capture 102"), waits until the pointer is held and
    // clicks at the point.
    void pickAt(int command, int x, int y)
    {
        const int before = int(count("picking"));
        sandbox.send("capture " + std::to_string(command));
        ASSERT_TRUE(sandbox.waitForLog("picking", std::chrono::seconds(10), before + 1)) << sandbox.log();
        display.movePointer(x, y);
        display.click(1);
    }

    X11TestClient display;
    ProgramSandbox sandbox;
    bool started = false;
};

TEST_F(CaptureRun, TestPatternFramesOpenWindowsGoLiveAndIntoPhotos)
{
    start();
    page(26);
    EXPECT_EQ(sandbox.ask("video grab", "grabbed "), "grabbed 640 480 24");
    const std::string state = sandbox.ask("state");
    EXPECT_NE(state.find("TrueColor-Sem título-01"), std::string::npos) << state;
    const HDIB frame = sandbox.shownPicture("frame.bmp");
    ASSERT_TRUE(frame) << sandbox.log();
    EXPECT_EQ(frame.width(), 640);
    // The first frame of a freshly connected pattern: white at the left, black at the right.
    EXPECT_EQ(PixelAt(frame, 0, 0), 0xFFFFFFu);
    EXPECT_EQ(PixelAt(frame, 639, 0), 0x000000u);
    EXPECT_EQ(PixelAt(frame, 100, 0), 0xFFFF00u) << "the yellow bar";

    sandbox.expectAnswers({{"video live", "live"}});
    std::string preview;
    for (int i = 0; i < 100; ++i) {
        preview = sandbox.ask("video preview", "preview ");
        if (preview != "preview 0" && preview != "preview -1")
            break;
        std::this_thread::sleep_for(50ms);
    }
    EXPECT_GT(std::stoi(preview.substr(8)), 0) << preview;
    // Leaving for the album page closes the live view; frames grabbed there go to photos.
    page(18);
    EXPECT_EQ(sandbox.ask("video preview", "preview "), "preview -1");
    sandbox.expectAnswers({{"video album", "photo "}});
    const std::string photo = sandbox.lastLine("photo ").substr(6);
    EXPECT_EQ(std::filesystem::path(photo).parent_path(), sandbox.home() / "photos");
    EXPECT_TRUE(std::filesystem::exists(photo));
    // ... and into the album shown, selected there.
    const std::string joined = sandbox.lastLine("album acquired ");
    EXPECT_EQ(StateField(joined, "count"), "1") << sandbox.log();
    EXPECT_EQ(StateField(joined, "flags"), "0");
}

TEST_F(CaptureRun, TheDesktopIsShotWithTheProgramOutOfTheWay)
{
    display.window(0, 0, 1024, 768, kBackground);
    start();
    page(1);
    sandbox.expectAnswers({{"capture 103", "captured "}});
    EXPECT_EQ(sandbox.lastLine("captured "), "captured 1024 768 24 3780") << "96 dots per inch";
    const std::string state = sandbox.ask("state");
    EXPECT_NE(state.find("Capturado - Sem título-01"), std::string::npos) << state;
    const HDIB desktop = sandbox.shownPicture("desktop.bmp");
    ASSERT_TRUE(desktop) << sandbox.log();
    EXPECT_EQ(PixelsNotOf(desktop, kBackground), 0) << "the hidden main window is not in the shot";

    // Without hiding, the program shows in its own shot.
    sandbox.send("capture hide 0");
    const std::size_t shots = sandbox.log().size();
    sandbox.send("capture 103");
    ASSERT_TRUE(sandbox.waitForLog("Capturado - Sem título-02") || sandbox.log().size() > shots);
    const HDIB shown = sandbox.shownPicture("shown.bmp");
    ASSERT_TRUE(shown) << sandbox.log();
    EXPECT_GT(PixelsNotOf(shown, kBackground), 1000);
}

TEST_F(CaptureRun, PickingTheDesktopIsRefusedAndAWindowIsTakenClipped)
{
    // 200 × 120 with a 4-pixel border, hanging 30 pixels off the left edge.
    display.window(-30, 100, 200, 120, 0xAA5500, 4);
    start();
    page(1);
    pickAt(101, 900, 700);
    ASSERT_TRUE(sandbox.waitForLog("message Atenção: Não é possível capturar a janela da área de trabalho. Use a "
                                   "opção 'Área de trabalho' para capturar a tela inteira."))
        << sandbox.log();
    EXPECT_EQ(count("captured "), 0u);

    pickAt(101, 20, 150);
    ASSERT_TRUE(sandbox.waitForLog("captured ")) << sandbox.log();
    EXPECT_EQ(sandbox.lastLine("captured "), "captured 178 128 24 3780") << "the frame, from the screen's edge on";
    const HDIB frame = sandbox.shownPicture("frame.bmp");
    ASSERT_TRUE(frame) << sandbox.log();
    EXPECT_EQ(PixelAt(frame, 177, 0), 0xFF00FFu) << "the border";
    EXPECT_EQ(PixelAt(frame, 20, 20), 0xAA5500u);

    pickAt(102, 20, 150);
    ASSERT_TRUE(sandbox.waitForLog("captured 174 120 24")) << sandbox.log();
    const HDIB client = sandbox.shownPicture("client.bmp");
    ASSERT_TRUE(client) << sandbox.log();
    EXPECT_EQ(PixelsNotOf(client, 0xAA5500), 0) << "no border in the client area";
}

// ImageMagick reads the screen on its own; our shot must show the same pixels.
TEST_F(CaptureRun, TheCommandLinesShotMatchesImageMagicks)
{
    if (std::system("command -v import >/dev/null 2>&1 && command -v compare >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "ImageMagick is not installed";
    display.window(0, 0, 1024, 768, kBackground);
    display.window(50, 40, 300, 200, 0xFF0000);
    const xcb_window_t green = display.window(500, 300, 200, 100, 0x00C000, 3);
    display.window(900, 700, 300, 200, 0x0000FF);  // partly off the screen
    const std::string ours = sandbox.file("ours.png").string(), theirs = sandbox.file("theirs.png").string();
    ASSERT_EQ(std::system((std::string(LV_TOOL) + " capture screen " + ours).c_str()), 0);
    ASSERT_EQ(std::system(("import -window root " + theirs).c_str()), 0);
    const std::string difference = sandbox.file("difference.txt").string();
    std::system(("compare -metric AE " + ours + " " + theirs + " null: 2>" + difference).c_str());
    EXPECT_EQ(ReadTextFile(difference), "0") << "pixels that differ";

    const std::string window = sandbox.file("window.bmp").string(), client = sandbox.file("client.bmp").string();
    ASSERT_EQ(std::system((std::string(LV_TOOL) + " capture screen " + window + " --window " + std::to_string(green)).c_str()), 0);
    ASSERT_EQ(std::system((std::string(LV_TOOL) + " capture screen " + client + " --client " + std::to_string(green)).c_str()), 0);
    const HDIB withFrame = ReadBmpFile(window);
    const HDIB inside = ReadBmpFile(client);
    ASSERT_TRUE(withFrame && inside);
    EXPECT_EQ(withFrame.width(), 206);
    EXPECT_EQ(inside.width(), 200);
    EXPECT_EQ(inside.height(), 100);
    EXPECT_EQ(PixelsNotOf(inside, 0x00C000), 0);
    EXPECT_NE(std::system((std::string(LV_TOOL) + " capture screen " + window + " --window 12345 2>/dev/null").c_str()), 0);
}

}  // namespace
}  // namespace lv::testing
