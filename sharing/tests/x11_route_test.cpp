// The mail-client route on a real X display (run under xvfb-run): the X11 window system
// starts the stand-in client hidden, finds its windows, clicks and types into them.

#include "common/byte_source.h"
#include "common/testing/temp_dir.h"
#include "sharing/mail/client_route.h"
#include "sharing/mail/client_windows.h"
#include "sharing/mail/window_search.h"
#include "sharing/testing/fake_window_system.h"
#include "sharing/x11/x11_window_system.h"

#include <gtest/gtest.h>

#include <thread>

namespace lv::sharing {
namespace {

class Settings final : public RouteSettings {
public:
    std::optional<std::string> clientExecutable() override { return executable; }
    bool dialogSuppressed() override { return true; }
    void setDialogSuppressed(bool) override {}
    std::string executable;
};

std::string Slurp(const std::string& path)
{
    const auto bytes = ReadWholeFile(path).value_or(std::vector<std::uint8_t>{});
    return std::string(bytes.begin(), bytes.end());
}

TEST(X11Route, TheStandInClientGetsThePathTypedAndComesForward)
{
    const std::unique_ptr<X11WindowSystem> ws = X11WindowSystem::Open();
    if (!ws)
        GTEST_SKIP() << "no X display";
    lv::testing::TempDir dir;
    const std::filesystem::path folder = dir.path() / "client" / "4.0";
    std::filesystem::create_directories(folder);
    const std::filesystem::path client = folder / "client";
    std::filesystem::create_symlink(LV_STANDIN, client);
    const std::string log = dir.file("standin.log");
    setenv("STANDIN_LOG", log.c_str(), 1);

    testing::FakeTimer timer;
    Settings settings;
    settings.executable = client.string();
    MailClientRoute route(*ws, timer, SystemClock(), settings, [] { return RouteDialogAnswer{}; });
    const std::string path = "/tmp/Férias de verão/praia é ç €.jpg";
    ASSERT_EQ(route.run(path), ClientRouteResult::Handled);

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (timer.running.count(kAutomationTimer) && std::chrono::steady_clock::now() < deadline) {
        route.tick(kAutomationTimer);
        std::this_thread::sleep_for(std::chrono::milliseconds(kAutomationMilliseconds));
    }
    EXPECT_FALSE(route.automation().running()) << "stopped at stage " << route.automation().stage();
    EXPECT_EQ(Slurp(log), "started\ntyped    " + path + "\nclosed\n");

    const WindowHandle main = FindTopLevel(*ws, client::kMainClass, client::kMainTitle);
    ASSERT_NE(main, 0u);
    EXPECT_TRUE(ws->visible(main) && ws->visible(FindChildByTitle(*ws, main, client::kWriteMailTitle)));
    EXPECT_EQ(FindTopLevel(*ws, std::nullopt, client::kAttachmentsTitle), 0u);
    ws->sendCommand(main, 99, 0);
}

TEST(X11Route, WindowsTheirClassesTitlesAndPlaces)
{
    const std::unique_ptr<X11WindowSystem> ws = X11WindowSystem::Open();
    if (!ws)
        GTEST_SKIP() << "no X display";
    // Nothing is found where nothing is, and a vanished window is answered calmly.
    EXPECT_EQ(FindTopLevel(*ws, "Nenhuma classe", std::nullopt), 0u);
    const WindowHandle gone = 0x7FFFFFF;
    EXPECT_EQ(std::tuple(ws->exists(gone), ws->className(gone), ws->title(gone), ws->descendants(gone)),
              std::tuple(false, "", "", std::vector<WindowHandle>{}));
    ws->click(gone, 5);
    EXPECT_LT(ws->startProgram("/nonexistent/program", ShowCommand::Hide), kProgramStarted);
}

}  // namespace
}  // namespace lv::sharing
