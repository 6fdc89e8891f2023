// Sending the picture: the routes (the desktop client driven through its windows, or the mail
// layer), the path typed into the client, and the automation's stages against a scripted client.

#include "common/string_table.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "sharing/mail/client_automation.h"
#include "sharing/mail/client_route.h"
#include "sharing/mail/client_windows.h"
#include "sharing/mail/path_typing.h"
#include "sharing/mail/send_picture.h"
#include "sharing/mail/window_search.h"
#include "sharing/testing/fake_window_system.h"
#include "sharing/tests/scripted_client.h"

#include <gtest/gtest.h>

#include <fstream>

namespace lv::sharing {
namespace {

using testing::FakeClock;
using testing::FakeTimer;
using testing::FakeWindowSystem;
using testing::ScriptedClient;

TEST(ClientVersion, TheDigitThreeFromTheEndElseFive)
{
    // "v" is no digit; "x9" is too short to have the character.
    for (const auto& [path, version] : {std::pair{"/opt/client/5.0", 5}, {"/opt/client/4.0", 4}, {"/opt/client/3.0", 3},
                                        {"/opt/client/v40", 5}, {"/opt/client", 5}, {"9.0", 9}, {"x9", 5}, {"", 5}})
        EXPECT_EQ(ClientMajorVersion(path), version) << path;
}

TEST(PathTyping, ThreeBlanksThenBytesWithDoubleBytePairsAsOneCharacter)
{
    using C = TypedCharacter;
    EXPECT_EQ(CharactersForPath("/a"), (std::vector<C>{{false, ' '}, {false, ' '}, {false, ' '}, {false, '/'}, {false, 'a'}}));
    // "é" in UTF-8 is C3 A9: one character with C3 high and A9 low.
    const std::vector<C> accented = CharactersForPath("/é.jpg");
    ASSERT_EQ(accented.size(), 3u + 1 + 1 + 4);
    EXPECT_EQ(accented[4], (C{true, 0xC3A9}));
    EXPECT_EQ(accented[5], (C{false, '.'}));
    // Three high bytes: a pair, then a single byte; a high byte before a low one stays single.
    const std::vector<C> odd = CharactersForPath("\xE2\x82\xAC" "a\xC3");
    EXPECT_EQ(std::vector<C>(odd.begin() + 3, odd.end()),
              (std::vector<C>{{true, 0xE282}, {false, 0xAC}, {false, 'a'}, {false, 0xC3}}));
    EXPECT_EQ(CharactersForPath("").size(), 3u);
}

class Settings final : public RouteSettings {
public:
    std::optional<std::string> clientExecutable() override { return executable; }
    bool dialogSuppressed() override { return lastbStart > 0; }
    void setDialogSuppressed(bool suppressed) override { lastbStart = suppressed ? 1 : 0; }
    std::optional<std::string> executable;
    int lastbStart = 0;
};

class Document final : public MailDocument {
public:
    explicit Document(std::string name = "/fotos/a.jpg")
        : name(std::move(name))
    {
    }
    std::string title() const override { return name; }
    bool neverSaved() const override { return name.find("Sem título-") != std::string::npos && name.find('/') == std::string::npos; }
    bool saveAs() override
    {
        steps.push_back("saveas");
        if (saveAsGives.empty())
            return false;
        name = saveAsGives;
        return true;
    }
    bool saveIfModified() override
    {
        steps.push_back("prompt");
        return promptGoesOn;
    }
    std::string name;
    std::string saveAsGives;
    bool promptGoesOn = true;
    std::vector<std::string> steps;
};

// The routes of the program, with the real client route over a fake window system.
class Routes final : public MailRoutes {
public:
    explicit Routes(MailClientRoute& client)
        : client(client)
    {
    }
    std::optional<std::string> attachmentFor(const std::string& path) override
    {
        steps.push_back("attach " + path);
        return path;
    }
    int tryClient(const std::string& path) override
    {
        const int result = int(client.run(path));
        steps.push_back("client " + std::to_string(result));
        return result;
    }
    bool mailLayerConfigured() override { return configured; }
    void sendWithMailLayer(const std::string& path) override { steps.push_back("layer " + path); }

