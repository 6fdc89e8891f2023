#include "app/sharing/links_dialog.h"

#include "app/widgets/dialog_buttons.h"
#include "app/widgets/qt_text.h"
#include "common/ui_service.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace lv::app {

LinksDialog::LinksDialog(QWidget* parent, const sharing::FavouriteLinks& links)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("linksdialog"));
    setWindowTitle(QStringLiteral("Editar links"));
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Nome")), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Endereço (http:// ou https://)")), 0, 2);
    for (int i = 0; i < sharing::kFavouriteLinkCount; ++i) {
        const sharing::FavouriteLink& link = links[std::size_t(i)];
        grid->addWidget(new QLabel(QStringLiteral("Link %1").arg(i + 1)), i + 1, 0);
        names_[std::size_t(i)] = new QLineEdit(QtText(link.name));
        names_[std::size_t(i)]->setPlaceholderText(QStringLiteral("Link %1").arg(i + 1));
        addresses_[std::size_t(i)] = new QLineEdit(QtText(link.address));
        addresses_[std::size_t(i)]->setMinimumWidth(320);
        grid->addWidget(names_[std::size_t(i)], i + 1, 1);
        grid->addWidget(addresses_[std::size_t(i)], i + 1, 2);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(OkCancelButtons(*this));
}

sharing::FavouriteLinks LinksDialog::links() const
{
    sharing::FavouriteLinks links;
    for (int i = 0; i < sharing::kFavouriteLinkCount; ++i)
        links[std::size_t(i)] = {names_[std::size_t(i)]->text().trimmed().toStdString(),
                                 addresses_[std::size_t(i)]->text().trimmed().toStdString()};
    return links;
}

void LinksDialog::accept()
{
    const sharing::FavouriteLinks chosen = links();
    for (int i = 0; i < sharing::kFavouriteLinkCount; ++i) {
        const std::string& address = chosen[std::size_t(i)].address;
        if (address.empty())
            continue;
        if (const auto refused = sharing::RefusedLinkAddress(address)) {
            ui::Current().showMessage(*refused, ui::kWarningTitle, ui::Icon::Exclamation);
            addresses_[std::size_t(i)]->setFocus();
            addresses_[std::size_t(i)]->selectAll();
            return;
        }
    }
    QDialog::accept();
}

}  // namespace lv::app
