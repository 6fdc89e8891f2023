// The web album and animation pages in the running program: photos in, the strip's steps,
// a gallery published and an animation played, stopped and saved.

#include "program_runner.h"
#include "screen_places.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace lv::testing {
namespace {

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
