#include "app/sharing/links_page.h"

#include "app/sharing/browser_opener.h"
#include "app/sharing/links_dialog.h"
#include "app/shell/handler_table.h"
#include "app/shell/main_window.h"
#include "app/widgets/qt_text.h"
#include "common/program_paths.h"
#include "common/ui_service.h"
#include "sharing/links/favourite_links.h"

namespace lv::app {
namespace {

constexpr int kLinksScreen = 29;
constexpr int kAddressBox = 211;

}  // namespace

LinksPage::LinksPage(MainWindow& window, const TestHooks& hooks)
    : window_(window)
    , hooks_(hooks)
    , store_(ConfigFilePath())
{
    window.handlers().set(skin::Handler::OpenLink, [this](const HandlerCall& call) { open(int(call.argument) - 1); });
    window.handlers().set(skin::Handler::EditLinks, [this](const HandlerCall&) { edit(); });
    window.setScreenCode(kLinksScreen, this);
}

LinksPage::~LinksPage()
{
    window_.setScreenCode(kLinksScreen, nullptr);
    delete list_.data();  // a child of the main window, which may outlive this page
}

void LinksPage::shown(int screen)
{
    if (screen == kLinksScreen)
        showList();
}

void LinksPage::leaving(int screen)
{
    if (screen == kLinksScreen && list_)
        list_->hide();
}

void LinksPage::showList()
{
    const auto area = window_.controlRect(kAddressBox);
    if (!area)
        return;
    if (!list_) {
        list_ = new QListWidget(&window_);
        list_->setObjectName(QStringLiteral("linkList"));
        list_->setFrameShape(QFrame::NoFrame);
        // Light on the box's dark well, one link per two-line row.
        list_->setStyleSheet(QStringLiteral(
            "QListWidget { background: transparent; color: #e6e6e6; font-size: 13px; }"
            "QListWidget::item { padding: 5px 4px; border-bottom: 1px solid #2c3139; }"
            "QListWidget::item:selected { background: #24402f; }"));
        QObject::connect(list_, &QListWidget::itemActivated, list_, [this](QListWidgetItem* item) {
            open(item->data(Qt::UserRole).toInt());
        });
    }
    list_->clear();
    const sharing::FavouriteLinks links = sharing::ReadFavouriteLinks(store_);
    int filled = 0;
    for (int i = 0; i < sharing::kFavouriteLinkCount; ++i) {
        const sharing::FavouriteLink& link = links[std::size_t(i)];
        const QString name = link.name.empty() ? QStringLiteral("Link %1").arg(i + 1) : QtText(link.name);
        const QString address =
            link.address.empty() ? QStringLiteral("(sem endereço: use \"Editar links\")") : QtText(link.address);
        auto* item = new QListWidgetItem(name + QStringLiteral("\n") + address, list_);
        item->setData(Qt::UserRole, i);
        if (link.address.empty())
            item->setForeground(QColor(0x8a, 0x91, 0x9a));
        filled += link.address.empty() ? 0 : 1;
    }
    // Below the box's painted title.
    list_->setGeometry(area->adjusted(8, 28, -8, -8));
    list_->show();
    list_->raise();
    LV_TEST_LOG(hooks_, QStringLiteral("links listed %1").arg(filled));
}

void LinksPage::open(int index)
{
    const sharing::FavouriteLinks links = sharing::ReadFavouriteLinks(store_);
    if (index < 0 || index >= sharing::kFavouriteLinkCount) {
        index = current_;
        for (int i = 0; index < 0 && i < sharing::kFavouriteLinkCount; ++i)
            if (!links[std::size_t(i)].address.empty())
                index = i;
        if (index < 0) {
            edit();
            return;
        }
    }
    const sharing::FavouriteLink& link = links[std::size_t(index)];
    if (link.address.empty()) {
        edit();
        return;
    }
    if (const auto refused = sharing::RefusedLinkAddress(link.address)) {
        ui::Current().showMessage(*refused, ui::kWarningTitle, ui::Icon::Exclamation);
        return;
    }
    current_ = index;
    LV_TEST_LOG(hooks_, QStringLiteral("link %1 opened").arg(index + 1));
    OpenInBrowser(QtText(link.address));
}

void LinksPage::edit()
{
    LinksDialog dialog(&window_, sharing::ReadFavouriteLinks(store_));
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!sharing::WriteFavouriteLinks(store_, dialog.links()))
        ui::Current().showMessage("Não foi possível guardar os links em " + store_.file().string() + ".",
                                  ui::kWarningTitle, ui::Icon::Exclamation);
    if (list_ && list_->isVisible())
        showList();
}

}  // namespace lv::app
