#include "app/output/sheet_view.h"

#include <QPainter>

namespace lv::app {

SheetView::SheetView(QWidget* parent, int longSide)
    : QWidget(parent)
    , longSide_(longSide)
{
    setMinimumSize(longSide * 8 / 10, longSide);
}

void SheetView::render(const print::PrinterMetrics& metrics, const print::PageDrawing& draw)
{
    scale_ = print::PreviewScale(metrics, longSide_);
    page_ = print::RenderPreviewPage(metrics, longSide_, draw);
    update();
}

void SheetView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(107, 110, 114));
    p.drawImage(origin(), page_);
    paintOverlay(p);
}

QPointF SheetView::origin() const
{
    return {(width() - page_.width()) / 2.0, (height() - page_.height()) / 2.0};
}

QRectF SheetView::onScreen(const Rect& r) const
{
    return {origin().x() + r.left / scale_, origin().y() + r.top / scale_, r.width() / scale_, r.height() / scale_};
}

QPointF SheetView::toDevice(QPointF widgetPoint) const
{
    return (widgetPoint - origin()) * scale_;
}

}  // namespace lv::app
