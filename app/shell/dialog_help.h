#pragma once
// Every dialog of the program sets its help context while it shows, and F1 in it opens the
// page of that context. A dialog takes part with one line in its constructor:
//
//     UseDialogHelp(*this, skin::kNewPictureDialog);

#include "app/skin/help_context.h"

class QWidget;

namespace lv::app {

void UseDialogHelp(QWidget& dialog, int dialogId);

}  // namespace lv::app
