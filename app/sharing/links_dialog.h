#pragma once
// "Editar links": the name and address of the five favourite links. OK refuses an address
// that is not http or https, saying which, and keeps the dialog open.

#include "sharing/links/favourite_links.h"

#include <QDialog>
#include <QLineEdit>

#include <array>

namespace lv::app {

class LinksDialog final : public QDialog {
public:
    LinksDialog(QWidget* parent, const sharing::FavouriteLinks& links);
    sharing::FavouriteLinks links() const;

    void accept() override;

private:
    std::array<QLineEdit*, sharing::kFavouriteLinkCount> names_{};
    std::array<QLineEdit*, sharing::kFavouriteLinkCount> addresses_{};
};

}  // namespace lv::app
