#pragma once
// A printed sheet drawn small, centred on a grey ground: the print pages show their page in it
// and map the mouse to the printer's device pixels.

#include "output/qt_print/qt_page_preview.h"

#include <QImage>
#include <QWidget>

namespace lv::app {

class SheetView : public QWidget {
public:
    SheetView(QWidget* parent, int longSide);

    // Draws the sheet afresh.
    void render(const print::PrinterMetrics& metrics, const print::PageDrawing& draw);
    const QImage& page() const { return page_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    // Drawn over the sheet, in widget coordinates.
    virtual void paintOverlay(QPainter&) {}

    QRectF onScreen(const Rect& rect) const;
    QPointF toDevice(QPointF widgetPoint) const;
    double scale() const { return scale_; }

private:
    QPointF origin() const;

    int longSide_;
    QImage page_;
    double scale_ = 1;
};

}  // namespace lv::app
