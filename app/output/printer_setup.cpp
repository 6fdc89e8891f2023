#include "app/output/printer_setup.h"

#include "common/ui_service.h"
#include "output/qt_print/qt_printer.h"

namespace lv::app {

bool SetUpPrinter(QWidget* parent)
{
    print::SystemPrinter* printer = print::ProcessSystemPrinter();
    if (!printer) {
        ui::Current().showMessage("As impressões estão sendo gravadas em um arquivo PDF; não há impressora a configurar.",
                                  "Configurar a impressora", ui::Icon::Information);
        return false;
    }
    if (!printer->available()) {
        ui::Current().showMessage("Nenhuma impressora está instalada. As páginas são mostradas em papel Carta.",
                                  "Configurar a impressora", ui::Icon::Exclamation);
        return false;
    }
    return printer->setup(parent);
}

}  // namespace lv::app
