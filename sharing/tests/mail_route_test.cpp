#include "common/string_table.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "sharing/mail/client_route.h"
#include "sharing/mail/path_typing.h"
#include "sharing/mail/send_picture.h"
#include "sharing/tests/scripted_client.h"

#include <gtest/gtest.h>

#include <fstream>

namespace lv::sharing {
namespace {

using testing::FakeClock;
using testing::FakeTimer;
using testing::FakeWindowSystem;

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
    ASSERT_FALSE(routes.steps.empty());
    EXPECT_EQ(routes.steps.front(), "attach /fotos/nova.jpg");
    EXPECT_EQ(routes.steps.back(), "layer /fotos/nova.jpg");
}

TEST_F(SendPictureTest, ACancelledSaveAsOrPromptEndsTheRequestSilently)
{
    Document untitled("Sem título-01");
    SendPicture(&untitled, routes);
    Document changed;
    changed.promptGoesOn = false;
    SendPicture(&changed, routes);
    EXPECT_EQ(changed.steps, std::vector<std::string>{"prompt"});
    EXPECT_TRUE(routes.steps.empty());
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(ui.beeps, 0);
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
    EXPECT_EQ(ui.messages[0].text, LoadString(kMailNotConfiguredString));
    EXPECT_EQ(ui.messages[0].title, ui::kWarningTitle);
    EXPECT_EQ(ui.messages[0].icon, ui::Icon::Exclamation);
}

TEST_F(SendPictureTest, TheDialogChoosesTheClientStartedHiddenAndRecordsItsCheckBox)
{
    settings.executable = clientPath;
    answer = {true, true, true};
    Document doc;
    SendPicture(&doc, routes);
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(settings.lastbStart, 1);
    EXPECT_EQ(routes.steps.back(), "client 1");
    ASSERT_EQ(ws.started.size(), 1u);
    EXPECT_EQ(ws.started[0], std::make_pair(clientPath, ShowCommand::Hide));
    EXPECT_TRUE(route.automation().running());
    EXPECT_EQ(route.automation().path(), "/fotos/a.jpg");
    EXPECT_EQ(timer.running.at(kAutomationTimer), 30);
}

TEST_F(SendPictureTest, LastbStartSetSkipsTheDialogAndUsesTheClient)
{
    settings.executable = clientPath;
    settings.lastbStart = 1;
    answer = {true, false, false};  // would choose the mail layer, were it asked
    Document doc;
    SendPicture(&doc, routes);
    EXPECT_EQ(dialogs, 0);
    EXPECT_EQ(settings.lastbStart, 1);
    EXPECT_EQ(routes.steps.back(), "client 1");
    EXPECT_EQ(ws.started.size(), 1u);
}

TEST_F(SendPictureTest, ChoosingTheOtherMailGoesOnWithTheMailLayerInTheSameRequest)
{
    settings.executable = clientPath;
    answer = {true, false, false};
    Document doc;
    SendPicture(&doc, routes);
    EXPECT_EQ(routes.steps, (std::vector<std::string>{"attach /fotos/a.jpg", "client 0", "layer /fotos/a.jpg"}));
    EXPECT_TRUE(ws.started.empty());
    EXPECT_EQ(settings.lastbStart, 0);
}

TEST_F(SendPictureTest, CancellingTheDialogEndsTheRequest)
{
    settings.executable = clientPath;
    answer = {false, true, false};
    Document doc;
    SendPicture(&doc, routes);
    EXPECT_EQ(routes.steps.back(), "client -1");
    EXPECT_TRUE(ws.started.empty());
    EXPECT_TRUE(ui.messages.empty());
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
    EXPECT_EQ(clock.slept, std::vector<int>{2000});
    EXPECT_EQ(ui.busyCount, 1);
    EXPECT_EQ(ui.busyDepth, 0);
    EXPECT_TRUE(timer.running.empty());
}

}  // namespace
}  // namespace lv::sharing
