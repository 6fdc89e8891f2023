#pragma once
// Where printed pages are drawn: a printer job, a PDF file or a preview on screen. The page
// code draws in device pixels of the printer; a preview maps them onto its smaller picture.

#include "imagelib/dib.h"
#include "output/print/printer_metrics.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace lv::print {

struct PrintFont {
    std::string face = "Arial";
    int height = 0;  // negative: the em in device pixels; positive: the whole cell
    bool bold = false;
    bool italic = false;
};

enum class TextAlign { Left, Centre };

class PrintSurface {
public:
    virtual ~PrintSurface() = default;

    virtual const PrinterMetrics& metrics() const = 0;
    // False when the job could not be started or a page not begun; the caller then stops.
    virtual bool beginDocument(std::string_view name) = 0;
    virtual bool beginPage() = 0;
    virtual void endPage() = 0;
    virtual bool endDocument() = 0;

    // Stretches rows [firstRow, firstRow + rowCount) of the picture, in memory order (row 0 the
    // bottom one), over the target, with the picture's colour table as its colours.
    virtual void stretchRows(const HDIB& picture, int firstRow, int rowCount, const Rect& target) = 0;
    // A black outline inside the rectangle.
    virtual void frame(const Rect& rect, int penWidth) = 0;
    virtual void setFont(const PrintFont& font) = 0;
    // Width of the text in the current font, device pixels.
    virtual int textWidth(std::string_view text) = 0;
    // Black text on a transparent background, vertically centred; wrapped at word breaks
    // when `wrap` is set.
    virtual void drawText(const Rect& rect, std::string_view text, TextAlign align, bool wrap) = 0;

    // Device pixels per pixel really drawn: 1 on paper, more on a small preview. Pictures need
    // no more detail than this.
    virtual double deviceScale() const { return 1.0; }

    // The printer's ICC profile when its driver names one; pictures are converted to it.
    const std::vector<std::uint8_t>& printerProfile() const { return printerProfile_; }
    void setPrinterProfile(std::vector<std::uint8_t> profile) { printerProfile_ = std::move(profile); }

private:
    std::vector<std::uint8_t> printerProfile_;
};

enum class Orientation { Portrait, Landscape };

// Makes print jobs: the default printer without a dialog, or a file standing in for it.
class PrinterConnector {
public:
    virtual ~PrinterConnector() = default;
    // The surface of a new job; null when there is no printer (nothing is printed).
    virtual std::unique_ptr<PrintSurface> open(int copies, Orientation orientation) = 0;
    // The page of the printer jobs would go to; the defaults when there is none.
    virtual PrinterMetrics metrics(Orientation orientation) = 0;
};

}  // namespace lv::print
