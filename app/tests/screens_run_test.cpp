#include "app/skin/button_table.h"
#include "program_runner.h"

#include <gtest/gtest.h>

namespace lv::testing {
namespace {

using skin::SkinVariant;

struct Area {
    int control;
    int screen;
    const char* panels;
};

// The five area buttons and what docs/screens.md says each shows first.
constexpr Area kAreas[] = {
    {155, 1, "0,1"}, {147, 18, "0,18"}, {148, 2, "0,2"}, {154, 19, "0,19"}, {151, 25, "0,25"},
};

skin::Rect Place(int panel, int controlId, SkinVariant variant)
{
    for (const skin::ButtonDefinition& b : skin::PanelButtons(panel))
        if (b.controlId == controlId)
            return b.placeIn(variant);
    ADD_FAILURE() << "no control " << controlId << " on panel " << panel;
    return {};
}

skin::Rect PlaceOf(int panel, skin::Handler handler, std::uint32_t argument, SkinVariant variant)
{
    for (const skin::ButtonDefinition& b : skin::PanelButtons(panel))
        if (b.handler == handler && b.argument == argument)
            return b.placeIn(variant);
    ADD_FAILURE() << "no such button on panel " << panel;
    return {};
}

std::string Click(const skin::Rect& r, const char* verb = "click")
{
    return std::string(verb) + " " + std::to_string(r.x + r.width / 2) + " " + std::to_string(r.y + r.height / 2);
}

// Clicks each area button of the title bar and checks the screen and panels shown.
void ClickEveryArea(ProgramSandbox& sandbox, SkinVariant variant)
{
    for (const Area& area : kAreas) {
        ASSERT_EQ(sandbox.send(Click(Place(0, area.control, variant))), 0);
        const std::string shown = "screen " + std::to_string(area.screen) + " panels " + area.panels + "\n";
        EXPECT_NE(sandbox.log().find(shown), std::string::npos) << area.control << "\n" << sandbox.log();
    }
    EXPECT_NE(sandbox.log().find("sound Click1.wav\n"), std::string::npos);
}

TEST(ProgramScreens, AreaButtonsShowTheirScreensF1OpensTheirHelpAndCtrlQCloses)
{
    ProgramSandbox sandbox(1280, 1024);
    const pid_t program = sandbox.start({});
    ASSERT_GT(program, 0);
    ASSERT_TRUE(sandbox.waitForLog("ready 128 128 1024 768\n"));
    EXPECT_NE(sandbox.log().find("screen 0 panels 0\n"), std::string::npos) << sandbox.log();
    EXPECT_EQ(sandbox.log().find("message "), std::string::npos) << "every skin file is there";

    ClickEveryArea(sandbox, SkinVariant::Large);
    ASSERT_EQ(sandbox.send("key F1"), 0);
    EXPECT_NE(sandbox.log().find("help tela25.html\n"), std::string::npos) << sandbox.log();

    // Inside the Editar area: its page strip, then a page nested two deep.
    const skin::Rect host = Place(0, 101, SkinVariant::Large);
    ASSERT_EQ(sandbox.send(Click(Place(0, 148, SkinVariant::Large))), 0);
    const skin::Rect paint = PlaceOf(2, skin::Handler::SwitchScreen, 12, SkinVariant::Large).translated(host.x, host.y);
    ASSERT_EQ(sandbox.send(Click(paint)), 0);
    EXPECT_NE(sandbox.log().find("screen 12 panels 0,12\n"), std::string::npos) << sandbox.log();
    const skin::Rect brushes = PlaceOf(12, skin::Handler::SwitchScreen, 13, SkinVariant::Large).translated(host.x, host.y);
    ASSERT_EQ(sandbox.send(Click(brushes)), 0);
    EXPECT_NE(sandbox.log().find("screen 13 panels 0,12,13\n"), std::string::npos) << sandbox.log();
    ASSERT_EQ(sandbox.send("key F1"), 0);
    EXPECT_NE(sandbox.log().find("help tela13.html\n"), std::string::npos) << sandbox.log();

    ASSERT_EQ(sandbox.send("key Ctrl+Q"), 0);
    EXPECT_EQ(ProgramSandbox::wait(program), 0);
    EXPECT_NE(sandbox.log().find("exit\n"), std::string::npos);
}

TEST(ProgramScreens, TheSmallWindowHasTheSameScreensAndItsSairButtonCloses)
{
    ProgramSandbox sandbox(1920, 1080);
    std::ofstream(sandbox.configFile()) << "[USER]\nFOR_640=1\n";
    const pid_t program = sandbox.start({});
    ASSERT_GT(program, 0);
    ASSERT_TRUE(sandbox.waitForLog("ready 0 0 800 600\n"));
    EXPECT_EQ(sandbox.log().find("message "), std::string::npos) << sandbox.log();

    ClickEveryArea(sandbox, SkinVariant::Small);
    ASSERT_EQ(sandbox.send("key F1"), 0);
    EXPECT_NE(sandbox.log().find("help tela25.html\n"), std::string::npos) << sandbox.log();

    ASSERT_EQ(sandbox.send(Click(PlaceOf(0, skin::Handler::Quit, 0, SkinVariant::Small))), 0);
    EXPECT_EQ(ProgramSandbox::wait(program), 0);
    EXPECT_NE(sandbox.log().find("exit\n"), std::string::npos);
}

TEST(ProgramScreens, UnbuiltFeaturesBeepAndARightClickOffTheButtonsOpensTheHelpMenu)
{
    ProgramSandbox sandbox(1280, 1024);
    const pid_t program = sandbox.start({});
    ASSERT_GT(program, 0);
    ASSERT_TRUE(sandbox.waitForLog("ready "));

    ASSERT_EQ(sandbox.send(Click(Place(0, 149, SkinVariant::Large))), 0);
    EXPECT_NE(sandbox.log().find("sound Click2.wav\nbeep\n"), std::string::npos) << sandbox.log();
    ASSERT_EQ(sandbox.send(Click(Place(0, 202, SkinVariant::Large), "rclick")), 0);
    EXPECT_NE(sandbox.log().find("menu 221\n"), std::string::npos) << sandbox.log();
    ASSERT_EQ(sandbox.send(Click(Place(0, 149, SkinVariant::Large), "rclick")), 0);
    EXPECT_NE(sandbox.log().find("help index.html\n"), std::string::npos) << "the start screen has no context";

    ASSERT_EQ(sandbox.send("quit"), 0);
    EXPECT_EQ(ProgramSandbox::wait(program), 0);
}

}  // namespace
}  // namespace lv::testing