    MailClientRoute& client;
    bool configured = true;
    std::vector<std::string> steps;
};

class SendPictureTest : public ::testing::Test {
protected:
    SendPictureTest()
    {
        const auto folder = dir.path() / "client" / "5.0";
        std::filesystem::create_directories(folder);
        clientPath = (folder / "client").string();
        std::ofstream(clientPath) << "#!/bin/sh\n";
    }
    MailClientRoute::RouteDialog scriptedDialog()
    {
        return [this] {
            ++dialogs;
            return answer;
        };
    }

    lv::testing::TempDir dir;
    lv::testing::UiRecorder ui;
    std::string clientPath;
    FakeWindowSystem ws;
    FakeTimer timer;
    FakeClock clock;
    Settings settings;
    RouteDialogAnswer answer;
    int dialogs = 0;
    MailClientRoute route{ws, timer, clock, settings, scriptedDialog()};
    Routes routes{route};
};

TEST_F(SendPictureTest, NoImageWindowBeepsAndSendsNothing)
{
    SendPicture(nullptr, routes);
    EXPECT_EQ(ui.beeps, 1);
    EXPECT_TRUE(routes.steps.empty());
}

TEST_F(SendPictureTest, AnUntitledPictureGoesThroughSaveAsFirstAndTheNewNameIsSent)
{
    Document doc("TrueColor-Sem título-03");
    doc.saveAsGives = "/fotos/nova.jpg";
    SendPicture(&doc, routes);
    EXPECT_EQ(doc.steps, std::vector<std::string>{"saveas"});
    EXPECT_EQ(routes.steps, (std::vector<std::string>{"attach /fotos/nova.jpg", "client 0", "layer /fotos/nova.jpg"}));
}

TEST_F(SendPictureTest, ACancelledSaveAsOrPromptEndsTheRequestSilently)
{
    Document untitled("Sem título-01");
    SendPicture(&untitled, routes);
    Document changed;
    changed.promptGoesOn = false;
    SendPicture(&changed, routes);
    EXPECT_EQ(changed.steps, std::vector<std::string>{"prompt"});
    EXPECT_EQ(std::tuple(routes.steps.size(), ui.messages.size(), ui.beeps), std::tuple(0u, 0u, 0));
}

TEST_F(SendPictureTest, WithoutAClientTheMailLayerSendsOrSaysMailIsNotSetUp)
{
    Document doc;
    SendPicture(&doc, routes);
    EXPECT_EQ(routes.steps, (std::vector<std::string>{"attach /fotos/a.jpg", "client 0", "layer /fotos/a.jpg"}));

    routes.steps.clear();
    routes.configured = false;
    SendPicture(&doc, routes);
    EXPECT_EQ(routes.steps, (std::vector<std::string>{"attach /fotos/a.jpg", "client 0"}));
    EXPECT_EQ(ui.beeps, 1);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(std::tuple(ui.messages[0].text, ui.messages[0].title, ui.messages[0].icon),
              std::tuple(LoadString(kMailNotConfiguredString), ui::kWarningTitle, ui::Icon::Exclamation));
}

TEST_F(SendPictureTest, TheDialogChoosesTheClientStartedHiddenAndRecordsItsCheckBox)
{
    settings.executable = clientPath;
    answer = {true, true, true};
    Document doc;
    SendPicture(&doc, routes);
    EXPECT_EQ(std::tuple(dialogs, settings.lastbStart, routes.steps.back()), std::tuple(1, 1, "client 1"));
    ASSERT_EQ(ws.started.size(), 1u);
    EXPECT_EQ(ws.started[0], std::make_pair(clientPath, ShowCommand::Hide));
    EXPECT_EQ(std::tuple(route.automation().running(), route.automation().path()), std::tuple(true, "/fotos/a.jpg"));
    EXPECT_EQ(timer.running.at(kAutomationTimer), 30);
}

TEST_F(SendPictureTest, LastbStartSetSkipsTheDialogAndUsesTheClient)
{
    settings.executable = clientPath;
    settings.lastbStart = 1;
    answer = {true, false, false};  // would choose the mail layer, were it asked
    Document doc;
    SendPicture(&doc, routes);
    EXPECT_EQ(std::tuple(dialogs, settings.lastbStart, routes.steps.back(), ws.started.size()),
              std::tuple(0, 1, "client 1", 1u));
}

// The other mail goes on with the mail layer in the same request; asked again, a cancel ends it.
TEST_F(SendPictureTest, TheOtherMailGoesOnWithTheMailLayerAndACancelEndsTheRequest)
{
    settings.executable = clientPath;
    answer = {true, false, false};
    Document doc;
    SendPicture(&doc, routes);
    EXPECT_EQ(routes.steps, (std::vector<std::string>{"attach /fotos/a.jpg", "client 0", "layer /fotos/a.jpg"}));
    EXPECT_EQ(settings.lastbStart, 0);
    routes.steps.clear();
    answer = {false, true, false};
    SendPicture(&doc, routes);
    EXPECT_EQ(routes.steps, (std::vector<std::string>{"attach /fotos/a.jpg", "client -1"}));
    EXPECT_EQ(std::tuple(dialogs, ws.started.size(), ui.messages.size()), std::tuple(2, 0u, 0u));
}

TEST_F(SendPictureTest, AChoiceKeptForGoodHoldsForTheRestOfTheRun)
{
    settings.executable = clientPath;
    answer = {true, false, true};  // the other mail, and do not ask again
    Document doc;
    SendPicture(&doc, routes);
    SendPicture(&doc, routes);
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(routes.steps, (std::vector<std::string>{"attach /fotos/a.jpg", "client 0", "layer /fotos/a.jpg",
                                                      "attach /fotos/a.jpg", "client 0", "layer /fotos/a.jpg"}));
    // A new run starts with the client again.
    MailClientRoute nextRun(ws, timer, clock, settings, scriptedDialog());
    EXPECT_EQ(nextRun.run("/fotos/a.jpg"), ClientRouteResult::Handled);
}

TEST_F(SendPictureTest, AClientThatCannotBeReadIsMissingWithoutAWord)
{
    settings.executable = (dir.path() / "none" / "client").string();
    EXPECT_EQ(route.run("/a.jpg"), ClientRouteResult::ClientMissing);
    EXPECT_EQ(dialogs, 0);
    EXPECT_TRUE(ui.messages.empty());
    settings.executable = "";
    EXPECT_EQ(route.run("/a.jpg"), ClientRouteResult::NotHandled);
}

TEST_F(SendPictureTest, ASecondStartWaitsTwoSecondsWithTheBusyCursorAndAFailedStartIsNotDriven)
{
    settings.executable = clientPath;
    settings.lastbStart = 1;
    EXPECT_EQ(route.run("/a.jpg"), ClientRouteResult::Handled);
    EXPECT_TRUE(clock.slept.empty());
    ws.startResult = 2;
    timer.running.clear();
    EXPECT_EQ(route.run("/b.jpg"), ClientRouteResult::Handled);
    EXPECT_EQ(std::tuple(clock.slept, ui.busyCount, ui.busyDepth), std::tuple(std::vector<int>{2000}, 1, 0));
    EXPECT_TRUE(timer.running.empty());
}

// A 3 x 3 grid of buttons inside a panel, in reading order, plus one of another class and a
// nested one.
class Grid : public ::testing::Test {
protected:
    Grid()
    {
        panel = ws.add(0, "Panel", "Painel", {100, 100, 400, 400});
        for (int row = 0; row < 3; ++row)
            for (int column = 0; column < 3; ++column)
                buttons.push_back(ws.add(panel, "Button", "", {110 + 100 * column, 110 + 100 * row,
                                                                170 + 100 * column, 134 + 100 * row}));
        other = ws.add(panel, "Other", "", {101, 101, 120, 120});
    }
    FakeWindowSystem ws;
    WindowHandle panel = 0;
    std::vector<WindowHandle> buttons;
    WindowHandle other = 0;
};

TEST_F(Grid, EachCornerFindsItsButton)
{
    for (const auto& [corner, button] : {std::pair{Corner::TopLeft, 0}, {Corner::TopRight, 2}, {Corner::BottomLeft, 6},
                                         {Corner::BottomRight, 8}})
        EXPECT_EQ(FindInCorner(ws, panel, "Button", corner), buttons[std::size_t(button)]) << button;
    EXPECT_EQ(FindInCorner(ws, panel, "Other", Corner::BottomRight), other);
    EXPECT_EQ(FindInCorner(ws, panel, "None", Corner::TopLeft), 0u);
    EXPECT_EQ(FindInCorner(ws, 0, "Button", Corner::TopLeft), 0u);
}

TEST_F(Grid, TheWalkKeepsTheLastThatQualifiesNotTheTrueCorner)
{
    // Further left than any, but seen last and below the best point by then: not taken.
    const WindowHandle late = ws.add(panel, "Button", "", {105, 150, 130, 170});
    EXPECT_EQ(FindInCorner(ws, panel, "Button", Corner::TopLeft), buttons[0]);
    EXPECT_EQ(FindInCorner(ws, panel, "Button", Corner::BottomLeft), buttons[6]);
    // The first seen stays when a later one is higher but not also further left.
    FakeWindowSystem first;
    const WindowHandle p = first.add(0, "Panel", "", {0, 0, 100, 100});
    const WindowHandle low = first.add(p, "Button", "", {5, 50, 10, 60});
    const WindowHandle high = first.add(p, "Button", "", {20, 10, 30, 20});
    EXPECT_EQ(FindInCorner(first, p, "Button", Corner::TopLeft), low);  // (20,10) is not left of (5,50)
    EXPECT_EQ(FindInCorner(first, p, "Button", Corner::TopRight), high);
    EXPECT_NE(late, 0u);
}

TEST_F(Grid, SizeFiltersBeforeThePlace)
{
    const WindowHandle wide = ws.add(panel, "Button", "", {310, 310, 380, 334});  // 70 x 24
    EXPECT_EQ(FindInCorner(ws, panel, "Button", Corner::TopLeft, Size{70, 24}), wide);
    EXPECT_EQ(FindInCorner(ws, panel, "Button", Corner::TopLeft, Size{60, 24}), buttons[0]);
    EXPECT_EQ(FindInCorner(ws, panel, "Button", Corner::TopLeft, Size{24, 60}), 0u);
}

TEST_F(Grid, NestedWindowsCountInOrderAndTheParentsClassFilters)
{
    const WindowHandle bar = ws.add(panel, "Bar", "", {100, 380, 400, 400});
    const WindowHandle inBar0 = ws.add(bar, "Button", "", {100, 380, 120, 400});
    const WindowHandle inBar1 = ws.add(bar, "Button", "", {130, 380, 150, 400});
    for (const auto& [parentClass, index, found] : {std::tuple{"", 0, buttons[0]}, {"", 9, inBar0}, {"Bar", 0, inBar0},
                                                    {"Bar", 1, inBar1}, {"Bar", 2, WindowHandle(0)}, {"Panel", 8, buttons[8]}})
        EXPECT_EQ(FindChildOfClass(ws, panel, "Button", parentClass, index), found) << parentClass << " " << index;
}

TEST_F(Grid, TitlesAndClassesCompareWhole)
{
    ws.add(0, "Panel", "Painel 2", {});
    const WindowHandle exact = ws.add(0, "Panel2", "Painel", {});
    EXPECT_EQ(FindTopLevel(ws, "Panel", "Painel"), panel);
    EXPECT_EQ(FindTopLevel(ws, "Panel2", std::nullopt), exact);
    EXPECT_EQ(FindTopLevel(ws, std::nullopt, "Painel 2"), ws.topLevelWindows()[1]);
    EXPECT_EQ(FindTopLevel(ws, "panel", "Painel"), 0u);
    EXPECT_EQ(FindTopLevel(ws, "Panel", "Paine"), 0u);
    const WindowHandle named = ws.add(buttons[4], "Static", "Write Mail", {});
    EXPECT_EQ(FindChildByTitle(ws, panel, "Write Mail"), named);
    EXPECT_EQ(FindChildByTitle(ws, panel, "Write"), 0u);
}

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

// The icon is found on the first tick and clicked on the seventh; "Write Mail" and its button
// are found on the next and clicked on the one after. Versions other than 4 and 5 have the
// icon first in the tool bar.
TEST_F(Automation, WaitsSixTicksBeforeTheToolbarClickAndOneAfterFindingTheButton)
{
    for (const int version : {5, 3}) {
        FakeWindowSystem windows;
        ScriptedClient client(windows);
        MailClientAutomation run(windows, timer, clock);
        run.start("/a.jpg", version);
        for (int i = 0; i < 6; ++i)
            run.tick(kAutomationTimer);
        EXPECT_TRUE(windows.clicked().empty()) << version;
        run.tick(kAutomationTimer);
        EXPECT_EQ(windows.clicked(), std::vector<WindowHandle>{version == 5 ? client.writeIcon() : client.icons[0]}) << version;
        if (version != 5)
            continue;  // the scripted client opens "Write Mail" from its own icon only
        run.tick(kAutomationTimer);
        EXPECT_EQ(windows.clicked().size(), 1u);
        run.tick(kAutomationTimer);
        EXPECT_EQ(windows.clicked().back(), client.attachButton);
    }
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
    EXPECT_EQ(std::tuple(automation.stage(), automation.attempts(1)), std::tuple(1, 8));
    automation.tick(kAutomationTimer);
    EXPECT_EQ(std::tuple(automation.stage(), automation.attempts(1)), std::tuple(0, 0));
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
    EXPECT_EQ(std::tuple(automation.running(), automation.limit(5), ws.clicked().size()), std::tuple(false, 7, 6u));
}

TEST_F(Automation, AHiddenClientIsShownAfterTwentySeconds)
{
    ScriptedClient client(ws);
    client.clicksIgnored = 1000;
    automation.start("/a.jpg", 5);
    automation.tick(kAutomationTimer);
    clock.now += kShowHiddenClientAfterMs;
    automation.tick(kAutomationTimer);
    EXPECT_FALSE(ws.visible(client.main));
    clock.now += 1;
    automation.tick(kAutomationTimer);
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

// A window too slow for the click makes it repeat, with the stage's limit raised; a new
// start forgets the raised limits.
TEST_F(Automation, ASlowWindowMakesTheClickBeforeItRepeatWithARaisedLimitUntilANewStart)
{
    ScriptedClient client(ws);
    client.clicksIgnored = 1;
    automation.start("/a.jpg", 5);
    runToEnd();
    EXPECT_EQ(ws.clicksOn(client.writeIcon()), 2);
    ASSERT_EQ(automation.limit(1), 8 + 2);
    EXPECT_EQ(automation.limit(2), 8);
    automation.start("/b.jpg", 5);
    EXPECT_EQ(std::tuple(automation.limit(1), automation.stage(), automation.path(), automation.attempts(5)),
              std::tuple(8, 0, "/b.jpg", 0));
}

TEST_F(Automation, ThePathIsCutAt260Bytes)
{
    automation.start(std::string(300, 'a'), 5);
    EXPECT_EQ(automation.path().size(), kMaxPathBytes);
}

}  // namespace
}  // namespace lv::sharing
