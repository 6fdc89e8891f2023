// Screen shots on a real (virtual) X display: windows made here are found under points and
// by id with their frames and client areas, picked with the pointer; and shots through a
// stand-in desktop portal (a window copied off the screen, clipped, is the capture run test's).

#include "acquire/screen/qt_screen_grab.h"
#include "acquire/screen/qt_screenshot_portal.h"
#include "acquire/screen/x11_windows.h"
#include "acquire/tests/x11_test_client.h"
#include "common/testing/temp_dir.h"

#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

#include <thread>

namespace lv::screen {
namespace {

using namespace std::chrono_literals;
using Display = lv::testing::X11TestClient;

class ScreenDisplay : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(display.ok() && windows.available()) << "needs an X display"; }
    Display display;
    X11Windows windows;
};

TEST_F(ScreenDisplay, AWindowManagersFrameLeadsToTheClientItHolds)
{
    const xcb_window_t frame = display.window(300, 300, 120, 100, 0x202020, 0);
    const xcb_window_t decoration = display.window(0, 0, 120, 20, 0x404040, 0, frame);
    const xcb_window_t holder = display.window(0, 20, 120, 80, 0x606060, 0, frame);
    const xcb_window_t client = display.window(0, 0, 120, 80, 0x00AA00, 0, holder);
    display.setWmState(client);
    const WindowTarget target = windows.windowAt({310, 305});
    EXPECT_EQ(std::tuple(target.frame, target.client), std::tuple(frame, client));
    EXPECT_EQ(windows.clientRect(target), (Rect{300, 320, 420, 400}));
    (void)decoration;

    // A desktop window stands for the desktop itself.
    display.setAtomProperty(client, "_NET_WM_WINDOW_TYPE", "_NET_WM_WINDOW_TYPE_DESKTOP");
    EXPECT_EQ(windows.windowAt({310, 350}).kind, PickedTarget::Desktop);
    display.destroy(frame);
}

// A click of `button` from another client once the pick has begun.
std::thread ClickSoon(std::uint8_t button)
{
    return std::thread([button] {
        Display other;
        std::this_thread::sleep_for(150ms);
        other.click(button);
    });
}

TEST_F(ScreenDisplay, PickingEndsWithTheLeftButtonOrTheTimeLimit)
{
    display.movePointer(123, 234);
    std::thread clicker = ClickSoon(1);
    const auto picked = windows.pickPoint(std::nullopt);
    clicker.join();
    ASSERT_TRUE(picked);
    EXPECT_EQ(std::tuple(picked->x, picked->y), std::tuple(123, 234));

    std::thread rightClicker = ClickSoon(3);
    EXPECT_FALSE(windows.pickPoint(std::nullopt)) << "another button gives up";
    rightClicker.join();

    display.movePointer(400, 300);
    const auto start = std::chrono::steady_clock::now();
    const auto timedOut = windows.pickPoint(200ms);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 200ms);
    ASSERT_TRUE(timedOut);
    EXPECT_EQ(std::tuple(timedOut->x, timedOut->y), std::tuple(400, 300));
}

// The desktop portal's screen-shot call as a portal answers it, on a bus of the test's own.
class FakePortal final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Screenshot")
public:
    FakePortal(QDBusConnection bus, QString file)
        : bus_(bus)
        , file_(std::move(file))
    {
    }
    uint answer = 0;
    bool lastInteractive = false;
    QString lastToken;

public slots:
    QDBusObjectPath Screenshot(const QString&, const QVariantMap& options, const QDBusMessage& message)
    {
        lastInteractive = options.value(QStringLiteral("interactive")).toBool();
        lastToken = options.value(QStringLiteral("handle_token")).toString();
        const QString path = PortalRequestPath(message.service(), lastToken);
        QTimer::singleShot(0, this, [this, path] {
            QDBusMessage response = QDBusMessage::createSignal(path, QStringLiteral("org.freedesktop.portal.Request"),
                                                               QStringLiteral("Response"));
            response << answer << QVariantMap{{QStringLiteral("uri"), QUrl::fromLocalFile(file_).toString()}};
            bus_.send(response);
        });
        return QDBusObjectPath(path);
    }

private:
    QDBusConnection bus_;
    QString file_;
};

class PortalShots : public ::testing::Test {
protected:
    void SetUp() override
    {
        daemon_.start(QStringLiteral("dbus-daemon"), {QStringLiteral("--session"), QStringLiteral("--nofork"),
                                                      QStringLiteral("--print-address=1")});
        if (!daemon_.waitForStarted(5000) || !daemon_.waitForReadyRead(5000))
            GTEST_SKIP() << "no message bus daemon";
        address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
    }
    void TearDown() override
    {
        QDBusConnection::disconnectFromBus(QStringLiteral("portal"));
        QDBusConnection::disconnectFromBus(QStringLiteral("program"));
        daemon_.kill();
        daemon_.waitForFinished();
    }
    QDBusConnection bus(const char* name) { return QDBusConnection::connectToBus(address_, QString::fromLatin1(name)); }

    QProcess daemon_;
    QString address_;
    lv::testing::TempDir dir;
};

TEST_F(PortalShots, TheAnsweredFileIsReadAndCancellingSaysNothing)
{
    QImage saved(7, 5, QImage::Format_RGB32);
    saved.fill(QColor(10, 200, 30));
    const QString file = QString::fromStdString(dir.file("Captura.png"));
    ASSERT_TRUE(saved.save(file));

    EXPECT_EQ(PortalRequestPath(QStringLiteral(":1.42"), QStringLiteral("abc")),
              QStringLiteral("/org/freedesktop/portal/desktop/request/1_42/abc"));

    // Before the portal is there: a reason, no picture.
    const PortalShot missing = TakePortalScreenshot(false, bus("program"), 5s);
    EXPECT_EQ(std::tuple(missing.image.isNull(), missing.failure.isEmpty(), missing.missing),
              std::tuple(true, false, true));

    QDBusConnection portalBus = bus("portal");
    FakePortal portal(portalBus, file);
    ASSERT_TRUE(portalBus.registerService(QString::fromLatin1(kPortalService)));
    ASSERT_TRUE(portalBus.registerObject(QString::fromLatin1(kPortalPath), &portal, QDBusConnection::ExportAllSlots));

    const PortalShot shot = TakePortalScreenshot(true, bus("program"), 5s);
    EXPECT_TRUE(shot.failure.isEmpty()) << shot.failure.toStdString();
    EXPECT_FALSE(shot.missing);
    ASSERT_FALSE(shot.image.isNull());
    EXPECT_EQ(std::tuple(shot.image.size(), shot.image.pixelColor(3, 2)), std::tuple(QSize(7, 5), QColor(10, 200, 30)));
    EXPECT_TRUE(portal.lastInteractive && portal.lastToken.startsWith(QStringLiteral("lumivista")));
    const HDIB picture = PictureFromScreenImage(shot.image);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture.row(0)[1], 200);

    portal.answer = 1;
    const PortalShot cancelled = TakePortalScreenshot(false, bus("program"), 5s);
    EXPECT_TRUE(cancelled.image.isNull());
    EXPECT_TRUE(cancelled.failure.isEmpty()) << "the user cancelled: nothing to say";
    portal.answer = 2;
    EXPECT_FALSE(TakePortalScreenshot(false, bus("program"), 5s).failure.isEmpty());
}

}  // namespace
}  // namespace lv::screen

int main(int argc, char** argv)
{
    QGuiApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

#include "screen_display_test.moc"
