#include "app/shell/help_window.h"

#include <QShortcut>
#include <QUrl>

namespace lv::app {
namespace {

constexpr char kTitle[] = "Ajuda do Lumivista 2000";

}  // namespace

QString HelpWindowTitle(const QString& pageTitle)
{
    if (pageTitle.isEmpty())
        return QString::fromUtf8(kTitle);
    if (pageTitle.contains(QString::fromUtf8(kTitle)))
        return pageTitle;
    return pageTitle + QStringLiteral(" — ") + QString::fromUtf8(kTitle);
}

HelpWindow::HelpWindow(std::filesystem::path folder)
    : folder_(std::move(folder))
{
    setObjectName(kHelpWindowClass);
    setWindowTitle(QString::fromUtf8(kTitle));
    setOpenExternalLinks(true);
    resize(640, 600);
    document()->setDocumentMargin(12);
    connect(this, &QTextBrowser::sourceChanged, this, [this] { setWindowTitle(HelpWindowTitle(documentTitle())); });
    for (const QKeySequence& keys : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &QWidget::close);  // owned by the window
}

void HelpWindow::showPage(const std::string& page, bool overDialog)
{
    const auto hash = page.find('#');
    QUrl url = QUrl::fromLocalFile(QString::fromStdString((folder_ / page.substr(0, hash)).string()));
    if (hash != std::string::npos)
        url.setFragment(QString::fromStdString(page.substr(hash + 1)));
    setSource(url);
    if (overDialog && !isModal()) {
        hide();  // the modality changes only while hidden
        setWindowModality(Qt::ApplicationModal);
    }
    show();
    raise();
    activateWindow();
}

void HelpWindow::hideEvent(QHideEvent* event)
{
    QTextBrowser::hideEvent(event);
    if (isModal())
        setWindowModality(Qt::NonModal);
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
