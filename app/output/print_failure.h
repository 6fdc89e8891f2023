#pragma once
// What the user is told when the printer (or the PDF file standing in for it) refused a job:
// a beep alone would leave them waiting for pages that never come.

#include "common/ui_service.h"

namespace lv::app {

inline void TellPrintingFailed()
{
    ui::Current().showMessage("Não foi possível imprimir: a impressora não aceitou o trabalho. Verifique se ela "
                              "está ligada e conectada (ou, ao imprimir em arquivo, se há espaço no disco) e tente "
                              "de novo.",
                              ui::kWarningTitle, ui::Icon::Exclamation);
}

}  // namespace lv::app
