#pragma once
// The "OK" and "Cancelar" row the program's dialogs end with.

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

namespace lv::app {

// OK accepts the dialog and is its default button; Cancelar rejects it.
inline QDialogButtonBox* OkCancelButtons(QDialog& dialog)
{
    auto* buttons = new QDialogButtonBox(&dialog);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("Cancelar"), QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return buttons;
}

}  // namespace lv::app
