#pragma once
// Screen shots through the desktop portal, for sessions whose compositor keeps the screen
// to itself: the portal takes the shot (asking the user when `interactive`) and hands back
// a file, which is read here.

#include <QDBusConnection>
#include <QImage>
#include <QString>

#include <chrono>
#include <optional>

namespace lv::screen {

inline constexpr char kPortalService[] = "org.freedesktop.portal.Desktop";
inline constexpr char kPortalPath[] = "/org/freedesktop/portal/desktop";
inline constexpr char kScreenshotInterface[] = "org.freedesktop.portal.Screenshot";
inline constexpr char kRequestInterface[] = "org.freedesktop.portal.Request";

inline constexpr int kPortalNoBusString = 36103;
inline constexpr int kPortalSilentString = 36104;
inline constexpr int kPortalRefusedString = 36105;
inline constexpr int kPortalUnreadableString = 36106;

struct PortalShot {
    QImage image;          // null when there is none
    QString failure;       // why, for the user; empty when the user cancelled
    bool missing = false;  // no portal answers on the bus
};

// Waits (running the event loop) at most `limit` for the portal's answer.
PortalShot TakePortalScreenshot(bool interactive, QDBusConnection bus = QDBusConnection::sessionBus(),
                                std::chrono::milliseconds limit = std::chrono::minutes(2));

// The object path of the request the portal makes for a handle token of this connection.
QString PortalRequestPath(const QString& uniqueName, const QString& token);

}  // namespace lv::screen
