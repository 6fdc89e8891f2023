#pragma once
// Contact sheets: the open album's photos as a grid of thumbnails on as many pages as they
// need, with the file names under them when asked.

#include "imagelib/dib.h"
#include "output/print/print_surface.h"

#include <functional>
#include <string>
#include <vector>

namespace lv::print {

struct ContactSheetSettings {
    int size = 1;     // 0, 1, 2: 0.5, 1.0, 1.5 inches (strings 34007 to 34009)
    int spacing = 0;  // 0 to 3
    bool captions = false;
};

// Lengths in 1/10000 inch, so the table's spacings stay exact.
int ThumbnailTenThousandths(int sizeChoice);
int SpacingTenThousandths(int sizeChoice, int spacingChoice);
// The user-facing name of a size choice.
std::string ThumbnailSizeName(int sizeChoice);

// Cells across a length of `length` device pixels at `dpi`: whole cell-and-gap steps, plus one
// when what is left holds a cell (the last needs no gap). At least 1.
int CellsAcross(int length, int cellTenThousandths, int gapTenThousandths, int dpi);

struct ContactSheetLayout {
    int columns = 1;
    int rows = 1;
    int pages = 0;
    int photos = 0;
    // Per cell, device pixels.
    double pitchX = 0, pitchY = 0;
    int thumbWidth = 0, thumbHeight = 0;  // the photo's square
    int captionHeight = 0;                // the band under it (0 without captions)
    double left = 0, top = 0;             // the first cell's corner

    int perPage() const { return columns * rows; }
    // Cell k of a page: column k mod columns, row k / columns.
    Rect photoBox(int cell) const;
    Rect captionBox(int cell) const;
};

ContactSheetLayout PlanContactSheet(const ContactSheetSettings& settings, const PrinterMetrics& metrics, int photos);

// The caption: the text after the last "/" or "\", lower-cased.
std::string CaptionFor(const std::string& path);

// Loads a photo for a box of the given size in device pixels; a picture of more detail than
// the box needs is fine, less is fine too (it is stretched). Null when it can't be read.
using PhotoLoader = std::function<HDIB(const std::string& path, int boxWidth, int boxHeight)>;

// Draws page `page` (from 0): each photo fitted into its square and framed, its caption under it.
void DrawContactSheetPage(PrintSurface& surface, const ContactSheetLayout& layout, const ContactSheetSettings& settings,
                          const std::vector<std::string>& paths, int page, const PhotoLoader& load);

// The preview's page number "%d/%d".
std::string PageNumberText(int page, int pages);

// Prints every page; photos are loaded one at a time. Beeps and prints nothing for no photos;
// false when there is no printer or the job failed.
bool PrintContactSheet(PrinterConnector& printer, const ContactSheetSettings& settings,
                       const std::vector<std::string>& paths, const PhotoLoader& load, int copies = 1);

}  // namespace lv::print
