#include "app/projects/project_folder.h"

#include <QDir>
#include <QProcess>

namespace lv::app {

std::filesystem::path ProjectFolderToPropose(const std::string& lastProjectFolder,
                                             const std::filesystem::path& pictures)
{
    std::error_code ec;
    if (!lastProjectFolder.empty() && std::filesystem::is_directory(lastProjectFolder, ec))
        return lastProjectFolder;
    const std::filesystem::path projects = pictures / kProjectsFolderName;
    std::filesystem::create_directories(projects, ec);
    return std::filesystem::is_directory(projects, ec) ? projects : pictures;
}

std::filesystem::path UserPicturesFolder()
{
    QProcess query;
    query.start(QStringLiteral("xdg-user-dir"), {QStringLiteral("PICTURES")});
    // A missing command fails at once; a stuck one is not waited for long.
    if (query.waitForFinished(2000) && query.exitStatus() == QProcess::NormalExit && query.exitCode() == 0) {
        const std::filesystem::path answer =
            QString::fromLocal8Bit(query.readAllStandardOutput()).trimmed().toStdString();
        // The folder named may not exist yet: the projects' folder is made inside it.
        if (answer.is_absolute())
            return answer;
    }
    return QDir::homePath().toStdString();
}

}  // namespace lv::app
