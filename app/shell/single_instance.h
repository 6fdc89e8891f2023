#pragma once
// One running copy per user and configuration file. A second copy finds the first through
// a local socket, asks it to come forward and ends; the first copy listens on that socket.

#include <QLocalServer>
#include <QObject>
#include <QString>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace lv::app {

// The socket's name: the user's id and a digest of the configuration file's path, so copies
// that share settings are one instance and test runs with their own settings are not.
QString InstanceServerName(const std::filesystem::path& configFile);

class SingleInstance final : public QObject {
public:
    using CommandHandler = std::function<void(const QString& command)>;

    explicit SingleInstance(QString serverName);

    // Sends the command ("forward") to a running copy; true when one answered.
    bool sendToRunningCopy(const QString& command);

    // Starts answering later copies; each command received goes to the handler.
    bool listen(CommandHandler handler);

private:
    void acceptConnection();

    QString serverName_;
    QLocalServer server_;
    CommandHandler handler_;
};

inline const QString kForwardCommand = QStringLiteral("forward");

// A second copy started with files hands them to the first, which comes forward and opens
// them as if they were dropped on it: "files" and each absolute path, percent-encoded.
// Leading switches ("-...") are not files. Without files the command is "forward".
QString HandOverCommand(const std::vector<std::string>& arguments, const std::filesystem::path& workingFolder);
// The files of a hand-over command, or nothing for another command.
std::optional<std::vector<std::string>> HandedOverFiles(const QString& command);

}  // namespace lv::app
