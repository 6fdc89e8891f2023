#include "output/qt_print/qt_page_preview.h"

#include "output/qt_print/qt_painter_surface.h"

#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace lv::print {

double PreviewScale(const PrinterMetrics& m, int longSide)
{
    return double(std::max(m.pageWidth, m.pageHeight)) / std::max(longSide, 1);
}

QImage RenderPreviewPage(const PrinterMetrics& m, int longSide, const PageDrawing& draw)
{
    const double scale = PreviewScale(m, longSide);
    QImage page(std::max(1, int(std::lround(m.pageWidth / scale))), std::max(1, int(std::lround(m.pageHeight / scale))),
                QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.scale(1 / scale, 1 / scale);
    QPen dashed(QColor(190, 190, 190));
    dashed.setStyle(Qt::DashLine);
    dashed.setCosmetic(true);
    painter.setPen(dashed);
    painter.drawRect(QRect(m.offsetX, m.offsetY, m.width, m.height));
    PainterSurface surface(painter, m, scale, [] { return false; });
    if (draw)
        draw(surface);
    return page;
}

}  // namespace lv::print
