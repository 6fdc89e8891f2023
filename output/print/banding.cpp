#include "output/print/banding.h"

#include "output/print/print_calibration_store.h"
#include "output/print/printer_colours.h"

namespace lv::print {

std::vector<PrintBand> PlanPrintBands(int w, int h, const Rect& target)
{
    if (w <= 0 || h <= 0)
        return {};
    const long long pixels = (long long)w * h;
    if (pixels < kBandPixels)
        return {{0, h, target}};
    const long long n = pixels / kBandPixels + 1;
    const long long H = target.height();
    std::vector<PrintBand> bands;
    long long drawnHeight = 0;
    for (long long i = 0; i < n; ++i) {
        const int first = int(h * i / n);
        const int last = int(h * (i + 1) / n);
        const long long bandHeight = H * (i + 1) / n - H * i / n;
        drawnHeight += bandHeight;
        bands.push_back({first, last - first,
                         Rect::fromSize(target.left, int(target.top + H - drawnHeight), target.width(), int(bandHeight))});
    }
    return bands;
}

void DrawImageOnPrinter(PrintSurface& surface, const HDIB& picture, const Rect& target)
{
    if (!picture)
        return;
    for (const PrintBand& band : PlanPrintBands(picture.width(), picture.height(), target))
        if (band.rowCount > 0 && band.target.height() > 0)
            surface.stretchRows(picture, band.firstRow, band.rowCount, band.target);
}

void PrintPicture(PrintSurface& surface, const HDIB& picture, const Rect& target,
                  std::span<const std::uint8_t> pictureProfile)
{
    // The calibration adjusts what the printer gets, so it comes after the profile's conversion.
    const HDIB converted = InPrinterColours(picture, pictureProfile, surface.printerProfile());
    const HDIB& printed = converted ? converted : picture;
    const HDIB calibrated = ApplyCalibration(printed);
    DrawImageOnPrinter(surface, calibrated ? calibrated : printed, target);
}

Rect FitCentred(int imageWidth, int imageHeight, const Rect& box)
{
    if (imageWidth <= 0 || imageHeight <= 0)
        return Rect::fromSize(box.left + box.width() / 2, box.top + box.height() / 2, 0, 0);
    int w, h;
    if ((long long)imageWidth * box.height() >= (long long)imageHeight * box.width()) {
        w = box.width();
        h = int((long long)box.width() * imageHeight / imageWidth);
    } else {
        h = box.height();
        w = int((long long)box.height() * imageWidth / imageHeight);
    }
    return Rect::fromSize(box.left + (box.width() - w) / 2, box.top + (box.height() - h) / 2, w, h);
}

}  // namespace lv::print
