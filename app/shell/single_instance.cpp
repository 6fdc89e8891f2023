#include "app/shell/single_instance.h"

#include <QCryptographicHash>
#include <QLocalSocket>

#include <unistd.h>

namespace lv::app {
namespace {

constexpr int kTimeoutMs = 3000;
constexpr qint64 kLongestCommand = 256;

}  // namespace

QString InstanceServerName(const std::filesystem::path& configFile)
{
    const QByteArray digest =
        QCryptographicHash::hash(QByteArray::fromStdString(configFile.string()), QCryptographicHash::Sha1).toHex();
    return QStringLiteral("lumivista2000-%1-%2").arg(getuid()).arg(QString::fromLatin1(digest.left(12)));
}

SingleInstance::SingleInstance(QString serverName)
    : serverName_(std::move(serverName))
{
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::acceptConnection);
}

bool SingleInstance::sendToRunningCopy(const QString& command)
{
    QLocalSocket socket;
    socket.connectToServer(serverName_);
    if (!socket.waitForConnected(kTimeoutMs))
        return false;
    socket.write((command + '\n').toUtf8());
    socket.waitForBytesWritten(kTimeoutMs);
    // The reply comes once the first copy has acted, so this copy ends after it.
    while (!socket.canReadLine() && socket.waitForReadyRead(kTimeoutMs)) {
    }
    return true;
}

bool SingleInstance::listen(CommandHandler handler)
{
    handler_ = std::move(handler);
    if (server_.listen(serverName_))
        return true;
    // Nobody answered, so the socket was left by a copy that did not end cleanly.
    QLocalServer::removeServer(serverName_);
    return server_.listen(serverName_);
}

void SingleInstance::acceptConnection()
{
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine() && socket->bytesAvailable() > kLongestCommand) {
                socket->abort();
                return;
            }
            while (socket->canReadLine()) {
                const QString command = QString::fromUtf8(socket->readLine()).trimmed();
                if (handler_)
                    handler_(command);
                socket->write("ok\n");
                socket->flush();
            }
        });
    }
}

}  // namespace lv::app
