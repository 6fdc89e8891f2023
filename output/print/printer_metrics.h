#pragma once
// What the printing code knows of the printer's page. Device pixels count from the paper's
// top-left corner; the printable area starts at the printing offset.

#include "common/geometry.h"

namespace lv::print {

struct PrinterMetrics {
    int width = 4800;  // printable area, device pixels
    int height = 6120;
    int dpiX = 600;
    int dpiY = 600;
    int offsetX = 150;  // where the printable area starts on the paper
    int offsetY = 240;
    int pageWidth = 5100;  // the whole sheet
    int pageHeight = 6600;

    Rect printable() const { return Rect::fromSize(offsetX, offsetY, width, height); }
    bool operator==(const PrinterMetrics&) const = default;
};

// A US Letter sheet at 600 dots per inch: what layouts are shown with when there is no printer.
inline PrinterMetrics DefaultPrinterMetrics()
{
    return {};
}

// Resolutions of at least 1 and a sheet at least as large as its printable area.
PrinterMetrics NormalisedMetrics(PrinterMetrics metrics);

}  // namespace lv::print
