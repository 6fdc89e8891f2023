#pragma once
// The pages of a print job as they will come out, one at a time, before anything goes to the
// printer: "Anterior" and "Próxima" move between pages, shown as "page/pages", and the copies
// are chosen next to "Imprimir".

#include "output/qt_print/qt_page_preview.h"

#include <QDialog>

#include <functional>
#include <optional>

class QLabel;
class QPushButton;
class QSpinBox;

namespace lv::app {

class PrintPreviewDialog final : public QDialog {
public:
    // `drawPage(surface, page)` draws page `page` (from 0) of `pages`.
    using PageDrawer = std::function<void(print::PrintSurface&, int page)>;
    PrintPreviewDialog(QWidget* parent, const QString& title, print::PrinterMetrics metrics, int pages,
                       PageDrawer drawPage, int copies = 1);

    int page() const { return page_; }
    void showPage(int page);
    const QImage& pageImage() const { return image_; }
    // The "page/pages" text.
    QString pageText() const;
    int copies() const;
    void setCopies(int copies);

private:
    print::PrinterMetrics metrics_;
    int pages_;
    PageDrawer drawPage_;
    int page_ = -1;
    QImage image_;
    QLabel* picture_;
    QLabel* number_;
    QPushButton* previous_;
    QPushButton* next_;
    QSpinBox* copies_;
};

#ifdef LV_TEST_DRIVER
// Test hook: previews are answered "Imprimir" at once, after `log` has been told the page count.
void AnswerPreviewsAtOnce(std::function<void(const QString&)> log);
#endif

// Shows the preview; the copies to print when the user chose to print, nothing when cancelled.
// The copies start at those chosen in "Configurar a impressora".
std::optional<int> ConfirmWithPreview(QWidget* parent, const QString& title, const print::PrinterMetrics& metrics,
                                      int pages, PrintPreviewDialog::PageDrawer drawPage);

}  // namespace lv::app
