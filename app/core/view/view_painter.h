#pragma once
// Drawing a document's composite into an image window: nearest sampling at the integer
// scale, only the exposed rectangle, converted for the display (true colour as it is; on
// palette displays the ordered dither to the colour cube or to one bit per channel).

#include "app/core/view/display_colours.h"
#include "app/core/view/dither.h"
#include "app/core/view/gamma.h"
#include "app/core/view/image_view.h"
#include "app/core/view/rgb_triple.h"
#include "common/geometry.h"
#include "imagelib/dib.h"

#include <cstdint>

namespace lv {

enum class DisplayKind {
    TrueColour,    // more than 8 bits per pixel: pixels copied as they are
    ColourCube,    // 8 bits: 216 colours (or an 8-bit document's own table) through gamma
    EightColours,  // fewer than 8 bits: one bit per channel
};

DisplayKind DisplayKindFor(int displayBitsPerPixel);

struct DisplayContext {
    DisplayKind kind = DisplayKind::TrueColour;
    const GammaTables* gamma = nullptr;   // required on palette displays
    const DitherTable* dither = nullptr;  // required for the colour cube
    std::uint32_t background = 0xFF808080;  // around the picture, as 0xAARRGGBB
    DisplayColours* colours = nullptr;  // a tagged 24-bit document's rows in the display's colours
};

// 32-bit 0xAARRGGBB pixels covering `area` of the window's client (top-down rows).
struct PixelBuffer {
    std::uint32_t* pixels = nullptr;
    int stride = 0;  // pixels per row
    Rect area;

    std::uint32_t* at(int clientX, int clientY) const
    {
        return pixels + std::ptrdiff_t(clientY - area.top) * stride + (clientX - area.left);
    }
};

// Paints the client pixels of `exposed` that lie in `target`: the picture area gets the
// composite (24-bit, or 8-bit with a table) seen through `view`; the ruler band and what lies
// beyond the document get the background.
void PaintView(const HDIB& composite, const ImageView& view, const Rect& exposed, const PixelBuffer& target,
               const DisplayContext& display);

inline std::uint32_t ToPixel(RgbTriple c)
{
    return 0xFF000000u | std::uint32_t(c.red) << 16 | std::uint32_t(c.green) << 8 | c.blue;
}

}  // namespace lv
