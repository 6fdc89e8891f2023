// The Internet screens in the running program: links open through the desktop's opener with
// the address as its one argument, other schemes are refused by name, and a desktop without an
// opener is told so instead of beeping; a web album published, an animation played and saved.

#include "program_runner.h"
#include "screen_places.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <cstdlib>

namespace lv::testing {
namespace {

constexpr int kLinksScreen = 29;

// The detached opener writes after the click has been answered.
bool PollUntilFile(const std::filesystem::path& file, int lines)
{
    for (int i = 0; i < 3000; ++i) {
        const std::string text = ReadTextFile(file);
        if (std::count(text.begin(), text.end(), '\n') >= lines)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

struct LinksSandbox {
    LinksSandbox()
    {
        std::ofstream(sandbox.configFile()) << "[USER]\nCreateLink1=https://example.org/a?b=1&c=\"x\"$(id)\n"
                                               "CreateLink2=file:///etc/passwd\n[vuruvizi]\nCreateLink1=Exemplo\n";
        std::filesystem::create_directories(sandbox.file("bin"));
        std::ofstream(sandbox.file("bin/xdg-open")) << "#!/bin/sh\nprintf '%s|%s\\n' \"$#\" \"$1\" >> '"
                                                     << sandbox.file("opened.txt").string() << "'\n";
        std::filesystem::permissions(sandbox.file("bin/xdg-open"), std::filesystem::perms::owner_all);
    }
    ProgramSandbox sandbox;
};

TEST(LinksScreen, LinksOpenThroughTheOpenerOtherSchemesAreRefusedByName)
{
    LinksSandbox s;
    ASSERT_TRUE(s.sandbox.launch({}, {"PATH=" + s.sandbox.file("bin").string() + ":/usr/bin:/bin"}));
    s.sandbox.expectAnswers({{"screen 29", "links listed 2"},
                             {ClickOnCaption(kLinksScreen, "Link 1"), "link 1 opened"},
                             {ClickOnCaption(kLinksScreen, "Link 2"), "file:///etc/passwd\" não é aceito"},
                             {ClickOnCaption(kLinksScreen, "Abrir no navegador"), "link 1 opened"}});
    ASSERT_TRUE(PollUntilFile(s.sandbox.file("opened.txt"), 2));
    EXPECT_EQ(ReadTextFile(s.sandbox.file("opened.txt")),
              "1|https://example.org/a?b=1&c=\"x\"$(id)\n1|https://example.org/a?b=1&c=\"x\"$(id)\n");
    EXPECT_EQ(s.sandbox.log().find("beep"), std::string::npos) << s.sandbox.log();
    EXPECT_EQ(s.sandbox.quit(), 0);
}

TEST(LinksScreen, WithoutAnOpenerTheUserIsToldNotBeeped)
{
    LinksSandbox s;
    ASSERT_TRUE(s.sandbox.launch({}, {"PATH=" + s.sandbox.file("empty").string()}));
    s.sandbox.expectAnswers({{"screen 29", "screen 29 panels"},
                             {ClickOnCaption(kLinksScreen, "Link 1"), "xdg-open não foi encontrado"}});
    EXPECT_EQ(s.sandbox.log().find("beep"), std::string::npos) << s.sandbox.log();
    EXPECT_EQ(s.sandbox.quit(), 0);
}

std::string MakePhoto(const ProgramSandbox& sandbox, const std::string& name, const char* colour)
{
    const std::string path = sandbox.file(name).string();
    EXPECT_EQ(std::system((std::string(LV_TOOL) + " new 400 300 " + colour + " '" + path + "'").c_str()), 0);
    return path;
}

TEST(InternetPages, WebAlbumPublishesAndAnimationPlaysStopsAndSaves)
{
    ProgramSandbox sandbox;
    const std::string a = MakePhoto(sandbox, "a.bmp", "200 0 0"), b = MakePhoto(sandbox, "b.bmp", "0 0 200");
    ASSERT_TRUE(sandbox.launch());
    sandbox.expectAnswers({{"screen 30", "screen 30 panels"},
                           {"webalbum add " + a + "|" + b, "webalbum 2 photos"},
                           {ClickOnCaption(30, "Próximo"), "beep last photo"},
                           {ClickOnCaption(30, "Anterior"), ""},
                           {"webalbum publish " + sandbox.file("site").string(), "webalbum published 2"}});
    EXPECT_TRUE(std::filesystem::is_regular_file(sandbox.file("site/index.html")));
    EXPECT_TRUE(std::filesystem::is_regular_file(sandbox.file("site/foto-002.html")));
    EXPECT_NE(sandbox.log().find("foi publicado em"), std::string::npos) << sandbox.log();

    sandbox.expectAnswers({{"screen 31", "screen 31 panels"},
                           {ClickOnCaption(31, "Reproduzir"), "ainda não tem quadros"},
                           {"animation add " + a + "|" + b, "animation 2 frames"},
                           {ClickOnCaption(31, "Reproduzir"), "animation frame 1"},
                           {ClickOnCaption(31, "Parar"), "animation stopped"},
                           {"animation save " + sandbox.file("anim.gif").string(), "animation saved 2 frames"}});
    EXPECT_EQ(ReadTextFile(sandbox.file("anim.gif")).substr(0, 6), "GIF89a");
    EXPECT_EQ(sandbox.log().find("beep no handler"), std::string::npos) << sandbox.log();
    EXPECT_EQ(sandbox.quit(), 0);
}

}  // namespace
}  // namespace lv::testing
