#include "output/print/single_picture.h"

#include "common/string_table.h"
#include "common/ui_service.h"
#include "output/print/banding.h"

#include <algorithm>
#include <cmath>

namespace lv::print {
namespace {

constexpr int kDocumentNamePrefix = 2378;  // "Lumivista - "
constexpr int kScreenDpi = 96;
constexpr int kFramePen = 3;

int pictureDpi(std::int32_t pixelsPerMetre)
{
    const std::int64_t dpi = DpiFromPixelsPerMetre(pixelsPerMetre);
    return dpi > 0 ? int(dpi) : kScreenDpi;
}

Rect clampInto(const Rect& r, const Rect& area)
{
    const int width = std::min(r.width(), area.width());
    const int height = std::min(r.height(), area.height());
    const Point corner{std::clamp(r.left, area.left, area.right - width), std::clamp(r.top, area.top, area.bottom - height)};
    return Rect::fromSize(corner, {width, height});
}

}  // namespace

std::string SinglePictureDocumentName(const std::string& title)
{
    // The whole title: a PDF's title and a print queue's job name have room for it.
    return std::string(LoadString(kDocumentNamePrefix)) + title;
}

PageFraction ToPageFraction(const Rect& r, const PrinterMetrics& m)
{
    return {double(r.left - m.offsetX) / m.width, double(r.top - m.offsetY) / m.height, double(r.width()) / m.width,
            double(r.height()) / m.height};
}

Rect FromPageFraction(const PageFraction& f, const PrinterMetrics& m)
{
    return Rect::fromSize(m.offsetX + int(std::lround(f.left * m.width)), m.offsetY + int(std::lround(f.top * m.height)),
                          int(std::lround(f.width * m.width)), int(std::lround(f.height * m.height)));
}

Rect SinglePictureRect(const HDIB& picture, const SinglePictureOptions& options, const PrinterMetrics& m)
{
    const Rect area = m.printable();
    if (!picture)
        return Rect::fromSize(area.left + area.width() / 2, area.top + area.height() / 2, 0, 0);
    if (options.picture) {
        // The user's box keeps its size within the page; the picture keeps its shape inside it.
        const Rect box = clampInto(FromPageFraction(*options.picture, m), area);
        return FitCentred(picture.width(), picture.height(), box);
    }
    const long long w = (long long)picture.width() * m.dpiX / pictureDpi(picture.header().biXPelsPerMeter);
    const long long h = (long long)picture.height() * m.dpiY / pictureDpi(picture.header().biYPelsPerMeter);
    const Size natural{int(std::max(1LL, std::min<long long>(w, 1 << 30))), int(std::max(1LL, std::min<long long>(h, 1 << 30)))};
    if (natural.width > area.width() || natural.height > area.height())
        return FitCentred(natural.width, natural.height, area);
    const Point corner{area.left + (area.width() - natural.width) / 2, area.top + (area.height() - natural.height) / 2};
    return Rect::fromSize(corner, natural);
}

Rect SingleTextRect(const Rect& pictureRect, const SinglePictureOptions& options, const PrinterMetrics& m)
{
    const Rect area = m.printable();
    if (options.textBox)
        return clampInto(FromPageFraction(*options.textBox, m), area);
    const int lineHeight = std::max(1, options.points * m.dpiY / 72 * 3 / 2);
    const int below = area.bottom - pictureRect.bottom;
    const int top = below >= lineHeight + m.dpiY / 8 ? pictureRect.bottom + m.dpiY / 8 : area.bottom - lineHeight;
    return Rect::fromSize(area.left, top, area.width(), lineHeight);
}

void DrawSinglePicturePage(PrintSurface& surface, const HDIB& picture, const SinglePictureOptions& options)
{
    const PrinterMetrics& m = surface.metrics();
    const Rect where = SinglePictureRect(picture, options, m);
    PrintPicture(surface, picture, where, options.colourProfile);
    if (options.frame)
        surface.frame(where.widened(kFramePen, kFramePen), kFramePen);
    if (options.text && !options.content.empty()) {
        surface.setFont({options.face, -(options.points * m.dpiY / 72), options.bold, options.italic});
        surface.drawText(SingleTextRect(where, options, m), options.content, TextAlign::Centre, true);
    }
}

bool PrintSinglePicture(PrinterConnector& printer, const HDIB& picture, const std::string& title,
                        const SinglePictureOptions& options, Orientation orientation, int copies)
{
    if (!picture)
        return false;
    ui::BusyCursor busy;
    const std::unique_ptr<PrintSurface> surface = printer.open(copies, orientation);
    if (!surface || !surface->beginDocument(SinglePictureDocumentName(title)) || !surface->beginPage())
        return false;
    DrawSinglePicturePage(*surface, picture, options);
    surface->endPage();
    return surface->endDocument();
}

}  // namespace lv::print
