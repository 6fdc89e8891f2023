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

LinksPage::LinksPage(MainWindow& window, const TestHooks& hooks)
    : window_(window)
    , hooks_(hooks)
    , store_(ConfigFilePath())
{
    window.handlers().set(skin::Handler::OpenLink, [this](const HandlerCall& call) { open(int(call.argument) - 1); });
    window.handlers().set(skin::Handler::EditLinks, [this](const HandlerCall&) { edit(); });
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
}

}  // namespace lv::app
