#include "edit/compositing.h"

#include "edit/layer_blend.h"
#include "edit/layer_pictures.h"
#include "edit/layers.h"
#include "edit/undo_hooks.h"

#include <algorithm>
#include <vector>

namespace lv {
namespace {

struct Bounds {
    std::int64_t left, bottom, right, top;  // right and top exclusive
    std::int64_t width() const { return right - left; }
    std::int64_t height() const { return top - bottom; }
};

struct MergeResult {
    HDIB image;
    HDIB mask;
    LayerKind kind = LAYER_IMAGE;
    std::uint32_t opacity = 100;
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// Blank image and mask for a merge of this size and depth; nothing when memory runs out.
std::optional<MergeResult> blankResult(const Bounds& bounds, int bitCount)
{
    MergeResult result;
    result.image = MakeComposite(int(bounds.width()), int(bounds.height()), bitCount);
    result.mask = result.image ? MakeGreyFilled(int(bounds.width()), int(bounds.height()), 0) : HDIB{};
    if (!result.mask)
        return std::nullopt;
    return result;
}

Bounds unionOf(std::span<const BlendEntry> entries)
{
    Bounds b{INT64_MAX, INT64_MAX, INT64_MIN, INT64_MIN};
    for (const BlendEntry& e : entries) {
        b.left = std::min(b.left, e.left);
        b.bottom = std::min(b.bottom, e.bottom);
        b.right = std::max(b.right, e.left + e.width);
        b.top = std::max(b.top, e.bottom + e.height);
    }
    return b;
}

// Front to back: O += ((256 - O) × opacity + 50) / 100.
std::int32_t combinedOpacity(std::span<const BlendEntry> entries)
{
    std::int32_t o = 0;
    for (const BlendEntry& e : entries)
        o += ((256 - o) * std::int32_t(e.opacity) + 50) / 100;
    return o;
}

// Mask layers merged among themselves: colours and coverages multiply.
void mergeMaskRow(std::span<const BlendEntry> entries, std::int64_t row, std::int64_t x0, int count,
                  std::vector<std::int32_t>& colour, std::vector<std::int32_t>& cover)
{
    bool front = true;
    for (const BlendEntry& e : entries) {
        const bool onRow = e.coversRow(row);
        const std::int64_t from = onRow ? std::clamp(e.left, x0, x0 + count) : x0;
        const std::int64_t to = onRow ? std::clamp(e.left + e.width, x0, x0 + count) : x0;
        std::fill(colour.begin(), colour.begin() + (from - x0), 0);
        std::fill(cover.begin(), cover.begin() + (from - x0), 0);
        std::fill(colour.begin() + (to - x0), colour.begin() + count, 0);
        std::fill(cover.begin() + (to - x0), cover.begin() + count, 0);
        if (from < to) {
            const std::size_t y = std::size_t(row - e.bottom);
            const std::uint8_t* image = e.image + y * e.imageStride + std::size_t(from - e.left) * std::size_t(e.bytesPerPixel);
            const std::uint8_t* mask = e.mask + y * e.maskStride + std::size_t(from - e.left);
            const std::int32_t a = e.scaledOpacity;
            for (std::int64_t x = from; x < to; ++x, image += e.bytesPerPixel, ++mask) {
                const std::size_t i = std::size_t(x - x0);
                const std::int32_t v = image[0];
                const std::int32_t m = *mask;
                if (m == 0) {
                    colour[i] = cover[i] = 0;
                } else if (front) {
                    colour[i] = (v * a) >> 8;
                    cover[i] = m;
                } else {
                    colour[i] = ((v + 1) * a * colour[i] + 128) >> 16;
                    cover[i] = ((m + 1) * cover[i]) >> 8;
                }
            }
        }
        front = false;
    }
}

std::optional<MergeResult> mergeMasks(std::span<const BlendEntry> entries, const Bounds& bounds, int bitCount)
{
    const int width = int(bounds.width());
    const int height = int(bounds.height());
    auto made = blankResult(bounds, bitCount);
    if (!made)
        return std::nullopt;
    MergeResult& result = *made;
    std::vector<std::int32_t> colour(std::size_t(width), 0), cover(std::size_t(width), 0);
    const int channels = bitCount / 8;
    for (int j = 0; j < height; ++j) {
        mergeMaskRow(entries, bounds.bottom + j, bounds.left, width, colour, cover);
        std::uint8_t* out = result.image.row(j);
        std::uint8_t* mask = result.mask.row(j);
        for (int i = 0; i < width; ++i) {
            std::fill_n(out + i * channels, channels, std::uint8_t(colour[std::size_t(i)]));
            mask[i] = std::uint8_t(cover[std::size_t(i)]);
        }
    }
    result.kind = LAYER_MASK;
    result.opacity = 100;
    return made;
}

std::optional<MergeResult> mergeColours(const BlendTable& table, const Bounds& bounds, int bitCount, std::int32_t o)
{
    const int width = int(bounds.width());
    const int height = int(bounds.height());
    auto made = blankResult(bounds, bitCount);
    if (!made)
        return std::nullopt;
    MergeResult& result = *made;
    // 65536 / A for every coverage A, and 65536 / O.
    std::array<std::int64_t, 257> inverse{};
    for (int a = 1; a <= 256; ++a)
        inverse[std::size_t(a)] = 65536 / a;
    const std::int64_t opacityInverse = o > 0 ? 65536 / o : 0;
    const int channels = bitCount / 8;
    RowSums sums;
    for (int j = 0; j < height; ++j) {
        sums.reset(width, channels);
        AccumulateRow(table, bounds.bottom + j, bounds.left, channels, sums);
        const std::int32_t* coverage = sums.coverage();
        std::uint8_t* out = result.image.row(j);
        std::uint8_t* mask = result.mask.row(j);
        for (int i = 0; i < width; ++i) {
            const std::int32_t a = coverage[i];
            const std::int64_t m = (a * opacityInverse) >> 8;
            for (int c = 0; c < channels; ++c) {
                std::int64_t value = a > 0 ? (sums.sum(c)[i] * inverse[std::size_t(a)] + 32768) >> 16 : 0;
                if (m > 255)
                    value = (value * m) >> 8;
                out[i * channels + c] = std::uint8_t(std::min<std::int64_t>(value, 255));
            }
            mask[i] = std::uint8_t(std::min<std::int64_t>(m, 255));
        }
    }
    result.kind = LAYER_IMAGE;
    result.opacity = std::uint32_t((o * 100 + 128) >> 8);
    return made;
}

std::optional<MergeResult> computeMerge(const LayerStack& stack, MergeMode mode, bool wholeDocument)
{
    BlendTable table(stack, mode == MergeMode::Linked ? BlendSelection::VisibleLinked : BlendSelection::Visible);
    if (table.empty() && !(table.skippedAny() && wholeDocument))
        return std::nullopt;
    const bool masksOnly = table.allMasks();
    if (!masksOnly)
        table.dropTrailingMasks();
    const auto entries = table.entries();
    const Bounds bounds = wholeDocument ? Bounds{0, 0, stack.width, stack.height} : unionOf(entries);
    if (bounds.width() <= 0 || bounds.height() <= 0 || bounds.width() > kMaxPictureDimension ||
        bounds.height() > kMaxPictureDimension)
        return std::nullopt;
    const bool allGrey = entries.empty() ? stack.bitCount == 8
                                         : std::all_of(entries.begin(), entries.end(),
                                                       [](const BlendEntry& e) { return e.bytesPerPixel == 1; });
    const int bitCount = allGrey ? 8 : 24;
    auto result = masksOnly ? mergeMasks(entries, bounds, bitCount)
                            : mergeColours(table, bounds, bitCount, combinedOpacity(entries));
    if (result) {
        result->x = std::int32_t(bounds.left);
        result->y = std::int32_t(bounds.bottom);
    }
    return result;
}

// Gives the record the merged content; its name and flags stay.
void storeResult(LayerRecord& record, MergeResult result)
{
    record.aspect = LayerAspect(result.image);
    record.image = std::move(result.image);
    record.mask = std::move(result.mask);
    record.imageBlock.reset();
    record.textObject.reset();
    record.sourceImage.reset();
    record.sourceMask.reset();
    record.kind = result.kind;
    record.opacity = result.opacity;
    record.x = result.x;
    record.y = result.y;
    record.textPlacement = {};
}

}  // namespace

int MergeLayers(LayerStack& stack, MergeMode mode, bool wholeDocument)
{
    int host = stack.currentLayer;
    if (mode == MergeMode::Linked && !(IsLayerIndex(stack, host) && stack.layers[std::size_t(host)].linked)) {
        host = -1;
        for (int i = 0; i < stack.layerCount && host < 0; ++i)
            if (stack.layers[std::size_t(i)].linked)
                host = i;
    }
    if (!IsLayerIndex(stack, host))
        return -1;
    auto result = computeMerge(stack, mode, wholeDocument);
    if (!result)
        return -1;

    storeResult(stack.layers[std::size_t(host)], std::move(*result));
    if (mode == MergeMode::Linked) {
        for (int i = stack.layerCount - 1; i >= 0; --i)
            if (i != host && stack.layers[std::size_t(i)].linked) {
                TakeLayerRecord(stack, i);
                host -= i < host ? 1 : 0;
            }
        stack.currentLayer = host;
    }
    return host;
}

bool MergeLinkedLayers(LayerStack& stack, bool keepLinks)
{
    std::vector<std::int32_t> linked;
    for (int i = 0; i < stack.layerCount; ++i)
        if (stack.layers[std::size_t(i)].linked)
            linked.push_back(i);
    if (linked.empty())
        return false;
    bool recorded = false;
    if (!keepLinks) {
        // The step keeps the layers unlinked, so undoing the merge gives them back apart.
        for (const std::int32_t i : linked)
            stack.layers[std::size_t(i)].linked = false;
        recorded = RecordUndoStep(stack, kUndoMergeLinked, linked);
        for (const std::int32_t i : linked)
            stack.layers[std::size_t(i)].linked = true;
    }
    const bool merged = MergeLayers(stack, MergeMode::Linked, false) >= 0;
    if (!merged && recorded)
        WithdrawUndoStep(stack);
    return merged;
}

}  // namespace lv
