#include "program_runner.h"
#include "skin_clicks.h"

#include <gtest/gtest.h>

namespace lv::testing {
namespace {

TEST(ProgramScreens, AreaButtonsShowTheirScreensF1OpensTheirHelpAndCtrlQCloses)
{
    ProgramSandbox sandbox(1280, 1024);
    ASSERT_TRUE(sandbox.launch({}, {}, "ready 128 128 1024 768\n"));
    EXPECT_NE(sandbox.log().find("screen 0 panels 0\n"), std::string::npos) << sandbox.log();
    EXPECT_EQ(sandbox.log().find("message "), std::string::npos) << "every skin file is there";

    // The five area buttons and what docs/screens.md says each shows first; then inside the
    // Editar area its page strip and a page nested two deep. Each line is looked for after the command.
    const skin::Point host = SidePanelPlace();
    sandbox.expectAnswers({
        {ClickOnControl(155), "screen 1 panels 0,1\n"},   {ClickOnControl(147), "screen 18 panels 0,18\n"},
        {ClickOnControl(148), "screen 2 panels 0,2\n"},   {ClickOnControl(154), "screen 19 panels 0,19\n"},
        {ClickOnControl(151), "screen 25 panels 0,25\n"}, {"key F1", "help tela25.html\n"},
        {ClickOnControl(148), "screen 2 panels 0,2\n"},   {ClickOnPage(2, 12, host), "screen 12 panels 0,12\n"},
        {ClickOnPage(12, 13, host), "screen 13 panels 0,12,13\n"}, {"key F1", "help tela13.html\n"},
    });
    EXPECT_NE(sandbox.log().find("sound Click1.wav\n"), std::string::npos);

    EXPECT_EQ(sandbox.quit("key Ctrl+Q"), 0);
    EXPECT_NE(sandbox.log().find("exit\n"), std::string::npos);
}

}  // namespace
}  // namespace lv::testing
