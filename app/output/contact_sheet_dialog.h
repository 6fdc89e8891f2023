#pragma once
// The contact sheet of an album: thumbnail size, spacing, file names; the pages shown as they
// will print ("page/pages") before they go out.

#include "output/print/contact_sheet.h"

#include <QDialog>

#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;

namespace lv::app {

class ContactSheetDialog final : public QDialog {
public:
    ContactSheetDialog(QWidget* parent, std::string albumFile);

    const std::vector<std::string>& photos() const { return photos_; }
    print::ContactSheetSettings settings() const;
    void setSettings(const print::ContactSheetSettings& settings);
    bool useAlbum(const std::string& file);
    QString summary() const;
    // Shows the preview and prints when confirmed; true when printed. Beeps for an empty album.
    bool printWithPreview();

private:
    void update();

    std::string albumFile_;
    std::vector<std::string> photos_;
    QLabel* album_;
    QComboBox* size_;
    QComboBox* spacing_;
    QCheckBox* captions_;
    QLabel* summary_;
};

}  // namespace lv::app
