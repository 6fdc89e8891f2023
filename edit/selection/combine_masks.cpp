#include "edit/selection/combine_masks.h"

#include "edit/selection/selection_mask.h"
#include "imagelib/dib_alloc.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace lv {
namespace {

Rect unite(const Rect& a, const Rect& b)
{
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

Rect intersect(const Rect& a, const Rect& b)
{
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

bool isEmpty(const Rect& r)
{
    return r.right <= r.left || r.bottom <= r.top;
}

// Mask `m` at rectangle `at`: the bits of result row `row` (result at `result`) as bytes.
void rowOf(const HDIB& m, const Rect& at, const Rect& result, int row, std::uint8_t* out, int bytes)
{
    const int y = result.top + row - at.top;
    if (y < 0 || y >= m.height()) {
        std::memset(out, 0, std::size_t(bytes));
        return;
    }
    ExtractMaskBits(MaskRowFromTop(m, y), m.width(), result.left - at.left, result.right - result.left, out);
}

}  // namespace

CombinedMask CombineMasks(const HDIB& a, const HDIB& b, int dx, int dy, MaskOp op)
{
    if (!a || !b)
        return {};
    const Rect ra{0, 0, a.width(), a.height()};
    const Rect rb{dx, dy, dx + b.width(), dy + b.height()};
    Rect rect;
    switch (op) {
    case MaskOp::Union:
    case MaskOp::Difference: rect = unite(ra, rb); break;
    case MaskOp::Intersection: rect = intersect(ra, rb); break;
    case MaskOp::Subtract: rect = ra; break;
    }
    if (isEmpty(rect))
        return {};
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    HDIB out = AllocatePicture(width, height, 1, 2);
    if (!out)
        return {};
    std::memcpy(out.colors(), a.colors(), 2 * sizeof(RgbQuad));
    out.header().biXPelsPerMeter = a.header().biXPelsPerMeter;
    out.header().biYPelsPerMeter = a.header().biYPelsPerMeter;

    const int bytes = (width + 7) / 8;
    std::vector<std::uint8_t> rowB(std::size_t(bytes) + 1);
    for (int r = 0; r < height; ++r) {
        std::uint8_t* dst = MaskRowFromTop(out, r);
        rowOf(a, ra, rect, r, dst, bytes);
        rowOf(b, rb, rect, r, rowB.data(), bytes);
        const std::uint8_t* src = rowB.data();
        switch (op) {
        case MaskOp::Union:
            for (int i = 0; i < bytes; ++i)
                dst[i] |= src[i];
            break;
        case MaskOp::Intersection:
            for (int i = 0; i < bytes; ++i)
                dst[i] &= src[i];
            break;
        case MaskOp::Difference:
            for (int i = 0; i < bytes; ++i)
                dst[i] ^= src[i];
            break;
        case MaskOp::Subtract:
            for (int i = 0; i < bytes; ++i)
                dst[i] &= std::uint8_t(~src[i]);
            break;
        }
    }
    return {std::move(out), rect};
}

}  // namespace lv
