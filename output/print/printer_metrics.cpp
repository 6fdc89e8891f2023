#include "output/print/printer_metrics.h"

#include <algorithm>

namespace lv::print {

PrinterMetrics NormalisedMetrics(PrinterMetrics m)
{
    m.dpiX = std::max(m.dpiX, 1);
    m.dpiY = std::max(m.dpiY, 1);
    m.width = std::max(m.width, 1);
    m.height = std::max(m.height, 1);
    m.pageWidth = std::max(m.pageWidth, m.width);
    m.pageHeight = std::max(m.pageHeight, m.height);
    return m;
}

}  // namespace lv::print
