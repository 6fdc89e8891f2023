#include "output/print/layout_page.h"

#include "common/beep.h"
#include "common/string_table.h"
#include "common/ui_service.h"
#include "output/print/banding.h"

#include <algorithm>
#include <cstdio>

namespace lv::print {
namespace {

constexpr int kLayoutNames = 34001;
constexpr int kPhotoSizeCaption = 34006;  // "Tamanho das fotos: "

}  // namespace

std::string LayoutKindName(int kind)
{
    return std::string(LoadString(kLayoutNames + std::clamp(kind, 0, 4)));
}

PageMargins MarginsFromSixtyFourths(int top, int left, const PrinterMetrics& m)
{
    return {int((long long)top * m.dpiY / 64), int((long long)left * m.dpiX / 64)};
}

void LayoutPage::setCurrent(int slot)
{
    current_ = slots_.empty() ? 0 : std::clamp(slot, 0, int(slots_.size()) - 1);
}

void LayoutPage::setSlots(const std::vector<Rect>& rects)
{
    std::vector<LayoutSlot> old = std::move(slots_);
    slots_.clear();
    std::size_t next = 0;
    for (const Rect& r : rects) {
        if (slots_.size() == kMaxLayoutSlots)
            break;
        LayoutSlot slot{r, nullptr, {}};
        while (next < old.size() && !old[next].picture)
            ++next;
        if (next < old.size()) {
            slot.picture = std::move(old[next].picture);
            slot.source = std::move(old[next].source);
            ++next;
        }
        slots_.push_back(std::move(slot));
    }
    setCurrent(current_);
}

void LayoutPage::useLabels(const LabelProduct& product)
{
    kind_ = kLabelLayout;
    productName_ = product.name;
    setSlots(LabelRects(product, kMaxLayoutSlots));
}

void LayoutPage::usePhotoSizes(int kind, const PrinterMetrics& metrics, std::optional<PhotoSize> lead)
{
    kind_ = std::clamp(kind, 1, 4);
    productName_.clear();
    setSlots(PhotoSizeSlots(kind_, metrics, lead, kMaxLayoutSlots));
}

void LayoutPage::place(int slot, std::shared_ptr<const HDIB> picture, std::string source)
{
    if (slot < 0 || slot >= int(slots_.size()))
        return;
    slots_[std::size_t(slot)].picture = std::move(picture);
    slots_[std::size_t(slot)].source = std::move(source);
}

void LayoutPage::placeInCurrent(std::shared_ptr<const HDIB> picture, std::string source)
{
    place(current_, std::move(picture), std::move(source));
    if (current_ + 1 < int(slots_.size()))
        ++current_;
}

void LayoutPage::fillAll(const std::shared_ptr<const HDIB>& picture, const std::string& source)
{
    for (LayoutSlot& s : slots_) {
        s.picture = picture;
        s.source = source;
    }
}

void LayoutPage::clear(int slot)
{
    place(slot, nullptr, {});
}

bool LayoutPage::hasPictures() const
{
    return std::any_of(slots_.begin(), slots_.end(), [](const LayoutSlot& s) { return s.picture && *s.picture; });
}

Rect FitInSlot(int imageWidth, int imageHeight, const Rect& slot, int zoom)
{
    const int w = int((long long)slot.width() * zoom / 100);
    const int h = int((long long)slot.height() * zoom / 100);
    const Rect fitted = FitCentred(imageWidth, imageHeight, Rect::fromSize(0, 0, w, h));
    const Point corner{slot.left + (slot.width() - fitted.width()) / 2, slot.top + (slot.height() - fitted.height()) / 2};
    return Rect::fromSize(corner, fitted.size());
}

Rect LayoutPage::drawnRect(int slot, const PageMargins& margins) const
{
    const LayoutSlot& s = slots_.at(std::size_t(slot));
    const int iw = s.picture && *s.picture ? s.picture->width() : s.rect.width();
    const int ih = s.picture && *s.picture ? s.picture->height() : s.rect.height();
    const Rect r = FitInSlot(iw, ih, s.rect, zoom_).translated(margins.left, margins.top);
    return r;
}

std::string PhotoSizeStatus(const LayoutPage& page, const PrinterMetrics& m)
{
    double w = 0, h = 0;
    if (!page.slotList().empty()) {
        const Rect r = page.drawnRect(page.current(), {});
        w = double(r.width()) / m.dpiX;
        h = double(r.height()) / m.dpiY;
    }
    char text[160];
    if (page.productName().empty())
        std::snprintf(text, sizeof text, "%s %.1f\"x%.1f\"", std::string(LoadString(kPhotoSizeCaption)).c_str(), w, h);
    else
        std::snprintf(text, sizeof text, "%s, %.1f\"x%.1f\"", page.productName().c_str(), w, h);
    return text;
}

void DrawLayoutPage(PrintSurface& surface, const LayoutPage& page, const PageMargins& margins, bool outlines)
{
    const int outlinePen = std::max(1, int(surface.deviceScale()));
    for (std::size_t i = 0; i < page.slotList().size(); ++i) {
        const LayoutSlot& s = page.slotList()[i];
        if (outlines) {
            surface.frame(s.rect.translated(margins.left, margins.top), outlinePen);
        }
        if (s.picture && *s.picture)
            PrintPicture(surface, *s.picture, page.drawnRect(int(i), margins));
    }
}

int PrintLayoutPage(PrinterConnector& printer, const LayoutPage& page, const PageMargins& margins, int copies)
{
    if (!page.hasPictures()) {
        ui::Beep("empty page");
        return 0;
    }
    ui::BusyCursor busy;
    const std::unique_ptr<PrintSurface> surface = printer.open(copies, Orientation::Portrait);
    if (!surface)
        return 0;
    if (!surface->beginDocument("Lumivista 2000") || !surface->beginPage())
        return 0;
    DrawLayoutPage(*surface, page, margins, false);
    surface->endPage();
    return surface->endDocument() ? 1 : 0;
}

}  // namespace lv::print
