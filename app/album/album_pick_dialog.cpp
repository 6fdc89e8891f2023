#include "app/album/album_pick_dialog.h"

#include "common/program_paths.h"
#include "app/widgets/dialog_buttons.h"
#include "app/widgets/album_browser.h"
#include "app/widgets/album_name_list.h"
#include "album/album_page_session.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

namespace lv::app {

AlbumPickDialog::AlbumPickDialog(QWidget* parent, const QString& name, const QString& title,
                                 const std::string& albumPath, album::AlbumCatalogue* userAlbums)
    : QDialog(parent)
{
    setObjectName(name);
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);  // the dialog owns its children
    auto* row = new QHBoxLayout;
    layout->addLayout(row);
    // The caption field goes first: the browser finds it by its control id when it is made.
    auto* caption = new QLineEdit(this);
    caption->setObjectName(QString::number(kBrowserCaptionField));
    caption->setReadOnly(true);
    AlbumNameList* list = userAlbums ? new AlbumNameList(this) : nullptr;
    // Beside the grid it shows where the rows in view are; the browser finds it by its id too.
    auto* scrollBar = new QScrollBar(Qt::Vertical, this);
    scrollBar->setObjectName(QString::number(kBrowserScrollBar));
    browser_ = new AlbumBrowser(*this, WritableProgramDir(album::kUserAlbumsFolder), ProgramDir());
    if (!albumPath.empty())
        browser_->openAlbum(albumPath);
    if (list) {
        list->setFixedWidth(150);
        AttachUserAlbumList(*list, *browser_, *userAlbums);
        row->addWidget(list);
    }
    browser_->setMinimumSize(browser_->sizeHint());
    row->addWidget(browser_, 1);
    row->addWidget(scrollBar);
    layout->addWidget(caption);
    browser_->onChosen([this](int) { accept(); });
    layout->addWidget(OkCancelButtons(*this));
}

void AlbumPickDialog::accept()
{
    const std::vector<std::string> paths = browser_->selectedPaths();
    if (paths.empty())
        return;  // nothing to take: the dialog stays
    chosen_ = paths.front();
    QDialog::accept();
}

bool AlbumPickDialog::pick(int index)
{
    return browser_->choose(index);
}

std::optional<std::string> PickFromAlbum(QWidget* parent, const QString& name, const QString& title,
                                         const std::string& albumPath, album::AlbumCatalogue* userAlbums,
                                         const TestHooks& hooks)
{
    AlbumPickDialog dialog(parent, name, title, albumPath, userAlbums);
    if (hooks.enabled())
        QTimer::singleShot(0, &dialog, [&] { LV_TEST_LOG(hooks, QStringLiteral("dialog ") + name); });
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.chosenPath().empty() ? std::nullopt : std::optional(dialog.chosenPath());
}

}  // namespace lv::app
