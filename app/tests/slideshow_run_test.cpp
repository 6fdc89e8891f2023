// The slide show as a user runs it on a real X server: the Compartilhar area, the slide show
// screen, the settings dialog, a three-photo album, Enter twice and Escape.

#include "album/album_file.h"
#include "common/byte_sink.h"
#include "imagelib/codecs/bmp/bmp.h"
#include "imagelib/dib_alloc.h"
#include "program_runner.h"
#include "skin_clicks.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace lv::testing {
namespace {


void WriteSolidPhoto(const std::string& path, int width, int height, std::uint32_t rgb)
{
    HDIB dib = AllocatePicture(width, height, 24, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = dib.row(y) + 3 * x;
            p[0] = std::uint8_t(rgb), p[1] = std::uint8_t(rgb >> 8), p[2] = std::uint8_t(rgb >> 16);
        }
    ASSERT_EQ(WriteBmp(path, dib), WriteResult::Written);
}

album::AlbumEntry Photo(const std::string& path)
{
    album::AlbumEntry entry(16);
    entry.setThumbSize(16);
    entry.setPath(path);
    return entry;
}

// The log's "slideshow slide N centre=#rrggbb" lines, in order.
std::vector<std::string> SlidesShown(const ProgramSandbox& sandbox)
{
    std::vector<std::string> shown;
    const std::string log = sandbox.log();
    for (std::size_t at = log.find("slideshow slide "); at != std::string::npos; at = log.find("slideshow slide ", at + 1))
        shown.push_back(log.substr(at + 16, log.find('\n', at) - at - 16));
    return shown;
}

TEST(SlideShowRun, AThreePhotoAlbumAdvancesOnEnterAndEscapeBringsBackTheMainWindowsTimer)
{
    ProgramSandbox sandbox(1024, 768, Platform::X);
    if (!sandbox.displayReady())
        GTEST_SKIP() << "no virtual X server (xvfb)";
    const std::uint32_t colours[] = {0xC02020, 0x20A040, 0x3040D0};
    std::vector<album::AlbumEntry> entries;
    for (int i = 0; i < 3; ++i) {
        const std::string photo = sandbox.file("foto" + std::to_string(i) + ".bmp").string();
        WriteSolidPhoto(photo, 320 + 80 * i, 240, colours[i]);
        entries.push_back(Photo(photo));
    }
    std::filesystem::create_directories(sandbox.home() / "albums");
    ASSERT_TRUE(WriteWholeFile((sandbox.home() / "albums/album1.abm").string(), album::EncodeAlbum(entries)));
    // The second album's file was never written.
    const std::string config = "[albums]\nalbum1.abm=Três fotos\nalbum2.abm=Sem arquivo\n";
    ASSERT_TRUE(WriteWholeFile(sandbox.configFile().string(), {config.begin(), config.end()}));

    ASSERT_TRUE(sandbox.launch()) << sandbox.log();

    // Compartilhar, its Apresentação tile, then Iniciar: the settings dialog comes first.
    const skin::Point host = SidePanelPlace();
    sandbox.send(ClickOnControl(151));
    EXPECT_NE(sandbox.log().find("sound Click1.wav\n"), std::string::npos) << "the area button's click";
    sandbox.expectAnswers({{ClickOnPage(25, 7, host), "screen 7 "}});
    const std::string start = ClickOnHandler(7, skin::Handler::StartSlideShow);
    sandbox.expectAnswers({{start, "dialog slideshowsettings album=0\n"}});

    // A long display time, so only Enter moves the show on however slow the machine is.
    for (int i = 0; i < 4; ++i)
        sandbox.send("key Tab");
    sandbox.send("key Ctrl+A");
    sandbox.send("type 250");
    sandbox.expectAnswers({{"key Return", "slideshow settings display=250 repeat=1 transition=Aleatório\n"}});
    ASSERT_TRUE(sandbox.waitForLog("timer 100 stopped\n")) << sandbox.log();
    ASSERT_TRUE(sandbox.waitForLog("slideshow slide 0 ")) << sandbox.log();
    sandbox.expectAnswers({{"key Return", "slideshow slide 1 "}, {"key Return", "slideshow slide 2 "}});
    const std::vector<std::string> shown = SlidesShown(sandbox);
    ASSERT_GE(shown.size(), 3u);
    // Each photo fitted to the screen and whole once its transition ended.
    const char* centres[] = {"0 centre=#c02020", "1 centre=#20a040", "2 centre=#3040d0"};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(shown[std::size_t(shown.size() - 3 + std::size_t(i))], centres[i]) << sandbox.log();
    EXPECT_EQ(sandbox.log().find("timer 100 started"), std::string::npos) << "held while the show runs";

    sandbox.expectAnswers({{"key Escape", "slideshow closed\n"}});
    EXPECT_NE(sandbox.log().find("timer 100 started 900\n"), std::string::npos) << sandbox.log();
    // Its first tick comes 900 ms after the show, the later ones every 500 ms as before.
    EXPECT_TRUE(sandbox.waitForLog("timer 100 every 500\n")) << sandbox.log();

    // The album without its file: the show says so and opens nothing.
    sandbox.expectAnswers({{start, "dialog slideshowsettings album=0\n"}});
    sandbox.send("key Down");
    sandbox.expectAnswers({{"key Return", "message Atenção: Não existem imagens no álbum.\n"}});
    EXPECT_FALSE(sandbox.waitForLog("timer 100 stopped\n", std::chrono::seconds(1), 2)) << "no second show";

    // The main window has the keyboard again: F1 opens the slide show screen's help.
    sandbox.expectAnswers({{"key F1", "help tela07.html\n"}});

    EXPECT_EQ(sandbox.quit(), 0);
    EXPECT_EQ(sandbox.log().find("message "), sandbox.log().rfind("message ")) << "only the one about the album";
}

}  // namespace
}  // namespace lv::testing
