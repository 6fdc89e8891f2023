#pragma once
// Pictures on the printer: pictures of 1,048,576 pixels or more go out in horizontal bands
// so no single transfer is huge; band 0 holds the bottom rows and ends at the target's bottom.

#include "imagelib/dib.h"
#include "output/print/print_surface.h"

#include <cstdint>
#include <span>
#include <vector>

namespace lv::print {

inline constexpr long long kBandPixels = 0x100000;

struct PrintBand {
    int firstRow = 0;  // memory order: row 0 is the picture's bottom row
    int rowCount = 0;
    Rect target;
    bool operator==(const PrintBand&) const = default;
};

// The transfers for a w × h picture stretched over the target.
std::vector<PrintBand> PlanPrintBands(int width, int height, const Rect& target);

// Draws the picture as planned.
void DrawImageOnPrinter(PrintSurface& surface, const HDIB& picture, const Rect& target);

// The picture in the printer's colours (from `pictureProfile`, sRGB when empty) when the
// surface has a printer profile, through the print calibration when it is on, then onto the page.
void PrintPicture(PrintSurface& surface, const HDIB& picture, const Rect& target,
                  std::span<const std::uint8_t> pictureProfile = {});

// The largest rectangle of the picture's shape inside the box, centred in it.
Rect FitCentred(int imageWidth, int imageHeight, const Rect& box);

}  // namespace lv::print
