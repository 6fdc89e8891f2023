#include "edit/layer_blend.h"

#include <algorithm>

namespace lv {
namespace {

bool usable(const LayerRecord& record)
{
    const HDIB& image = record.image.read();
    const HDIB& mask = record.mask.read();
    return image && mask && (image.bitCount() == 8 || image.bitCount() == 24) && mask.bitCount() == 8 &&
           image.width() == mask.width() && image.height() == mask.height() && image.width() > 0 && image.height() > 0;
}

// One layer over one row span. A pixel whose mask (or mask-layer factor) is 0 gets weight 0,
// and one already fully covered has 256 - A = 0: both leave S and A as they are, which is
// what stopping the walk there gives, so the loop needs no branch and vectorises.
template<int Channels, int Bpp, bool Masked>
[[gnu::always_inline]] inline void blendSpan(const std::uint8_t* __restrict image, const std::uint8_t* __restrict mask,
                                             const std::int32_t* __restrict factor, std::int32_t a, int length,
                                             std::int32_t* __restrict s0, std::int32_t* __restrict s1,
                                             std::int32_t* __restrict s2, std::int32_t* __restrict coverage)
{
    for (int i = 0; i < length; ++i) {
        const std::int32_t m = mask[i];
        std::int32_t alpha = Masked ? ((m + 1) * (factor[i] + 1) * a) >> 16 : ((m + 1) * a) >> 8;
        alpha = m != 0 ? alpha : 0;
        const std::int32_t w = (256 - coverage[i]) * alpha;
        coverage[i] += (w + 128) >> 8;
        const std::uint8_t* p = image + i * Bpp;
        s0[i] += (p[0] * w + 128) >> 8;
        if constexpr (Channels == 3) {
            s1[i] += (p[Bpp == 3 ? 1 : 0] * w + 128) >> 8;
            s2[i] += (p[Bpp == 3 ? 2 : 0] * w + 128) >> 8;
        }
    }
}

[[gnu::always_inline]] inline void blendLayerSpan(int channels, int bytesPerPixel, bool masked,
                                                 const std::uint8_t* image, const std::uint8_t* mask,
                                                 const std::int32_t* factor, std::int32_t a, int length,
                                                 std::int32_t* s0, std::int32_t* s1, std::int32_t* s2,
                                                 std::int32_t* coverage)
{
    const int variant = (channels == 3 ? 4 : 0) + (bytesPerPixel == 3 ? 2 : 0) + (masked ? 1 : 0);
    switch (variant) {
    case 0: return blendSpan<1, 1, false>(image, mask, factor, a, length, s0, s1, s2, coverage);
    case 1: return blendSpan<1, 1, true>(image, mask, factor, a, length, s0, s1, s2, coverage);
    case 2: return blendSpan<1, 3, false>(image, mask, factor, a, length, s0, s1, s2, coverage);
    case 3: return blendSpan<1, 3, true>(image, mask, factor, a, length, s0, s1, s2, coverage);
    case 4: return blendSpan<3, 1, false>(image, mask, factor, a, length, s0, s1, s2, coverage);
    case 5: return blendSpan<3, 1, true>(image, mask, factor, a, length, s0, s1, s2, coverage);
    case 6: return blendSpan<3, 3, false>(image, mask, factor, a, length, s0, s1, s2, coverage);
    default: return blendSpan<3, 3, true>(image, mask, factor, a, length, s0, s1, s2, coverage);
    }
}

// The factor g of the mask layers in `masks` over columns c0 .. c0 + length - 1 of `row`:
// -1 where one of them does not let the layer through.
[[gnu::always_inline]] inline void maskLayerFactor(std::span<const BlendEntry> masks, std::int64_t row,
                                                  std::int64_t c0, int length, std::int32_t* factor)
{
    std::fill(factor, factor + length, 255);
    for (const BlendEntry& m : masks) {
        const std::int64_t from = std::max(c0, m.left);
        const std::int64_t to = std::min(c0 + length, m.left + m.width);
        if (!m.coversRow(row) || from >= to) {
            std::fill(factor, factor + length, -1);
            return;
        }
        std::fill(factor, factor + (from - c0), -1);
        std::fill(factor + (to - c0), factor + length, -1);
        const std::int64_t y = row - m.bottom;
        const std::uint8_t* image = m.image + std::size_t(y) * m.imageStride + std::size_t(from - m.left) * std::size_t(m.bytesPerPixel);
        const std::uint8_t* mask = m.mask + std::size_t(y) * m.maskStride + std::size_t(from - m.left);
        std::int32_t* g = factor + (from - c0);
        const int count = int(to - from);
        const int step = m.bytesPerPixel;
        const std::int32_t a = m.scaledOpacity;
        for (int i = 0; i < count; ++i) {
            const std::int32_t v = image[i * step];
            const bool blocked = g[i] < 0 || v == 0 || mask[i] == 0;
            g[i] = blocked ? -1 : (a * (g[i] + 1) * v) >> 16;
        }
    }
}

[[gnu::always_inline]] inline bool fullyCovered(const std::int32_t* coverage, int count)
{
    std::int32_t least = 256;
    for (int i = 0; i < count; ++i)
        least = std::min(least, coverage[i]);
    return least >= 256;
}

}  // namespace

BlendTable::BlendTable(const LayerStack& stack, BlendSelection selection)
{
    int maskRun = 0;
    for (int i = 0; i < stack.layerCount && i < kMaxLayers; ++i) {
        const LayerRecord& record = stack.layers[std::size_t(i)];
        if (selection == BlendSelection::VisibleLinked && !record.linked)
            continue;
        if (!record.visible || record.opacity == 0) {
            skipped_ = true;
            continue;
        }
        if (!usable(record))
            continue;
        BlendEntry& e = entries_[std::size_t(count_++)];
        e.left = record.x;
        e.bottom = record.y;
        e.width = record.image.width();
        e.height = record.image.height();
        e.bytesPerPixel = record.image.bitCount() / 8;
        e.image = record.image.pixels();
        e.imageStride = record.image.stride();
        e.mask = record.mask.pixels();
        e.maskStride = record.mask.stride();
        e.opacity = std::min<std::uint32_t>(record.opacity, 100);
        e.scaledOpacity = std::int32_t((e.opacity * 256 + 50) / 100);
        e.isMask = record.kind == LAYER_MASK;
        e.maskRun = e.isMask ? 0 : maskRun;
        e.layerIndex = i;
        maskRun = e.isMask ? maskRun + 1 : 0;
    }
}

bool BlendTable::allMasks() const
{
    const auto list = entries();
    return !list.empty() && std::all_of(list.begin(), list.end(), [](const BlendEntry& e) { return e.isMask; });
}

void BlendTable::dropTrailingMasks()
{
    while (count_ > 0 && entries_[std::size_t(count_ - 1)].isMask)
        --count_;
}

void RowSums::reset(int count, int channels)
{
    if (coverage_.size() < std::size_t(count)) {
        for (auto& s : sums_)
            s.resize(std::size_t(count));
        coverage_.resize(std::size_t(count));
        factor_.resize(std::size_t(count));
    }
    count_ = count;
    for (int c = 0; c < channels; ++c)
        std::fill_n(sums_[std::size_t(c)].begin(), count, 0);
    std::fill_n(coverage_.begin(), count, 0);
}

// Compiled for the wider vector units too where the processor has them: the same integer
// arithmetic, so the same result.
[[gnu::target_clones("avx2", "default")]] void AccumulateRow(const BlendTable& table, std::int64_t row, std::int64_t x0, int channels, RowSums& sums)
{
    const auto entries = table.entries();
    const int count = sums.count();
    const std::int64_t x1 = x0 + count;
    std::int32_t* s0 = sums.sum(0);
    std::int32_t* s1 = channels == 3 ? sums.sum(1) : s0;
    std::int32_t* s2 = channels == 3 ? sums.sum(2) : s0;
    std::int32_t* coverage = sums.coverage();
    for (std::size_t index = 0; index < entries.size(); ++index) {
        const BlendEntry& e = entries[index];
        if (e.isMask || !e.coversRow(row))
            continue;
        const std::int64_t c0 = std::max(x0, e.left);
        const std::int64_t c1 = std::min(x1, e.left + e.width);
        if (c0 >= c1)
            continue;
        const int first = int(c0 - x0);
        const int length = int(c1 - c0);
        const std::size_t y = std::size_t(row - e.bottom);
        const std::size_t column = std::size_t(c0 - e.left);
        const std::uint8_t* image = e.image + y * e.imageStride + column * std::size_t(e.bytesPerPixel);
        const std::uint8_t* mask = e.mask + y * e.maskStride + column;
        const bool masked = e.maskRun > 0;
        if (masked)
            maskLayerFactor(entries.subspan(index - std::size_t(e.maskRun), std::size_t(e.maskRun)), row, c0, length,
                            sums.factor() + first);
        blendLayerSpan(channels, e.bytesPerPixel, masked, image, mask, sums.factor() + first, e.scaledOpacity, length,
                       s0 + first, s1 + first, s2 + first, coverage + first);
        if (fullyCovered(coverage, count))
            return;
    }
}

}  // namespace lv
