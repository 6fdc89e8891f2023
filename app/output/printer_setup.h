#pragma once
// "Configurar a impressora": the print dialog on the printer later jobs use.

class QWidget;

namespace lv::app {

// True when the user chose a printer or settings. Without a printer (or while jobs go to a
// file) the user is told why nothing opens and the pages keep the default sheet.
bool SetUpPrinter(QWidget* parent);

}  // namespace lv::app
