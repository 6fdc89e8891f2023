#include "sharing/mail/client_automation.h"
#include "sharing/mail/client_windows.h"
#include "sharing/tests/scripted_client.h"

#include <gtest/gtest.h>

namespace lv::sharing {
namespace {

using testing::FakeClock;
using testing::FakeTimer;
using testing::FakeWindowSystem;
using testing::ScriptedClient;

class Automation : public ::testing::Test {
protected:
    // Ticks until the automation stops or the limit passes; the ticks it took.
    int runToEnd(int limit = 1000)
    {
        int ticks = 0;
        while (automation.running() && ticks < limit) {
            automation.tick(kAutomationTimer);
            clock.now += kAutomationMilliseconds;
            ++ticks;
        }
        return ticks;
    }
    std::vector<std::uint32_t> typed(const std::string& what) const
    {
        std::vector<std::uint32_t> out;
        for (const auto& s : ws.sent)
            if (s.what == what)
                out.push_back(s.value);
        return out;
    }

    FakeWindowSystem ws;
    FakeTimer timer;
    FakeClock clock;
    MailClientAutomation automation{ws, timer, clock};
};

TEST_F(Automation, WalksTheSixStagesToAMessageWithThePictureAttached)
{
    ScriptedClient client(ws);
    automation.start("/fotos/praia.jpg", 5);
    EXPECT_EQ(timer.running.at(kAutomationTimer), kAutomationMilliseconds);

    std::vector<int> stages;
    while (automation.running() && stages.size() < 500) {
        automation.tick(kAutomationTimer);
        if (stages.empty() || stages.back() != automation.stage())
            stages.push_back(automation.stage());
    }
    EXPECT_EQ(stages, (std::vector<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_FALSE(automation.running());
    EXPECT_FALSE(timer.running.count(kAutomationTimer));

    // Tool bar icon (second of the tool bar), the 70 x 24 button at the bottom left of
    // "Write Mail", the top-left and then the bottom-left button of "Attachments".
    ASSERT_EQ(ws.clicked().size(), 4u);
    EXPECT_EQ(ws.clicked()[0], client.writeIcon());
    EXPECT_EQ(ws.clicked()[1], client.attachButton);
    EXPECT_EQ(ws.sent.front(), (FakeWindowSystem::Sent{"click", client.writeIcon(), client::kToolbarClickValue}));

    std::string path;
    for (const auto& s : ws.sent)
        if (s.what == "char" && s.window == client.edit)
            path += char(s.value);
    EXPECT_EQ(path, "   /fotos/praia.jpg");
    const auto command = std::find_if(ws.sent.begin(), ws.sent.end(), [](const auto& s) { return s.what == "command"; });
    ASSERT_NE(command, ws.sent.end());
    EXPECT_EQ(command->window, client.attachDialog);
    EXPECT_EQ(command->value, client::kOkCommand);
    EXPECT_EQ(command->argument, 0u);

    // The hidden client comes forward with the message being written.
    EXPECT_TRUE(ws.visible(client.main));
    EXPECT_EQ(ws.sent.back(), (FakeWindowSystem::Sent{"show", client.writeMail, std::uint32_t(ShowCommand::Show)}));
}

TEST_F(Automation, WaitsSixTicksBeforeTheToolbarClickAndOneAfterFindingTheButton)
{
    ScriptedClient client(ws);
    automation.start("/a.jpg", 5);
    automation.tick(kAutomationTimer);  // finds the icon
    for (int i = 0; i < 5; ++i)
        automation.tick(kAutomationTimer);
    EXPECT_TRUE(ws.clicked().empty());
    automation.tick(kAutomationTimer);
    EXPECT_EQ(ws.clicked(), std::vector<WindowHandle>{client.writeIcon()});
    automation.tick(kAutomationTimer);  // finds "Write Mail" and its button
    EXPECT_EQ(ws.clicked().size(), 1u);
    automation.tick(kAutomationTimer);
    EXPECT_EQ(ws.clicked().back(), client.attachButton);
}

TEST_F(Automation, AMessageAlreadyOpenSkipsTheToolbar)
{
    ScriptedClient client(ws, false);
    client.openWriteMail();
    automation.start("/a.jpg", 5);
    automation.tick(kAutomationTimer);
    EXPECT_EQ(automation.stage(), 1);
    runToEnd();
    EXPECT_EQ(ws.clicksOn(client.writeIcon()), 0);
}

TEST_F(Automation, ClientVersionPicksTheToolbarIcon)
{
    ScriptedClient client(ws);
    automation.start("/a.jpg", 3);  // versions other than 4 and 5 have it first
    for (int i = 0; i < 7; ++i)
        automation.tick(kAutomationTimer);
    EXPECT_EQ(ws.clicked(), std::vector<WindowHandle>{client.icons[0]});
}

TEST_F(Automation, ASlowWindowMakesTheClickBeforeItRepeatWithARaisedLimit)
{
    ScriptedClient client(ws);
    client.clicksIgnored = 1;
    automation.start("/a.jpg", 5);
    runToEnd();
    EXPECT_EQ(ws.clicksOn(client.writeIcon()), 2);
    EXPECT_EQ(automation.limit(1), 8 + 2);
    EXPECT_EQ(automation.limit(2), 8);
}

TEST_F(Automation, SearchesNineTimesBeforeGoingBack)
{
    ScriptedClient client(ws);
    client.clicksIgnored = 100;  // never opens
    automation.start("/a.jpg", 5);
    for (int i = 0; i < 7; ++i)
        automation.tick(kAutomationTimer);
    ASSERT_EQ(automation.stage(), 1);
    for (int i = 0; i < 8; ++i)
        automation.tick(kAutomationTimer);
    EXPECT_EQ(automation.stage(), 1);
    EXPECT_EQ(automation.attempts(1), 8);
    automation.tick(kAutomationTimer);
    EXPECT_EQ(automation.stage(), 0);
    EXPECT_EQ(automation.attempts(1), 0);
    automation.tick(kAutomationTimer);  // the click again, at once
    EXPECT_EQ(ws.clicked().size(), 2u);
    EXPECT_EQ(automation.stage(), 1);
}

TEST_F(Automation, AnAttachmentsWindowThatStaysIsClosedAgainWithOneTickMore)
{
    ScriptedClient client(ws);
    client.closeClicksIgnored = 2;
    automation.start("/a.jpg", 5);
    runToEnd();
    EXPECT_FALSE(automation.running());
    EXPECT_EQ(automation.limit(5), 5 + 2);
    EXPECT_EQ(ws.clicked().size(), 4u + 2u);
}

TEST_F(Automation, AHiddenClientIsShownAfterTwentySeconds)
{
    MailClientAutomation waiting(ws, timer, clock);
    ScriptedClient client(ws);
    client.clicksIgnored = 1000;
    waiting.start("/a.jpg", 5);
    waiting.tick(kAutomationTimer);
    clock.now += kShowHiddenClientAfterMs;
    waiting.tick(kAutomationTimer);
    EXPECT_FALSE(ws.visible(client.main));
    clock.now += 1;
    waiting.tick(kAutomationTimer);
    EXPECT_TRUE(ws.visible(client.main));
}

TEST_F(Automation, OtherTimersAndAStoppedAutomationDoNothing)
{
    ScriptedClient client(ws);
    automation.tick(kAutomationTimer);
    automation.start("/a.jpg", 5);
    for (int i = 0; i < 20; ++i)
        automation.tick(100);
    EXPECT_TRUE(ws.sent.empty());
    EXPECT_EQ(automation.stage(), 0);
}

TEST_F(Automation, ANewStartForgetsTheLastRun)
{
    ScriptedClient client(ws);
    client.clicksIgnored = 1;
    automation.start("/a.jpg", 5);
    runToEnd();
    ASSERT_EQ(automation.limit(1), 10);
    automation.start("/b.jpg", 5);
    EXPECT_EQ(automation.limit(1), 8);
    EXPECT_EQ(automation.stage(), 0);
    EXPECT_EQ(automation.path(), "/b.jpg");
    EXPECT_EQ(automation.attempts(5), 0);
}

TEST_F(Automation, ThePathIsCutAt260Bytes)
{
    automation.start(std::string(300, 'a'), 5);
    EXPECT_EQ(automation.path().size(), kMaxPathBytes);
}

}  // namespace
}  // namespace lv::sharing
