#pragma once
// Whole-picture geometry: blank pictures, cut-outs, pasting, and scaling for quality or
// for speed. Each returns a new picture (null on failure) and leaves its input alone,
// except DibPaste, which writes into its target.
//
// Two vertical conventions occur: picture coordinates count rows from the top as the user
// sees them; block coordinates count rows in memory order, from the bottom.

#include "common/file_problem.h"
#include "common/geometry.h"
#include "imagelib/dib.h"

#include <cstdint>

namespace lv {

// A picture filled with one colour (red in the low byte, green next, blue in the third).
// With `grey`: 8-bit with the grey ramp, every pixel the colour's low byte; else 24-bit.
// 7874 pixels per metre both ways. Exactly sized (no spare bytes); null without a message
// when memory runs out.
HDIB DibCreate(int width, int height, std::uint32_t colour, bool grey);

// Cuts out a rectangle in block coordinates. Null for an empty rectangle; null with
// OutsidePicture and "Crop Image outside" in `failure` when it reaches beyond the picture,
// with OutOfMemory when memory runs out. Cancellable.
HDIB DibCrop(const HDIB& image, const Rect& blockRect, FileFailure* failure = nullptr);

// Cuts out a rectangle in picture coordinates, clamped to the picture first.
HDIB DibCropPicture(const HDIB& image, const Rect& pictureRect, FileFailure* failure = nullptr);

// Copies `source` into `target` with its top-left corner at (x, y) in picture
// coordinates. Both must be 8-bit or both 24-bit. A source that doesn't fit is refused
// with OutsidePicture and "Combine Image outside" in `failure`, and nothing changes.
bool DibPaste(HDIB& target, const HDIB& source, int x, int y, FileFailure* failure = nullptr);

// Quality scaling: bilinear in eighths for grey 8-bit and 24-bit pictures, nearest sample
// for palette pictures. Both resolutions become the source's horizontal one. Cancellable.
HDIB DibResize(const HDIB& image, int width, int height);

// Fast scaling for previews and thumbnails by whole-pixel sampling. With `fit` the box
// shrinks to keep the aspect ratio (never below 1 pixel). The result is 8-bit grey for a
// grey source and 24-bit otherwise.
HDIB DibScaledCopy(const HDIB& image, int width, int height, bool fit);

// 8-bit with 256 entries, entry i = (i, i, i).
bool DibIsGrey(const HDIB& image);

struct DibSize {
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    bool operator==(const DibSize&) const = default;
};
// Width and height as 16-bit values; zero for a null picture.
DibSize DibGetSize(const HDIB& image);

// The bit count, or -1 for a null picture.
int DibGetBitCount(const HDIB& image);

}  // namespace lv
