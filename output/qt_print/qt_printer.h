#pragma once
// The printer through Qt Print Support: the default printer without a dialog (or the one the
// user chose in "Configurar a impressora"), or a PDF file standing in for it. With
// LUMIVISTA_PRINT_TO naming a file, every job is written there as PDF.

#include "output/print/print_surface.h"

#include <QPageSize>

#include <memory>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class QPrinter;
class QWidget;

namespace lv::print {

// The PDF file of $LUMIVISTA_PRINT_TO, when set and not empty.
std::optional<std::string> PrintToFileFromEnvironment();

// The page of a PDF job: the sheet at 600 dots per inch with the margins of a typical printer
// (a quarter inch at the sides, 0.4 inch at top and bottom), so US Letter gives the defaults.
PrinterMetrics PdfPageMetrics(QPageSize::PageSizeId paper, Orientation orientation);

// The paper of jobs nobody chose a paper for: the default printer's, else the one the locale's
// LC_PAPER names, else US Letter.
QPageSize::PageSizeId DefaultPaper();

// The paper of a locale's size in millimetres; Letter for a size Qt does not name.
QPageSize::PageSizeId PaperOfMillimetres(int width, int height);

// Jobs into a PDF file, through the same drawing as the printer; with a printer profile, the
// pictures in that printer's colours.
class PdfPrinter final : public PrinterConnector {
public:
    explicit PdfPrinter(std::string file, QPageSize::PageSizeId paper = DefaultPaper(),
                        std::vector<std::uint8_t> printerProfile = {});
    std::unique_ptr<PrintSurface> open(int copies, Orientation orientation) override;
    PrinterMetrics metrics(Orientation orientation) override;

private:
    std::string file_;
    QPageSize::PageSizeId paper_;
    std::vector<std::uint8_t> printerProfile_;
};

// The system's printers.
class SystemPrinter final : public PrinterConnector {
public:
    SystemPrinter();
    ~SystemPrinter() override;
    std::unique_ptr<PrintSurface> open(int copies, Orientation orientation) override;
    PrinterMetrics metrics(Orientation orientation) override;
    // The print dialog on the printer's settings; later jobs use what the user chose. False when
    // cancelled or when there is no printer.
    bool setup(QWidget* parent);
    bool available() const;
    // The copies chosen in the print dialog; 1 until the user chose there.
    int chosenCopies() const;

private:
    std::unique_ptr<QPrinter> settings_;  // the default printer, until the user picks another
};

// The process's printer: the PDF file of LUMIVISTA_PRINT_TO when set, else the system's.
PrinterConnector& ProcessPrinter();
// The same when it is the system's printer; null when jobs go to a file.
SystemPrinter* ProcessSystemPrinter();

}  // namespace lv::print
