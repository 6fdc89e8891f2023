#include "app/editing/geometry_dialogs.h"

#include "app/widgets/dialog_buttons.h"
#include "app/widgets/angle_dial_widget.h"

#include <QDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

namespace lv::app {

std::optional<int> RunSpinLayersDialog(QWidget* parent)
{
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("spin-layers"));
    dialog.setWindowTitle(QStringLiteral("Girar todas as camadas"));
    auto* angle = new QSpinBox(&dialog);
    angle->setObjectName(QStringLiteral("angle"));
    angle->setRange(-359, 359);
    angle->setSuffix(QStringLiteral("°"));
    auto* dial = new AngleDialWidget(dialog, [angle](unsigned degrees) { angle->setValue(int(degrees % 360)); });
    dial->setFixedSize(120, 120);
    QObject::connect(angle, &QSpinBox::valueChanged, dial, [dial](int degrees) { dial->setAngle((degrees + 360) % 360); });
    auto* direction = new QLabel(QStringLiteral("sentido anti-horário"), &dialog);
    direction->setObjectName(QStringLiteral("direction"));
    auto* field = new QHBoxLayout;
    field->addWidget(angle);
    field->addWidget(direction);
    auto* form = new QFormLayout;
    auto* label = new QLabel(QStringLiteral("Â&ngulo:"), &dialog);
    label->setBuddy(angle);
    form->addRow(label, field);
    auto* buttons = OkCancelButtons(dialog);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(dial, 0, Qt::AlignHCenter);
    layout->addLayout(form);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted || angle->value() == 0)
        return std::nullopt;
    return angle->value();
}

}  // namespace lv::app
