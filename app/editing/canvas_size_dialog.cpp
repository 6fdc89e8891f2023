#include "app/editing/geometry_dialogs.h"

#include "app/core/documents/new_picture.h"
#include "app/widgets/checked_dialog.h"
#include "app/widgets/dialog_buttons.h"
#include <QButtonGroup>
#include <QFormLayout>
#include <QGridLayout>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace lv::app {

std::optional<CanvasRequest> RunCanvasSizeDialog(QWidget* parent, int width, int height)
{
    CheckedDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("canvas-size"));
    dialog.setWindowTitle(QStringLiteral("Tamanho da tela"));
    auto* w = new QSpinBox(&dialog);
    auto* h = new QSpinBox(&dialog);
    w->setObjectName(QStringLiteral("width"));
    h->setObjectName(QStringLiteral("height"));
    for (QSpinBox* box : {w, h})
        box->setRange(1, 99999);
    w->setValue(width);
    h->setValue(height);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Largura (pixels):"), w);
    form->addRow(QStringLiteral("A&ltura (pixels):"), h);

    // Nine squares: where the picture stands in the new canvas.
    auto* anchors = new QButtonGroup(&dialog);
    auto* grid = new QGridLayout;
    for (int i = 0; i < 9; ++i) {
        auto* square = new QToolButton(&dialog);
        square->setObjectName(QStringLiteral("anchor%1").arg(i));
        square->setCheckable(true);
        square->setFixedSize(28, 28);
        anchors->addButton(square, i);
        grid->addWidget(square, i / 3, i % 3);
    }
    anchors->button(int(CanvasAnchor::Centre))->setChecked(true);
    form->addRow(QStringLiteral("&Posição:"), grid);

    // Sides of 10001 pixels or more are refused as for a new picture, and the dialog stays.
    dialog.setCheck([&] {
        constexpr int kAnyDpi = 72;  // a message in pixels doesn't use it
        return CheckNewPictureSize({w->value(), h->value(), kAnyDpi, SizeUnit::Pixel}).has_value();
    });
    auto* buttons = OkCancelButtons(dialog);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addLayout(form);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return CanvasRequest{w->value(), h->value(), CanvasAnchor(anchors->checkedId())};
}

}  // namespace lv::app
