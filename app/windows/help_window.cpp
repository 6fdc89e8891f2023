#include "app/windows/help_window.h"

#include <QUrl>

namespace lv::app {
namespace {

constexpr char kTitle[] = "Ajuda do Lumivista 2000";

}  // namespace

HelpWindow::HelpWindow(std::filesystem::path folder)
    : folder_(std::move(folder))
{
    setObjectName(kHelpWindowClass);
    setWindowTitle(kTitle);
    setOpenExternalLinks(true);
    resize(640, 600);
    document()->setDocumentMargin(12);
    connect(this, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = documentTitle();
        setWindowTitle(title.isEmpty() ? QString(kTitle) : title + QStringLiteral(" — ") + kTitle);
    });
}

void HelpWindow::showPage(const std::string& page)
{
    const auto hash = page.find('#');
    QUrl url = QUrl::fromLocalFile(QString::fromStdString((folder_ / page.substr(0, hash)).string()));
    if (hash != std::string::npos)
        url.setFragment(QString::fromStdString(page.substr(hash + 1)));
    setSource(url);
    show();
    raise();
    activateWindow();
}

std::string HelpWindow::page() const
{
    const QUrl url = source();
    std::string name = url.fileName().toStdString();
    if (url.hasFragment()) {
        name += '#';
        name += url.fragment().toStdString();
    }
    return name;
}

}  // namespace lv::app
