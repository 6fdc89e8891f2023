#pragma once
// Dialog 123, "Excluir opções": delete the selected photos from the album only, or their
// files from the disk as well.

#include "album/photo_commands.h"
#include "app/shell/test_hooks.h"
#include "app/skin/help_context.h"

#include <QDialog>

#include <optional>

class QRadioButton;

namespace lv::app {

inline constexpr int kDeleteOptionsDialog = skin::kAlbumDeleteOptionsDialog;

class DeleteOptionsDialog final : public QDialog {
public:
    explicit DeleteOptionsDialog(QWidget* parent);
    album::DeleteChoice choice() const;
    QRadioButton* thumbnailsOnly() const { return thumbnailsOnly_; }
    QRadioButton* withFiles() const { return withFiles_; }

private:
    QRadioButton* thumbnailsOnly_;
    QRadioButton* withFiles_;
};

// The user's choice, or nothing for Cancel. Under the test hooks the dialog is logged and
// confirmed at once with its default, like the message boxes.
std::optional<album::DeleteChoice> AskDeleteOptions(QWidget* parent, const TestHooks& hooks);

}  // namespace lv::app
