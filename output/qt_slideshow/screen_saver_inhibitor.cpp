#include "output/qt_slideshow/screen_saver_inhibitor.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QPointer>

namespace lv {

namespace {
constexpr char kInterface[] = "org.freedesktop.ScreenSaver";
constexpr char kApplication[] = "Lumivista 2000";

void GiveBack(const QDBusConnection& bus, uint cookie)
{
    QDBusMessage call = QDBusMessage::createMethodCall(kScreenSaverService, kScreenSaverPath, kInterface, "UnInhibit");
    call << cookie;
    call.setAutoStartService(false);
    bus.send(call);
}

}  // namespace

ScreenSaverInhibitor::ScreenSaverInhibitor(QDBusConnection bus, QObject* parent)
    : QObject(parent)
    , bus_(std::move(bus))
{
}

ScreenSaverInhibitor::~ScreenSaverInhibitor()
{
    release();
}

void ScreenSaverInhibitor::inhibit(const QString& reason)
{
    if (wanted_ || !bus_.isConnected())
        return;
    wanted_ = true;
    QDBusMessage call = QDBusMessage::createMethodCall(kScreenSaverService, kScreenSaverPath, kInterface, "Inhibit");
    call << QString::fromUtf8(kApplication) << reason;
    // The watcher outlives this object (every call gets an answer, if only a timeout), so a
    // hold granted after the show has gone is still given back.
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call));
    connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
            [self = QPointer(this), bus = bus_](QDBusPendingCallWatcher* answered) {
                answered->deleteLater();
                const QDBusPendingReply<uint> reply = *answered;
                if (reply.isError())
                    return;
                if (self && self->wanted_ && !self->cookie_)
                    self->cookie_ = reply.value();
                else  // the show ended before the answer came
                    GiveBack(bus, reply.value());
            });
}

void ScreenSaverInhibitor::release()
{
    wanted_ = false;
    if (const std::optional<uint> cookie = std::exchange(cookie_, std::nullopt))
        GiveBack(bus_, *cookie);
}

}  // namespace lv
