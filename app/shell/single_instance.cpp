#include "app/shell/single_instance.h"

#include <QCryptographicHash>
#include <QLocalSocket>
#include <QPointer>

#include <unistd.h>

namespace lv::app {
namespace {

constexpr int kTimeoutMs = 3000;
// Room for a hand-over of a few long paths, percent-encoded.
constexpr qint64 kLongestCommand = 64 * 1024;
const QString kFilesCommand = QStringLiteral("files");

}  // namespace

QString InstanceServerName(const std::filesystem::path& configFile)
{
    const QByteArray digest =
        QCryptographicHash::hash(QByteArray::fromStdString(configFile.string()), QCryptographicHash::Sha1).toHex();
    return QStringLiteral("lumivista2000-%1-%2").arg(getuid()).arg(QString::fromLatin1(digest.left(12)));
}

QString HandOverCommand(const std::vector<std::string>& arguments, const std::filesystem::path& workingFolder)
{
    std::size_t first = 0;
    while (first < arguments.size() && arguments[first].starts_with('-'))
        ++first;
    QStringList words{kFilesCommand};
    for (std::size_t i = first; i < arguments.size(); ++i) {
        if (arguments[i].empty())
            continue;
        const std::filesystem::path path = std::filesystem::path(arguments[i]).is_absolute()
                                               ? std::filesystem::path(arguments[i])
                                               : workingFolder / arguments[i];
        words << QString::fromLatin1(QByteArray::fromStdString(path.lexically_normal().string()).toPercentEncoding());
    }
    return words.size() > 1 ? words.join(' ') : kForwardCommand;
}

std::optional<std::vector<std::string>> HandedOverFiles(const QString& command)
{
    const QStringList words = command.split(' ', Qt::SkipEmptyParts);
    if (words.value(0) != kFilesCommand)
        return std::nullopt;
    std::vector<std::string> files;
    for (qsizetype i = 1; i < words.size(); ++i)
        files.push_back(QByteArray::fromPercentEncoding(words[i].toLatin1()).toStdString());
    return files;
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
            // A command may open a modal dialog, whose loop can delete the socket once the
            // other copy has gone.
            const QPointer<QLocalSocket> alive(socket);
            while (alive && socket->canReadLine()) {
                const QString command = QString::fromUtf8(socket->readLine()).trimmed();
                if (handler_)
                    handler_(command);
                if (!alive)
                    return;
                socket->write("ok\n");
                socket->flush();
            }
        });
    }
}

}  // namespace lv::app
