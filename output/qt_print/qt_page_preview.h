#pragma once
// Pages as they will print, drawn small for a preview: the sheet in white, the printable area
// outlined, and the page's own drawing through the same code as the printer.

#include "output/print/print_surface.h"

#include <QImage>

#include <functional>

namespace lv::print {

using PageDrawing = std::function<void(PrintSurface&)>;

// The sheet scaled so its longer side is `longSide` pixels.
QImage RenderPreviewPage(const PrinterMetrics& metrics, int longSide, const PageDrawing& draw);

// Device pixels per preview pixel for that size.
double PreviewScale(const PrinterMetrics& metrics, int longSide);

}  // namespace lv::print
