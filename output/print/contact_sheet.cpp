#include "output/print/contact_sheet.h"

#include "common/beep.h"
#include "common/string_table.h"
#include "common/ui_service.h"
#include "imagelib/progress.h"
#include "output/print/banding.h"
#include "output/print/text_fit.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace lv::print {
namespace {

constexpr int kUnit = 10000;  // lengths in 1/10000 inch
constexpr int kCaptionBand = 2500;
constexpr int kSizeNames = 34007;
constexpr int kThumbnailSizes[3] = {5000, 10000, 15000};
constexpr int kSpacings[3][4] = {{675, 2500, 0, 1250}, {1250, 5000, 0, 2500}, {1925, 7500, 0, 3750}};
constexpr char kCaptionFace[] = "Arial";

int clampSize(int s)
{
    return std::clamp(s, 0, 2);
}

int toDevice(int tenThousandths, int dpi)
{
    return int((long long)tenThousandths * dpi / kUnit);
}

}  // namespace

int ThumbnailTenThousandths(int sizeChoice)
{
    return kThumbnailSizes[clampSize(sizeChoice)];
}

int SpacingTenThousandths(int sizeChoice, int spacingChoice)
{
    return kSpacings[clampSize(sizeChoice)][std::clamp(spacingChoice, 0, 3)];
}

std::string ThumbnailSizeName(int sizeChoice)
{
    return std::string(LoadString(kSizeNames + clampSize(sizeChoice)));
}

int CellsAcross(int length, int cell, int gap, int dpi)
{
    const long long available = (long long)length * kUnit;
    const long long step = (long long)(cell + gap) * dpi;
    if (step <= 0)
        return 1;
    long long n = available / step;
    if (available - n * step >= (long long)cell * dpi)
        ++n;
    return int(std::clamp<long long>(n, 1, 10000));
}

Rect ContactSheetLayout::photoBox(int cell) const
{
    const int column = cell % columns, row = cell / columns;
    return Rect::fromSize(int(std::lround(left + column * pitchX)), int(std::lround(top + row * pitchY)), thumbWidth,
                          thumbHeight);
}

Rect ContactSheetLayout::captionBox(int cell) const
{
    const Rect photo = photoBox(cell);
    return Rect::fromSize(photo.left, photo.bottom, photo.width(), captionHeight);
}

ContactSheetLayout PlanContactSheet(const ContactSheetSettings& settings, const PrinterMetrics& m, int photos)
{
    const int s = ThumbnailTenThousandths(settings.size);
    const int g = SpacingTenThousandths(settings.size, settings.spacing);
    const int cellHeight = s + (settings.captions ? kCaptionBand : 0);
    ContactSheetLayout l;
    l.columns = CellsAcross(m.width, s, g, m.dpiX);
    l.rows = CellsAcross(m.height, cellHeight, g, m.dpiY);
    l.photos = std::max(photos, 0);
    l.pages = (l.photos + l.perPage() - 1) / l.perPage();
    l.pitchX = double(s + g) * m.dpiX / kUnit;
    l.pitchY = double(cellHeight + g) * m.dpiY / kUnit;
    l.thumbWidth = toDevice(s, m.dpiX);
    l.thumbHeight = toDevice(s, m.dpiY);
    l.captionHeight = settings.captions ? toDevice(kCaptionBand, m.dpiY) : 0;
    // What the cells and the gaps between them leave is split evenly on both sides.
    const double usedX = double(l.columns) * s * m.dpiX / kUnit + double(l.columns - 1) * g * m.dpiX / kUnit;
    const double usedY = double(l.rows) * cellHeight * m.dpiY / kUnit + double(l.rows - 1) * g * m.dpiY / kUnit;
    l.left = m.offsetX + (m.width - usedX) / 2;
    l.top = m.offsetY + (m.height - usedY) / 2;
    return l;
}

std::string CaptionFor(const std::string& path)
{
    const std::size_t slash = path.find_last_of("/\\");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    for (char& c : name)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return name;
}

void DrawContactSheetPage(PrintSurface& surface, const ContactSheetLayout& layout, const ContactSheetSettings& settings,
                          const std::vector<std::string>& paths, int page, const PhotoLoader& load)
{
    const PrinterMetrics& m = surface.metrics();
    surface.setFont({kCaptionFace, -(m.dpiY * 10 / 72), false, false});
    const int framePen = std::max(1, m.dpiX / 150);
    const int first = page * layout.perPage();
    const int count = std::min(layout.perPage(), int(paths.size()) - first);
    const double scale = std::max(1.0, surface.deviceScale());
    for (int k = 0; k < count; ++k) {
        const std::string& path = paths[std::size_t(first + k)];
        const Rect box = layout.photoBox(k);
        const HDIB photo = load(path, int(box.width() / scale), int(box.height() / scale));
        if (photo) {
            const Rect fitted = FitCentred(photo.width(), photo.height(), box);
            PrintPicture(surface, photo, fitted);
            surface.frame(fitted, framePen);
        } else {
            surface.frame(box, framePen);
        }
        if (settings.captions) {
            const Rect band = layout.captionBox(k);
            const std::string caption =
                ElideMiddle(CaptionFor(path), band.width(), [&](std::string_view t) { return surface.textWidth(t); });
            surface.drawText(band, caption, TextAlign::Centre, false);
        }
        ReportProgress(kProgressProcessing, int((long long)(first + k + 1) * 100 / std::max<std::size_t>(1, paths.size())));
    }
}

std::string PageNumberText(int page, int pages)
{
    char text[32];
    std::snprintf(text, sizeof text, "%d/%d", page, pages);
    return text;
}

bool PrintContactSheet(PrinterConnector& printer, const ContactSheetSettings& settings,
                       const std::vector<std::string>& paths, const PhotoLoader& load, int copies)
{
    if (paths.empty()) {
        ui::Beep("empty album");
        return false;
    }
    ui::BusyCursor busy;
    const std::unique_ptr<PrintSurface> surface = printer.open(copies, Orientation::Portrait);
    if (!surface || !surface->beginDocument("Lumivista 2000"))
        return false;
    const ContactSheetLayout layout = PlanContactSheet(settings, surface->metrics(), int(paths.size()));
    for (int page = 0; page < layout.pages; ++page) {
        if (AbortRequested() || !surface->beginPage())
            return false;
        DrawContactSheetPage(*surface, layout, settings, paths, page, load);
        surface->endPage();
    }
    return surface->endDocument();
}

}  // namespace lv::print
