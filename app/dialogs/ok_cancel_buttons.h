#pragma once
// The "OK" and "Cancelar" buttons of a dialog, wired to accept and reject it.

class QDialog;
class QDialogButtonBox;

namespace lv::app {

QDialogButtonBox* MakeOkCancelButtons(QDialog& dialog);

}  // namespace lv::app
