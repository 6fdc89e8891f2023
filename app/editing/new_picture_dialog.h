#pragma once
// The New dialog: width and height in pixels, inches or centimetres, the resolution, and
// the sizes used last. Switching the unit converts the numbers at the resolution. It opens
// with the size of the clipboard's picture in pixels, or 640 × 480 without one.

#include "app/core/documents/new_picture.h"

#include <QDialog>

#include <optional>
#include <vector>

class QComboBox;
class QDoubleSpinBox;
class QListWidget;
class QSpinBox;

namespace lv::app {

class NewPictureDialog final : public QDialog {
public:
    NewPictureDialog(QWidget* parent, SettingsStore& store);

    std::optional<NewPictureRequest> request() const { return request_; }
    // Fills the fields with a size in its own unit.
    void setSize(const PictureSize& size);
    SizeUnit unit() const;

    void accept() override;

private:
    void unitChosen();
    void showUnit(SizeUnit unit);

    SettingsStore& store_;
    QDoubleSpinBox* width_;
    QDoubleSpinBox* height_;
    QComboBox* unit_;
    QSpinBox* dpi_;
    QListWidget* recent_;
    std::vector<PictureSize> recentSizes_;
    SizeUnit shownUnit_ = SizeUnit::Pixel;  // the unit the numbers are in
    std::optional<NewPictureRequest> request_;
};

// Runs the dialog over the configuration file; the checked request, or nothing.
std::optional<NewPictureRequest> RunNewPictureDialog(QWidget* parent);

}  // namespace lv::app
