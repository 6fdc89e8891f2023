#include "app/editing/geometry_dialogs.h"

#include "app/core/documents/new_picture.h"
#include "app/widgets/checked_dialog.h"
#include "app/widgets/dialog_buttons.h"
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace lv::app {
namespace {

enum Unit { kPixels, kPercent, kInches, kCentimetres };

// Pixels from a side in a unit; `original` is the side now, for percent.
double toPixels(double value, int unit, int dpi, int original)
{
    switch (unit) {
    case kPercent: return value * original / 100.0;
    case kInches: return value * dpi;
    case kCentimetres: return value * dpi * 0.39370078740157477;
    default: return value;
    }
}

double fromPixels(double pixels, int unit, int dpi, int original)
{
    switch (unit) {
    case kPercent: return pixels * 100.0 / original;
    case kInches: return pixels / dpi;
    case kCentimetres: return pixels / (dpi * 0.39370078740157477);
    default: return pixels;
    }
}

// The unit the too-large message states the limit in.
SizeUnit messageUnit(int unit)
{
    return unit == kInches ? SizeUnit::Inch : unit == kCentimetres ? SizeUnit::Centimetre : SizeUnit::Pixel;
}

}  // namespace

std::optional<ImageSizeRequest> RunImageSizeDialog(QWidget* parent, int width, int height, int dpi)
{
    CheckedDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("image-size"));
    dialog.setWindowTitle(QStringLiteral("Tamanho da imagem"));
    auto* w = new QDoubleSpinBox(&dialog);
    auto* h = new QDoubleSpinBox(&dialog);
    w->setObjectName(QStringLiteral("width"));
    h->setObjectName(QStringLiteral("height"));
    for (QDoubleSpinBox* box : {w, h})
        box->setRange(0.01, 99999);
    auto* unit = new QComboBox(&dialog);
    unit->addItems({QStringLiteral("Pixel"), QStringLiteral("Porcentagem"), QStringLiteral("Polegada"), QStringLiteral("Cm")});
    auto* resolution = new QSpinBox(&dialog);
    resolution->setRange(1, 9999);
    resolution->setValue(dpi > 0 ? dpi : 72);
    auto* lock = new QCheckBox(QStringLiteral("&Manter proporções"), &dialog);
    lock->setChecked(true);
    double pixelsW = width, pixelsH = height;
    const auto show = [&] {
        const QSignalBlocker bw(w), bh(h);
        // Pixels are whole; percentages and print sizes have two decimals.
        for (QDoubleSpinBox* box : {w, h})
            box->setDecimals(unit->currentIndex() == kPixels ? 0 : 2);
        w->setValue(fromPixels(pixelsW, unit->currentIndex(), resolution->value(), width));
        h->setValue(fromPixels(pixelsH, unit->currentIndex(), resolution->value(), height));
    };
    QObject::connect(unit, &QComboBox::currentIndexChanged, &dialog, show);
    QObject::connect(resolution, &QSpinBox::valueChanged, &dialog, show);
    QObject::connect(w, &QDoubleSpinBox::valueChanged, &dialog, [&](double value) {
        pixelsW = toPixels(value, unit->currentIndex(), resolution->value(), width);
        if (lock->isChecked()) {
            pixelsH = pixelsW * height / width;
            show();
        }
    });
    QObject::connect(h, &QDoubleSpinBox::valueChanged, &dialog, [&](double value) {
        pixelsH = toPixels(value, unit->currentIndex(), resolution->value(), height);
        if (lock->isChecked()) {
            pixelsW = pixelsH * width / height;
            show();
        }
    });
    show();
    // Sides of 10001 pixels or more are refused as for a new picture, and the dialog stays.
    dialog.setCheck([&] {
        return CheckNewPictureSize({int(std::lround(pixelsW)), int(std::lround(pixelsH)), resolution->value(),
                                    messageUnit(unit->currentIndex())})
            .has_value();
    });
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Largura:"), w);
    form->addRow(QStringLiteral("A&ltura:"), h);
    form->addRow(QStringLiteral("&Unidade:"), unit);
    form->addRow(QStringLiteral("&Resolução (dpi):"), resolution);
    form->addRow(lock);
    auto* buttons = OkCancelButtons(dialog);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addLayout(form);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return ImageSizeRequest{std::max(1, int(std::lround(pixelsW))), std::max(1, int(std::lround(pixelsH)))};
}

}  // namespace lv::app
