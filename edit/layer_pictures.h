#pragma once
// The pictures a layer is made of: grey conversions, opaque masks, fresh composites.

#include "imagelib/dib.h"

#include <cstdint>

namespace lv {

// The grey value of a colour as the editing tools use it: 0.3 R + 0.59 G + 0.11 B, rounded.
inline std::uint8_t GreyValue(unsigned red, unsigned green, unsigned blue)
{
    return std::uint8_t((30 * red + 59 * green + 11 * blue + 50) / 100);
}

// An 8-bit picture with the grey table, every pixel `value`. Null when memory runs out.
HDIB MakeGreyFilled(int width, int height, std::uint8_t value);

// Whether the picture is 8-bit with exactly the grey table and zero reserved bytes.
bool HasExactGreyTable(const HDIB& picture);

// A grey copy of a 24-bit or palette picture (same size and resolution). Null on failure.
HDIB ConvertToGrey(const HDIB& picture);

// Whether a layer picture is 8-bit grey (`grey`) or 24-bit.
bool HasLayerDepth(const HDIB& picture, bool grey);
// A copy at that depth; null when the conversion fails.
HDIB ConvertLayerDepth(const HDIB& picture, bool grey);

// A blank composite for a document of this size and depth (24, or 8 with the grey table).
HDIB MakeComposite(int width, int height, int bitCount);
// The same at a new size for a document whose composite is `old`, keeping its resolution.
HDIB MakeCompositeLike(const HDIB& old, int width, int height, int bitCount);

}  // namespace lv
