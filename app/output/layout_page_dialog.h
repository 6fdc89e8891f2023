#pragma once
// The print layout page: label sheets or photo print sizes, photos placed into the slots from
// the album, a file or the open picture, the zoom, the status line with the photo size, and
// printing after the preview.

#include "output/print/layout_page.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QListWidget;
class QSpinBox;

namespace lv::app {

class LayoutPageView;

// Photos the album browser offers the print pages (the album window's selection).
class PrintPhotoSource {
public:
    virtual ~PrintPhotoSource() = default;
    // Absolute paths of the chosen photos, in album order.
    virtual std::vector<std::string> chosenPhotos() const = 0;
};

struct LayoutPageSources {
    const PrintPhotoSource* album = nullptr;            // the album browser, when there is one
    std::string albumFile;                              // the open album, for its thumbnails
    std::function<std::shared_ptr<const HDIB>()> openPicture;  // the active image window's picture
    std::string openPictureTitle;
};

class LayoutPageDialog final : public QDialog {
public:
    LayoutPageDialog(QWidget* parent, print::LayoutPage& page, int kind, LayoutPageSources sources);

    print::LayoutPage& page() { return page_; }
    print::PrinterMetrics metrics() const;
    print::PageMargins margins() const;
    void setKind(int kind);
    void chooseProduct(int index);
    // Loads the photo for the current slot; false after telling the user it could not be read.
    bool placePhoto(const std::string& path);
    QString status() const;
    void pageChanged();
    bool printWithPreview();

private:
    void fillChoices();
    void layoutChanged();

    print::LayoutPage& page_;
    LayoutPageSources sources_;
    std::optional<profile::ProfileDocument> labelFile_;
    std::vector<print::LabelBrand> brands_;
    std::vector<print::LabelProduct> products_;
    bool updating_ = false;
    QComboBox* kind_;
    QComboBox* brand_;
    QComboBox* product_;
    QComboBox* lead_;
    QSpinBox* zoom_;
    QLabel* status_;
    QListWidget* album_;
    LayoutPageView* view_;
};

}  // namespace lv::app
