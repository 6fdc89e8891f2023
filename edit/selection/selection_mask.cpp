#include "edit/selection/selection_mask.h"

#include "imagelib/dib_alloc.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace lv {
namespace {

std::uint8_t lastByteMask(int width)
{
    const int used = width & 7;
    return used == 0 ? 0xFF : std::uint8_t(0xFF00u >> used);
}

}  // namespace

HDIB AllocateSelectionMask(int width, int height)
{
    HDIB mask = AllocatePicture(width, height, 1, 2);
    if (mask) {
        mask.colors()[0] = {0, 0, 0, 0};
        mask.colors()[1] = {255, 255, 255, 0};
    }
    return mask;
}

bool MaskSelects(const HDIB& mask, int x, int row)
{
    if (!mask || x < 0 || row < 0 || x >= mask.width() || row >= mask.height())
        return false;
    return MaskBitAt(MaskRowFromTop(mask, row), x);
}

void FillSelectionMask(HDIB& mask)
{
    const int width = mask.width();
    const std::size_t bytes = std::size_t(width + 7) / 8;
    for (int y = 0; y < mask.height(); ++y) {
        std::uint8_t* row = mask.row(y);
        std::memset(row, 0xFF, bytes);
        row[bytes - 1] = lastByteMask(width);
    }
}

void ClearMaskPadding(HDIB& mask)
{
    const int width = mask.width();
    const std::size_t bytes = std::size_t(width + 7) / 8;
    const std::size_t stride = mask.stride();
    for (int y = 0; y < mask.height(); ++y) {
        std::uint8_t* row = mask.row(y);
        row[bytes - 1] &= lastByteMask(width);
        std::memset(row + bytes, 0, stride - bytes);
    }
}

std::int64_t CountSelectedPixels(const HDIB& mask)
{
    if (!mask)
        return 0;
    const int width = mask.width();
    const std::size_t bytes = std::size_t(width + 7) / 8;
    std::int64_t count = 0;
    for (int y = 0; y < mask.height(); ++y) {
        const std::uint8_t* row = mask.row(y);
        for (std::size_t i = 0; i + 1 < bytes; ++i)
            count += std::popcount(row[i]);
        count += std::popcount(std::uint8_t(row[bytes - 1] & lastByteMask(width)));
    }
    return count;
}

std::optional<Rect> SelectedBounds(const HDIB& mask)
{
    if (!mask)
        return std::nullopt;
    const int width = mask.width();
    const int bytes = (width + 7) / 8;
    const std::uint8_t last = lastByteMask(width);
    int left = width, right = -1, top = -1, bottom = -1;
    for (int r = 0; r < mask.height(); ++r) {
        const std::uint8_t* row = MaskRowFromTop(mask, r);
        int first = -1, final = -1;
        for (int i = 0; i < bytes; ++i) {
            const std::uint8_t b = i == bytes - 1 ? std::uint8_t(row[i] & last) : row[i];
            if (!b)
                continue;
            if (first < 0)
                first = i * 8 + std::countl_zero(b);
            final = i * 8 + 7 - std::countr_zero(b);
        }
        if (first < 0)
            continue;
        if (top < 0)
            top = r;
        bottom = r;
        left = std::min(left, first);
        right = std::max(right, final);
    }
    if (top < 0)
        return std::nullopt;
    return Rect{left, top, right + 1, bottom + 1};
}

void ExtractMaskBits(const std::uint8_t* row, int width, int first, int count, std::uint8_t* out)
{
    const int outBytes = (count + 7) / 8;
    const int rowBytes = (width + 7) / 8;
    const auto byteAt = [&](int index) -> unsigned { return index >= 0 && index < rowBytes ? row[index] : 0u; };
    if ((first & 7) == 0) {
        const int start = first >> 3;
        for (int i = 0; i < outBytes; ++i)
            out[i] = std::uint8_t(byteAt(start + i));
    } else {
        // floor division keeps the shift right for starts before the row
        const int start = first >= 0 ? first >> 3 : -((-first + 7) >> 3);
        const int shift = first - start * 8;
        unsigned high = byteAt(start);
        for (int i = 0; i < outBytes; ++i) {
            const unsigned low = byteAt(start + i + 1);
            out[i] = std::uint8_t(((high << 8 | low) << shift) >> 8);
            high = low;
        }
    }
    // Bits from before the row, past its last pixel or past `count` read as clear; only
    // the bytes at either end can hold such bits.
    const int validEnd = std::min(count, width - first);
    const auto clip = [&](int i) {
        const int from = i * 8;
        const int keepFrom = std::clamp(-first - from, 0, 8);
        const int keepTo = std::clamp(validEnd - from, 0, 8);
        out[i] &= keepTo > keepFrom ? std::uint8_t((0xFFu >> keepFrom) & (0xFF00u >> keepTo)) : 0;
    };
    const int leading = first < 0 ? std::min(outBytes, (-first + 7) / 8) : 0;
    for (int i = 0; i < leading; ++i)
        clip(i);
    for (int i = std::max(leading, std::max(validEnd, 0) / 8); i < outBytes; ++i)
        clip(i);
}

HDIB CutSelectionMask(const HDIB& mask, const Rect& rect)
{
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    HDIB cut = AllocateSelectionMask(width, height);
    if (!cut)
        return {};
    for (int r = 0; r < height; ++r) {
        const int source = rect.top + r;
        if (source < 0 || source >= mask.height())
            continue;
        ExtractMaskBits(MaskRowFromTop(mask, source), mask.width(), rect.left, width, MaskRowFromTop(cut, r));
    }
    return cut;
}

}  // namespace lv
