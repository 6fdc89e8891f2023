#pragma once
// A print surface over a QPainter: the same drawing serves printers, PDF files and previews.

#include "output/print/print_surface.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPagedPaintDevice>

#include <functional>

namespace lv::print {

// Rows [firstRow, firstRow + rowCount) of the picture (memory order) as an image, top row first,
// keeping palette pictures indexed. Null for a null picture or an empty range.
QImage BandImage(const HDIB& picture, int firstRow, int rowCount);

class PainterSurface : public PrintSurface {
public:
    // `painter` is active on a device whose coordinates are `scale` device pixels per unit;
    // `nextPage` starts each page after the first.
    PainterSurface(QPainter& painter, PrinterMetrics metrics, double deviceScale, std::function<bool()> nextPage);

    const PrinterMetrics& metrics() const override { return metrics_; }
    bool beginDocument(std::string_view) override { return true; }
    bool beginPage() override;
    void endPage() override {}
    bool endDocument() override { return true; }
    void stretchRows(const HDIB& picture, int firstRow, int rowCount, const Rect& target) override;
    void frame(const Rect& rect, int penWidth) override;
    void setFont(const PrintFont& font) override;
    int textWidth(std::string_view text) override;
    void drawText(const Rect& rect, std::string_view text, TextAlign align, bool wrap) override;
    double deviceScale() const override { return deviceScale_; }

protected:
    QPainter& painter() { return painter_; }

private:
    QPainter& painter_;
    PrinterMetrics metrics_;
    double deviceScale_;
    std::function<bool()> nextPage_;
    bool firstPage_ = true;
    QFont font_;
};

// A job on a paged device (a printer or a PDF writer): painting starts with the document.
class PagedDeviceSurface final : public PainterSurface {
public:
    PagedDeviceSurface(std::unique_ptr<QPagedPaintDevice> device, PrinterMetrics metrics,
                       std::function<void(QPagedPaintDevice&, const QString&)> setTitle);
    ~PagedDeviceSurface() override;

    bool beginDocument(std::string_view name) override;
    bool endDocument() override;

private:
    QPainter ownPainter_;
    std::unique_ptr<QPagedPaintDevice> device_;
    std::function<void(QPagedPaintDevice&, const QString&)> setTitle_;
};

}  // namespace lv::print
