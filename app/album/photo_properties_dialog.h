#pragma once
// Dialog 804, "Propriedades": the selected photo's name (editable), folder, extension, file
// size, last-write time, the date taken and picture size. OK with a changed name renames the file.

#include "album/photo_commands.h"
#include "app/skin/help_context.h"

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;

namespace lv::app {

inline constexpr int kPhotoPropertiesDialog = skin::kAlbumPhotoPropertiesDialog;

class PhotoPropertiesDialog final : public QDialog {
public:
    // `rename` is asked on OK with a changed name; the dialog closes unless it answers Exists.
    using Rename = std::function<album::RenameResult(const std::string& newName)>;

    // `taken`: when the photo was taken, as the last-write time is written; no row when empty.
    PhotoPropertiesDialog(QWidget* parent, const album::PhotoProperties& properties, Rename rename,
                          const std::string& taken = {});

    QLineEdit* nameField() const { return name_; }
    // The text of field 8000 ... 8007.
    QString fieldText(int id) const;

    void accept() override;

private:
    QLineEdit* name_;
    QString originalName_;
    Rename rename_;
};

}  // namespace lv::app
