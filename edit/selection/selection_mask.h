#pragma once
// 1-bit selection masks: a packed picture with a black and white table whose set bits
// (most significant bit first) mark selected pixels. Rows are bottom-up like every
// picture; these helpers address them by rows counted from the top, as selections are.

#include "common/geometry.h"
#include "imagelib/dib.h"

#include <cstdint>
#include <optional>

namespace lv {

// A zeroed mask (nothing selected), or null when the size is refused or memory runs out.
HDIB AllocateSelectionMask(int width, int height);

inline const std::uint8_t* MaskRowFromTop(const HDIB& mask, int row)
{
    return mask.row(mask.height() - 1 - row);
}
inline std::uint8_t* MaskRowFromTop(HDIB& mask, int row)
{
    return mask.row(mask.height() - 1 - row);
}

inline bool MaskBitAt(const std::uint8_t* row, int x)
{
    return (row[x >> 3] >> (7 - (x & 7))) & 1;
}
inline void SetMaskBitAt(std::uint8_t* row, int x)
{
    row[x >> 3] |= std::uint8_t(0x80u >> (x & 7));
}

// Whether pixel (x, row from the top) is selected; false outside the mask.
bool MaskSelects(const HDIB& mask, int x, int row);

// Sets every pixel of each row, leaving the padding bits after the last one clear.
void FillSelectionMask(HDIB& mask);

// Clears the bits after each row's last pixel.
void ClearMaskPadding(HDIB& mask);

std::int64_t CountSelectedPixels(const HDIB& mask);

// The smallest rectangle (top-down, right and bottom exclusive) holding every set bit;
// nothing when none is set.
std::optional<Rect> SelectedBounds(const HDIB& mask);

// The part of a mask inside `rect` (top-down, within the mask) as a mask of its own.
HDIB CutSelectionMask(const HDIB& mask, const Rect& rect);

// Copies `count` bits of a packed row starting at bit `first` (which may lie before the
// row or run past `width` bits; bits there read as clear) into `out` from its bit 0.
// `out` holds (count + 7) / 8 bytes; bits past `count` in its last byte are clear.
void ExtractMaskBits(const std::uint8_t* row, int width, int first, int count, std::uint8_t* out);

}  // namespace lv
