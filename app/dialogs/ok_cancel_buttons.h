#pragma once
// The "OK" and "Cancelar" buttons of a dialog, wired to accept and reject it.

#include <QDialogButtonBox>

class QDialog;

namespace lv::app {

QDialogButtonBox* MakeOkCancelButtons(QDialog& dialog);

}  // namespace lv::app
