#pragma once
// "Encomendar cópias": the photo with the part that will be printed marked in the paper's
// shape (dragged to move it), the paper from the service's sizes and the number of copies.

#include "sharing/store/print_order.h"

#include <QDialog>
#include <QImage>

class QComboBox;
class QSpinBox;

namespace lv::app {

class CropPreview;

class PrintOrderDialog final : public QDialog {
public:
    // `photo` upright, as the album shows it.
    PrintOrderDialog(QWidget* parent, const QString& name, QImage photo);

    // The paper, the copies and the crop in the photo's pixels (the photo's name left empty).
    sharing::PrintLine print() const;

private:
    void paperChosen();

    QImage photo_;
    CropPreview* preview_ = nullptr;
    QComboBox* paper_ = nullptr;
    QSpinBox* copies_ = nullptr;
};

}  // namespace lv::app
