#include "app/acquire/screen_capture_page.h"

#include "acquire/screen/qt_screen_grab.h"
#include "acquire/screen/qt_screenshot_portal.h"
#include "acquire/screen/x11_windows.h"
#include "app/acquire/acquisition.h"
#include "app/skin/handlers.h"
#include "app/widgets/qt_text.h"
#include "app/shell/main_window.h"
#include "common/string_table.h"
#include "common/ui_service.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QTimer>

namespace lv::app {
namespace {

constexpr int kWaylandNotice = 36100;
constexpr int kNoPortal = 36101;
constexpr int kCaptureFailed = 36102;

// Lets the window system carry out what was asked (a window hidden, the desktop redrawn)
// until `until` has passed since `started`.
void SettleUntil(const QElapsedTimer& started, std::chrono::milliseconds until)
{
    do {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    } while (started.elapsed() < until.count());
}

}  // namespace

ScreenCapturePage::ScreenCapturePage(Acquisition& acquisition, const TestHooks& hooks)
    : acquisition_(acquisition)
    , hooks_(hooks)
{
}

void ScreenCapturePage::attach(MainWindow& mainWindow)
{
    mainWindow_ = &mainWindow;
    mainWindow.handlers().set(skin::Handler::CaptureScreen,
                              [this](const HandlerCall& call) { capture(int(call.argument & 0xFFFF)); });
}

void ScreenCapturePage::say(int stringId, const QString& detail)
{
    std::string text(LoadString(stringId));
    if (!detail.isEmpty())
        text += " " + detail.toStdString();
    ui::Current().showMessage(text, ui::kWarningTitle, ui::Icon::Exclamation);
}

void ScreenCapturePage::hideMainWindow()
{
    if (hide_ && mainWindow_)
        mainWindow_->hide();
}

void ScreenCapturePage::showMainWindow()
{
    if (hide_ && mainWindow_)
        mainWindow_->show();
}

void ScreenCapturePage::capture(int command)
{
    const screen::CaptureKind kind = screen::CaptureKindFor(command);
    HDIB shot;
    if (screen::IsWaylandSession())
        shot = throughPortal(kind);
    else if (kind == screen::CaptureKind::Desktop)
        shot = desktop();
    else
        shot = window(kind);
    if (!shot)
        return;
    LV_TEST_LOG(hooks_, QStringLiteral("captured %1 %2 %3 %4")
                            .arg(shot.width())
                            .arg(shot.height())
                            .arg(shot.bitCount())
                            .arg(shot.header().biXPelsPerMeter));
    // On the album page the shot joins the album shown; elsewhere it opens in a window.
    if (mainWindow_ && mainWindow_->screen() == kAlbumScreen && acquisition_.albumOpen())
        acquisition_.storeInAlbum(std::move(shot));
    else
        acquisition_.openPictureWindow(std::move(shot), screen::kCapturedNameString);
}

HDIB ScreenCapturePage::desktop()
{
    QElapsedTimer started;
    started.start();
    hideMainWindow();
    HDIB shot;
    {
        ui::BusyCursor busy;
        SettleUntil(started, screen::kDesktopSettleTime);
    }
    shot = screen::GrabScreenRect(screen::ScreenBounds());
    showMainWindow();
    return shot;
}

HDIB ScreenCapturePage::window(screen::CaptureKind kind)
{
    const screen::X11Windows windows;
    hideMainWindow();
    QElapsedTimer started;
    started.start();
    SettleUntil(started, std::chrono::milliseconds(0));
    const auto point =
        windows.pickPoint(hide_ ? std::optional<std::chrono::milliseconds>(screen::kPickTimeLimit) : std::nullopt,
                          [this] { LV_TEST_LOG(hooks_, QStringLiteral("picking")); });
    const screen::WindowTarget target = point ? windows.windowAt(*point) : screen::WindowTarget{};
    if (point && target.kind != screen::PickedTarget::Window) {
        showMainWindow();
        say(screen::MessageForPick(target.kind));
        return nullptr;
    }
    if (!point) {
        // Not a left click, or the pointer could not be held: nothing is taken.
        showMainWindow();
        if (!windows.available())
            say(screen::kNoWindowString);
        return nullptr;
    }
    const auto rect = kind == screen::CaptureKind::ClientArea ? windows.clientRect(target) : windows.frameRect(target);
    HDIB shot = rect ? screen::GrabScreenRect(*rect) : nullptr;
    showMainWindow();
    if (!rect)
        say(screen::kNoWindowString);
    else
        windows.minimise(target);
    return shot;
}

HDIB ScreenCapturePage::throughPortal(screen::CaptureKind kind)
{
    if (!waylandSaid_) {
        ui::Current().showMessage(LoadString(kWaylandNotice), ui::kProductTitle, ui::Icon::Information);
        waylandSaid_ = true;
    }
    const screen::PortalShot shot = screen::TakePortalScreenshot(kind != screen::CaptureKind::Desktop);
    if (shot.missing)
        say(kNoPortal);
    else if (!shot.failure.isEmpty())
        say(kCaptureFailed, shot.failure);
    return shot.image.isNull() ? nullptr : screen::PictureFromScreenImage(shot.image);
}

}  // namespace lv::app
