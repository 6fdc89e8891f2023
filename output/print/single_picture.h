#pragma once
// The single picture page: the active picture on one sheet, centred or where the user put it
// in the preview, with an optional frame and an optional text.

#include "imagelib/dib.h"
#include "output/print/print_surface.h"

#include <optional>
#include <string>
#include <vector>

namespace lv::print {

// A rectangle as fractions of the printable area, as the preview shows it.
struct PageFraction {
    double left = 0, top = 0, width = 0, height = 0;
    bool operator==(const PageFraction&) const = default;
};

struct SinglePictureOptions {
    std::optional<PageFraction> picture;  // where the user put it; centred when absent
    bool frame = false;
    bool text = false;
    std::string content;
    std::optional<PageFraction> textBox;  // where the user put it; under the picture when absent
    std::string face = "Arial";
    int points = 24;
    bool bold = false;
    bool italic = false;
    std::vector<std::uint8_t> colourProfile;  // the picture's ICC profile; sRGB when empty
};

// The document name: string 2378 and the window title cut to 15 characters.
std::string SinglePictureDocumentName(const std::string& title);

// Where the picture goes: the user's place scaled to the printable area, else its own size (from
// its resolution, 96 dots per inch when it has none) centred; always within the printable area.
Rect SinglePictureRect(const HDIB& picture, const SinglePictureOptions& options, const PrinterMetrics& metrics);
// Where the text goes: the user's place, else a band as wide as the printable area under the
// picture (at the bottom when the picture leaves no room), its text centred.
Rect SingleTextRect(const Rect& pictureRect, const SinglePictureOptions& options,
                          const PrinterMetrics& metrics);

// A page fraction from a device rectangle, and back.
PageFraction ToPageFraction(const Rect& rect, const PrinterMetrics& metrics);
Rect FromPageFraction(const PageFraction& fraction, const PrinterMetrics& metrics);

void DrawSinglePicturePage(PrintSurface& surface, const HDIB& picture, const SinglePictureOptions& options);

// Prints the page; false when there is no printer or picture, or the job failed.
bool PrintSinglePicture(PrinterConnector& printer, const HDIB& picture, const std::string& title,
                        const SinglePictureOptions& options, Orientation orientation = Orientation::Portrait,
                        int copies = 1);

}  // namespace lv::print
