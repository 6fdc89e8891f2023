#include "output/qt_print/qt_printer.h"

#include "output/print/locale_paper.h"
#include "output/print/printer_profile.h"
#include "output/qt_print/qt_painter_surface.h"

#include <QPageLayout>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>
#include <cstdlib>

namespace lv::print {
namespace {

constexpr int kPdfDpi = 600;
constexpr double kSideMarginInches = 0.25;
constexpr double kTopMarginInches = 0.4;

QPageLayout::Orientation qtOrientation(Orientation o)
{
    return o == Orientation::Portrait ? QPageLayout::Portrait : QPageLayout::Landscape;
}

PrinterMetrics metricsOf(const QRect& paper, const QRect& paint, int dpiX, int dpiY)
{
    PrinterMetrics m;
    m.dpiX = dpiX;
    m.dpiY = dpiY;
    m.pageWidth = paper.width();
    m.pageHeight = paper.height();
    m.offsetX = paint.left() - paper.left();
    m.offsetY = paint.top() - paper.top();
    m.width = paint.width();
    m.height = paint.height();
    return NormalisedMetrics(m);
}

PrinterMetrics printerMetrics(QPrinter& printer)
{
    const int dpi = printer.resolution();
    const QPageLayout layout = printer.pageLayout();
    const QRect paper = layout.fullRectPixels(dpi);
    QPageLayout minimal = layout;
    minimal.setMargins(layout.minimumMargins());
    return metricsOf(paper, minimal.paintRectPixels(dpi), dpi, dpi);
}

}  // namespace

std::optional<std::string> PrintToFileFromEnvironment()
{
    const char* file = std::getenv("LUMIVISTA_PRINT_TO");
    if (!file || !*file)
        return std::nullopt;
    return std::string(file);
}

QPageSize::PageSizeId PaperOfMillimetres(int width, int height)
{
    const QPageSize::PageSizeId id = QPageSize::id(QSizeF(width, height), QPageSize::Millimeter, QPageSize::FuzzyMatch);
    return id == QPageSize::Custom ? QPageSize::Letter : id;
}

QPageSize::PageSizeId DefaultPaper()
{
    if (const QPrinterInfo printer = QPrinterInfo::defaultPrinter(); !printer.isNull()) {
        const QPageSize size = printer.defaultPageSize();
        if (size.isValid() && size.id() != QPageSize::Custom)
            return size.id();
    }
    if (const auto paper = LocalePaper())
        return PaperOfMillimetres(paper->width, paper->height);
    return QPageSize::Letter;
}

PrinterMetrics PdfPageMetrics(QPageSize::PageSizeId paper, Orientation orientation)
{
    const QSize size = QPageSize(paper).sizePixels(kPdfDpi);
    const bool portrait = orientation == Orientation::Portrait;
    const int pageW = portrait ? size.width() : size.height();
    const int pageH = portrait ? size.height() : size.width();
    const int side = int(kSideMarginInches * kPdfDpi), top = int(kTopMarginInches * kPdfDpi);
    const int marginX = portrait ? side : top, marginY = portrait ? top : side;
    return metricsOf(QRect(0, 0, pageW, pageH), QRect(marginX, marginY, pageW - 2 * marginX, pageH - 2 * marginY),
                     kPdfDpi, kPdfDpi);
}

PdfPrinter::PdfPrinter(std::string file, QPageSize::PageSizeId paper, std::vector<std::uint8_t> printerProfile)
    : file_(std::move(file))
    , paper_(paper)
    , printerProfile_(std::move(printerProfile))
{
}

PrinterMetrics PdfPrinter::metrics(Orientation orientation)
{
    return PdfPageMetrics(paper_, orientation);
}

std::unique_ptr<PrintSurface> PdfPrinter::open(int, Orientation orientation)
{
    auto writer = std::make_unique<QPdfWriter>(QString::fromStdString(file_));
    writer->setResolution(kPdfDpi);
    writer->setCreator(QStringLiteral("Lumivista 2000"));
    writer->setPageLayout(QPageLayout(QPageSize(paper_), qtOrientation(orientation), QMarginsF(0, 0, 0, 0)));
    auto surface = std::make_unique<PagedDeviceSurface>(std::move(writer), metrics(orientation),
                                                        [](QPagedPaintDevice& device, const QString& title) {
                                                            static_cast<QPdfWriter&>(device).setTitle(title);
                                                        });
    surface->setPrinterProfile(printerProfile_);
    return surface;
}

SystemPrinter::SystemPrinter() = default;
SystemPrinter::~SystemPrinter() = default;

bool SystemPrinter::available() const
{
    return settings_ || !QPrinterInfo::defaultPrinter().isNull();
}

PrinterMetrics SystemPrinter::metrics(Orientation orientation)
{
    if (!available())
        return PdfPageMetrics(DefaultPaper(), orientation);
    QPrinter printer(settings_ ? QPrinterInfo::printerInfo(settings_->printerName()) : QPrinterInfo::defaultPrinter(),
                     QPrinter::HighResolution);
    if (settings_)
        printer.setPageSize(settings_->pageLayout().pageSize());
    printer.setFullPage(true);
    printer.setPageOrientation(qtOrientation(orientation));
    return printerMetrics(printer);
}

std::unique_ptr<PrintSurface> SystemPrinter::open(int copies, Orientation orientation)
{
    if (!available())
        return nullptr;
    auto printer = std::make_unique<QPrinter>(
        settings_ ? QPrinterInfo::printerInfo(settings_->printerName()) : QPrinterInfo::defaultPrinter(),
        QPrinter::HighResolution);
    if (settings_)
        printer->setPageSize(settings_->pageLayout().pageSize());
    printer->setFullPage(true);
    printer->setCopyCount(std::max(1, copies));
    printer->setPageOrientation(qtOrientation(orientation));
    const PrinterMetrics m = printerMetrics(*printer);
    // Without a profile from the driver the pictures go out as they are, as they always did.
    PrinterProfile profile = PrinterProfileOf(printer->printerName().toStdString());
    auto surface = std::make_unique<PagedDeviceSurface>(std::move(printer), m, [](QPagedPaintDevice& device, const QString& title) {
        static_cast<QPrinter&>(device).setDocName(title);
    });
    surface->setPrinterProfile(std::move(profile.bytes));
    return surface;
}

int SystemPrinter::chosenCopies() const
{
    return settings_ ? std::max(1, settings_->copyCount()) : 1;
}

bool SystemPrinter::setup(QWidget* parent)
{
    if (!settings_) {
        if (QPrinterInfo::defaultPrinter().isNull() && QPrinterInfo::availablePrinters().isEmpty())
            return false;
        settings_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    }
    QPrintDialog dialog(settings_.get(), parent);
    dialog.setWindowTitle(QStringLiteral("Configurar a impressora"));
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    return dialog.exec() == QDialog::Accepted;
}

PrinterConnector& ProcessPrinter()
{
    static const std::optional<std::string> file = PrintToFileFromEnvironment();
    if (file) {
        static PdfPrinter pdf(*file);
        return pdf;
    }
    return *ProcessSystemPrinter();
}

SystemPrinter* ProcessSystemPrinter()
{
    if (PrintToFileFromEnvironment())
        return nullptr;
    static SystemPrinter printer;
    return &printer;
}

}  // namespace lv::print
