// Deleting a whole album from the user's page: "Excluir" with no photo selected, or the
// album list's own menu. Only the album goes; its photos' files stay on the disk.

#include "app/album/album_page.h"

#include "app/shell/main_window.h"
#include "app/widgets/qt_text.h"
#include "app/widgets/skin_list_box.h"
#include "album/album_operations.h"
#include "common/program_paths.h"
#include "common/ui_service.h"
#include "common/warning_messages.h"

#include <QMenu>
#include <QMouseEvent>

namespace lv::app {

void AlbumPage::deleteButtonPressed()
{
    // The name field keeps the Delete key, not the button: a new album is deleted at once.
    if (screen_ == kUserAlbumScreen && session_.isOpen() && session_.view().selectedCount() == 0)
        deleteAlbum();
    else
        deleteSelected();
}

bool AlbumPage::albumDeletable() const
{
    return screen_ == kUserAlbumScreen && session_.isOpen() && session_.albumIndex() >= 0
        && !session_.album().readOnly();
}

void AlbumPage::deleteAlbum()
{
    if (!albumDeletable())
        return;
    adder_.finishNow();
    const std::string question = "Excluir o álbum \"" + session_.displayName()
                               + "\"?\nAs fotos continuam no disco; só o álbum é excluído.";
    if (ui::Current().ask(question, "Excluir álbum", ui::Buttons::YesNo, ui::Icon::Question) != ui::Answer::Yes
        || !albumDeletable())
        return;
    const std::string name = session_.displayName();
    // The album is gone from the list shown; only the list's file may not have followed.
    if (!session_.deleteCurrentAlbum())
        ShowDetailedStringMessage(album::kSaveErrorString, ConfigFilePath().string());
    albumChanged();
    LV_TEST_LOG(hooks_, QStringLiteral("album deleted ") + QtText(name));
}

bool AlbumPage::albumListPressed(QWidget& widget, const QMouseEvent& event)
{
    if (event.button() != Qt::RightButton || screen_ != kUserAlbumScreen)
        return false;
    SkinListBox* box = nullptr;
    for (QWidget* w = &widget; w && !box; w = w->parentWidget())
        box = w->objectName() == QLatin1String(kListBoxClass) ? dynamic_cast<SkinListBox*>(w) : nullptr;
    if (!box || box->list().controlId() != kAlbumListControl)
        return false;
    // The album right-clicked is the one the menu is about.
    const int row = box->rowAt(box->mapFromGlobal(event.globalPosition().toPoint()));
    if (row >= 0 && row < session_.catalogue().count(session_.category()))
        chooseFromList(row);
    auto* menu = new QMenu(&window_);  // deletes itself when closed
    menu->setObjectName(QStringLiteral("menu album list"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QAction* remove = menu->addAction(QStringLiteral("&Excluir álbum"), this, [this] { deleteAlbum(); });
    remove->setEnabled(albumDeletable());
    menu->popup(event.globalPosition().toPoint());
    return true;
}

}  // namespace lv::app
