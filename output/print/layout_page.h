#pragma once
// The print layout page: up to 100 slots on one sheet, each a rectangle in device pixels and
// perhaps a photo, from a label product or from a layout of photo print sizes.

#include "imagelib/dib.h"
#include "output/print/label_spec.h"
#include "output/print/photo_sizes.h"
#include "output/print/print_surface.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace lv::print {

inline constexpr std::size_t kMaxLayoutSlots = 100;

enum LayoutKind : int { kLabelLayout = 0, kWidePhotos = 1, kHighPhotos = 2, kMixedPhotos = 3, kOneSizePhotos = 4 };

// The user-facing name of a layout kind (strings 34001 to 34005).
std::string LayoutKindName(int kind);

struct LayoutSlot {
    Rect rect;
    std::shared_ptr<const HDIB> picture;  // one photo may fill several slots
    std::string source;                   // where the photo came from, for the status line
};

// Margins in device pixels, from "TOPMARGIN" and "LEFTMARGIN" (1/64 inch) of section "USER".
struct PageMargins {
    int top = 0;
    int left = 0;
};
PageMargins MarginsFromSixtyFourths(int top, int left, const PrinterMetrics& metrics);

class LayoutPage {
public:
    int kind() const { return kind_; }
    int zoom() const { return zoom_; }
    void setZoom(int percent) { zoom_ = percent < 1 ? 1 : percent; }
    int current() const { return current_; }
    void setCurrent(int slot);

    // New slots (photos kept in order as far as there are slots): a label product, or a
    // photo-size layout.
    void useLabels(const LabelProduct& product);
    void usePhotoSizes(int kind, const PrinterMetrics& metrics, std::optional<PhotoSize> lead);
    const std::string& productName() const { return productName_; }

    const std::vector<LayoutSlot>& slotList() const { return slots_; }
    void place(int slot, std::shared_ptr<const HDIB> picture, std::string source);
    // The current slot takes the photo, and the current moves to the next slot.
    void placeInCurrent(std::shared_ptr<const HDIB> picture, std::string source);
    void fillAll(const std::shared_ptr<const HDIB>& picture, const std::string& source);
    void clear(int slot);
    bool hasPictures() const;

    // Where a slot's photo is drawn: fitted keeping its shape into the slot scaled by the zoom,
    // centred in the slot, moved by the margins.
    Rect drawnRect(int slot, const PageMargins& margins) const;

private:
    void setSlots(const std::vector<Rect>& rects);

    int kind_ = kLabelLayout;
    int zoom_ = 100;
    int current_ = 0;
    std::string productName_;
    std::vector<LayoutSlot> slots_;
};

Rect FitInSlot(int imageWidth, int imageHeight, const Rect& slot, int zoom);

// The status line: the size the current slot's photo takes, in inches with one decimal.
std::string PhotoSizeStatus(const LayoutPage& page, const PrinterMetrics& metrics);

// Draws the page's photos and, when `outlines` is set, every slot's outline (for the preview).
void DrawLayoutPage(PrintSurface& surface, const LayoutPage& page, const PageMargins& margins, bool outlines);

// Prints the page on one sheet: 1 when printed; 0 after a beep when no slot holds a photo, or
// when there is no printer.
int PrintLayoutPage(PrinterConnector& printer, const LayoutPage& page, const PageMargins& margins, int copies = 1);

}  // namespace lv::print
