#include "acquire/screen/qt_screenshot_portal.h"

#include "common/string_table.h"

#include <QDBusError>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QEventLoop>
#include <QObject>
#include <QRandomGenerator>
#include <QTimer>
#include <QUrl>
#include <QVariantMap>

namespace lv::screen {
namespace {

// The portal answers 0 for success, 1 when the user cancelled, 2 for anything else.
constexpr uint kResponseSuccess = 0;
constexpr uint kResponseCancelled = 1;

QString Text(int id)
{
    const std::string_view text = LoadString(id);
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// Receives the request's Response signal.
class ResponseReceiver final : public QObject {
    Q_OBJECT
public:
    std::optional<uint> response;
    QVariantMap results;
    QEventLoop* loop = nullptr;

public slots:
    void received(uint code, const QVariantMap& answer)
    {
        response = code;
        results = answer;
        if (loop)
            loop->quit();
    }
};

bool Subscribe(QDBusConnection& bus, const QString& path, ResponseReceiver& receiver)
{
    return bus.connect(QString::fromLatin1(kPortalService), path, QString::fromLatin1(kRequestInterface),
                       QStringLiteral("Response"), &receiver, SLOT(received(uint, QVariantMap)));
}

void Unsubscribe(QDBusConnection& bus, const QString& path, ResponseReceiver& receiver)
{
    bus.disconnect(QString::fromLatin1(kPortalService), path, QString::fromLatin1(kRequestInterface),
                   QStringLiteral("Response"), &receiver, SLOT(received(uint, QVariantMap)));
}

}  // namespace

QString PortalRequestPath(const QString& uniqueName, const QString& token)
{
    QString sender = uniqueName;
    if (sender.startsWith(QLatin1Char(':')))
        sender.remove(0, 1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    return QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, token);
}

PortalShot TakePortalScreenshot(bool interactive, QDBusConnection bus, std::chrono::milliseconds limit)
{
    if (!bus.isConnected())
        return {{}, Text(kPortalNoBusString), true};
    const QString token = QStringLiteral("lumivista%1").arg(QRandomGenerator::global()->generate());
    ResponseReceiver receiver;
    QEventLoop loop;
    receiver.loop = &loop;
    // Listen before asking, so an answer that comes at once is not missed.
    QString path = PortalRequestPath(bus.baseService(), token);
    Subscribe(bus, path, receiver);

    QDBusMessage call = QDBusMessage::createMethodCall(QString::fromLatin1(kPortalService), QString::fromLatin1(kPortalPath),
                                                       QString::fromLatin1(kScreenshotInterface), QStringLiteral("Screenshot"));
    call << QString() << QVariantMap{{QStringLiteral("handle_token"), token}, {QStringLiteral("interactive"), interactive},
                                     {QStringLiteral("modal"), true}};
    QDBusPendingCallWatcher watcher(bus.asyncCall(call));
    QString failure;
    bool missing = false;
    QObject::connect(&watcher, &QDBusPendingCallWatcher::finished, &loop, [&] {
        const QDBusPendingReply<QDBusObjectPath> reply = watcher;
        if (reply.isError()) {
            failure = reply.error().message();
            missing = reply.error().type() == QDBusError::ServiceUnknown || reply.error().type() == QDBusError::UnknownObject ||
                      reply.error().type() == QDBusError::UnknownInterface || reply.error().type() == QDBusError::UnknownMethod;
            loop.quit();
        } else if (reply.value().path() != path) {
            // Older portals choose the path themselves.
            Unsubscribe(bus, path, receiver);
            path = reply.value().path();
            Subscribe(bus, path, receiver);
        }
    });
    QTimer::singleShot(limit, &loop, &QEventLoop::quit);
    if (!receiver.response && failure.isEmpty())
        loop.exec();
    Unsubscribe(bus, path, receiver);

    if (!failure.isEmpty())
        return {{}, failure, missing};
    if (!receiver.response)
        return {{}, Text(kPortalSilentString)};
    if (*receiver.response == kResponseCancelled)
        return {};
    if (*receiver.response != kResponseSuccess)
        return {{}, Text(kPortalRefusedString)};
    const QUrl uri(receiver.results.value(QStringLiteral("uri")).toString());
    QImage image(uri.toLocalFile());
    if (image.isNull())
        return {{}, Text(kPortalUnreadableString) + QStringLiteral(" ") + uri.toString()};
    return {image, {}};
}

}  // namespace lv::screen

#include "qt_screenshot_portal.moc"
