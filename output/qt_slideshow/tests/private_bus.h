#pragma once
// A desktop bus of the test's own (a dbus-daemon it starts and stops) with a stand-in for the
// desktop's screen saver service that records who holds it off.

#include "output/qt_slideshow/screen_saver_inhibitor.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QProcess>

#include <map>

namespace lv::testing {

class FakeScreenSaver final : public QDBusVirtualObject {
public:
    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        if (message.member() == QLatin1String("Inhibit") && message.arguments().size() == 2) {
            held[++lastCookie] = message.arguments()[1].toString();
            return connection.send(message.createReply(QVariant::fromValue(lastCookie)));
        }
        if (message.member() == QLatin1String("UnInhibit") && message.arguments().size() == 1) {
            held.erase(message.arguments()[0].toUInt());
            return true;
        }
        return false;
    }

    std::map<uint, QString> held;  // cookie -> reason
    uint lastCookie = 0;
};

class PrivateBus {
public:
    PrivateBus()
    {
        daemon_.start(QStringLiteral("dbus-daemon"),
                      {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--nopidfile"),
                       QStringLiteral("--print-address=1")});
        if (!daemon_.waitForStarted(5000))
            return;
        while (!daemon_.canReadLine() && daemon_.waitForReadyRead(5000)) {
        }
        address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
    }
    ~PrivateBus()
    {
        for (const QString& name : names_)
            QDBusConnection::disconnectFromBus(name);
        if (daemon_.state() != QProcess::NotRunning) {
            daemon_.terminate();
            daemon_.waitForFinished(5000);
        }
    }
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    bool ready() const { return !address_.isEmpty(); }

    // A connection of its own to the bus.
    QDBusConnection connect(const QString& name)
    {
        names_.push_back(name);
        return QDBusConnection::connectToBus(address_, name);
    }

    // Serves the fake screen saver under the desktop's name on a connection of its own.
    bool serve(FakeScreenSaver& saver)
    {
        QDBusConnection service = connect(QStringLiteral("screen saver service"));
        return service.registerService(kScreenSaverService) &&
               service.registerVirtualObject(kScreenSaverPath, &saver, QDBusConnection::SingleNode);
    }

private:
    QProcess daemon_;
    QString address_;
    std::vector<QString> names_;
};

}  // namespace lv::testing
