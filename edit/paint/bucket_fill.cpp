#include "edit/paint/bucket_fill.h"

#include "common/beep.h"
#include "edit/compositing.h"
#include "edit/paint/dab.h"
#include "edit/paint/paint_target.h"
#include "edit/selection/combine_masks.h"
#include "edit/selection/select_similar.h"
#include "edit/selection/selection_mask.h"
#include "edit/undo_hooks.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/progress.h"

#include <algorithm>
#include <cstring>

namespace lv {
namespace {

// The part of a picture over `place` (its own top-down coordinates, inside it).
HDIB cut(const HDIB& source, const Rect& place)
{
    HDIB out = AllocatePicture(place.right - place.left, place.bottom - place.top, unsigned(source.bitCount()),
                               source.clrUsed());
    if (!out)
        return {};
    std::memcpy(out.colors(), source.colors(), 4 * std::size_t(source.clrUsed()));
    const int bytes = source.bitCount() / 8;
    for (int row = place.top; row < place.bottom; ++row)
        std::memcpy(PixelFromTop(out, 0, row - place.top, bytes), PixelFromTop(source, place.left, row, bytes),
                    std::size_t(place.right - place.left) * std::size_t(bytes));
    return out;
}

// Where a fill may work: the layer, cut to the selection rectangle when there is one.
Rect workArea(const LayerStack& stack, const Rect& l)
{
    if (!stack.selectionActive)
        return l;
    const Rect& s = stack.selectionRect;
    return {std::max(s.left, l.left), std::max(s.top, l.top), std::min(s.right, l.right), std::min(s.bottom, l.bottom)};
}

// Whether every pixel of an 8-bit picture holds `value`.
bool uniform(const HDIB& picture, int value)
{
    for (int y = 0; y < picture.height(); ++y) {
        const std::uint8_t* row = picture.row(y);
        if (!std::all_of(row, row + picture.width(), [value](std::uint8_t v) { return v == value; }))
            return false;
    }
    return true;
}

}  // namespace

HDIB FillSelectedPixels(const HDIB& picture, const HDIB& marked, int transparency, std::array<std::uint8_t, 3> colour)
{
    const int p = std::clamp(transparency, 0, 99);
    std::array<std::uint8_t, 256> table{};
    for (int k = 0; k < 256; ++k)
        table[std::size_t(k)] = std::uint8_t((50 + k * (100 - p)) / 100);
    HDIB out = CopyPicture(picture);
    if (!out)
        return {};
    const int n = picture.bitCount() / 8;
    for (int y = 0; y < out.height(); ++y) {
        if (AbortRequested())
            return {};
        const std::uint8_t* bits = MaskRowFromTop(marked, y);
        std::uint8_t* pixel = PixelFromTop(out, 0, y, n);
        for (int x = 0; x < out.width(); ++x, pixel += n) {
            if (!MaskBitAt(bits, x))
                continue;
            for (int k = 0; k < n; ++k) {
                const int c = pixel[k], a = colour[std::size_t(k)];
                pixel[k] = std::uint8_t(c <= a ? c + table[std::size_t(a - c)] : c - table[std::size_t(c - a)]);
            }
        }
    }
    return out;
}

std::optional<FillRegion> SimilarRegion(LayerStack& stack, ui::Service& ui, Point point, int tolerance)
{
    const auto target = PaintableLayer(stack, ui);
    if (!target)
        return std::nullopt;
    const Rect& l = target->rect;
    const Rect area = workArea(stack, l);
    const HDIB& image = target->layer->image.read();
    const HDIB& mask = target->layer->mask.read();
    const bool inside = point.x >= area.left && point.y >= area.top && point.x < area.right && point.y < area.bottom;
    if (!inside || !SelectionAllows(stack, point.x, point.y)) {
        ui::Beep(ui, "outside the fill area");
        return std::nullopt;
    }
    const int clickedCover = *PixelFromTop(mask, point.x - l.left, point.y - l.top, 1);
    if (target->layer->maskLocked && clickedCover == 0) {
        ui::Beep(ui, "masked-out pixel");
        return std::nullopt;
    }
    const Rect place{area.left - l.left, area.top - l.top, area.right - l.left, area.bottom - l.top};
    const bool whole = place == Rect{0, 0, image.width(), image.height()};
    HDIB cutImage, cutMask;
    if (!whole) {
        cutImage = cut(image, place);
        cutMask = cut(mask, place);
        if (!cutImage || !cutMask)
            return std::nullopt;
    }
    const HDIB& workImage = whole ? image : cutImage;
    const HDIB& workMask = whole ? mask : cutMask;
    const int x = point.x - area.left, y = point.y - area.top;
    const ChannelLimits limits{tolerance, tolerance, tolerance};
    Rect bounds;
    FillRegion region{HDIB{}, area, clickedCover == 0, std::nullopt};
    if (clickedCover != 0 && uniform(workMask, clickedCover)) {
        // A mask of one value takes every pixel, so the image alone decides.
        region.marked = SelectSimilar(workImage, x, y, SimilarityMode::Tolerance, limits, &bounds);
        if (!region.marked)
            return std::nullopt;
    } else {
        HDIB onMask = SelectSimilar(workMask, x, y, SimilarityMode::Tolerance, limits, &bounds);
        if (!onMask)
            return std::nullopt;
        region.marked = std::move(onMask);
        if (clickedCover != 0) {
            Rect imageBounds;
            HDIB onImage = SelectSimilar(workImage, x, y, SimilarityMode::Tolerance, limits, &imageBounds);
            if (!onImage)
                return std::nullopt;
            CombinedMask both = CombineMasks(onImage, region.marked, 0, 0, MaskOp::Intersection);
            if (!both.mask)
                return std::nullopt;
            region.marked = std::move(both.mask);
            bounds = {std::max(bounds.left, imageBounds.left), std::max(bounds.top, imageBounds.top),
                      std::min(bounds.right, imageBounds.right), std::min(bounds.bottom, imageBounds.bottom)};
        }
    }
    region.markedBounds = Rect{bounds.left + area.left, bounds.top + area.top, bounds.right + area.left,
                               bounds.bottom + area.top};
    if (stack.selectionActive == 2)
        for (int row = 0; row < area.bottom - area.top; ++row) {
            std::uint8_t* bits = MaskRowFromTop(region.marked, row);
            for (int col = 0; col < area.right - area.left; ++col)
                if (MaskBitAt(bits, col) && !SelectionAllows(stack, col + area.left, row + area.top))
                    bits[col >> 3] &= std::uint8_t(~(0x80u >> (col & 7)));
        }
    return region;
}

std::optional<FillRegion> WholeRegion(LayerStack& stack, ui::Service& ui)
{
    const auto target = PaintableLayer(stack, ui);
    if (!target)
        return std::nullopt;
    const Rect& l = target->rect;
    const Rect area = workArea(stack, l);
    if (area.left >= area.right || area.top >= area.bottom) {
        ui::Beep(ui, "empty fill area");
        return std::nullopt;
    }
    FillRegion region{AllocateSelectionMask(area.right - area.left, area.bottom - area.top), area, false, std::nullopt};
    if (!region.marked)
        return std::nullopt;
    const HDIB& mask = target->layer->mask.read();
    for (int y = area.top; y < area.bottom; ++y) {
        std::uint8_t* bits = MaskRowFromTop(region.marked, y - area.top);
        const std::uint8_t* cover = PixelFromTop(mask, area.left - l.left, y - l.top, 1);
        for (int x = area.left; x < area.right; ++x, ++cover)
            if (SelectionAllows(stack, x, y) && !(target->layer->maskLocked && *cover == 0))
                SetMaskBitAt(bits, x - area.left);
    }
    return region;
}

void PutFilledRegion(LayerStack& stack, const PaintTarget& target, const FillRegion& region, HDIB filled, bool setMask)
{
    // After the caller's undo step, so undoing takes the working copies away again.
    MakeWorkingCopies(stack, target);
    LayerRecord& layer = *target.layer;
    const Rect& a = region.area;
    const int left = a.left - target.rect.left, top = a.top - target.rect.top, width = a.right - a.left;
    if (a == target.rect) {
        layer.image = SharedPicture(std::move(filled));
    } else {
        HDIB& image = layer.image.write();
        const int bytes = image.bitCount() / 8;
        for (int row = 0; row < a.bottom - a.top; ++row)
            std::memcpy(PixelFromTop(image, left, top + row, bytes), PixelFromTop(filled, 0, row, bytes),
                        std::size_t(width) * std::size_t(bytes));
    }
    if (setMask && !layer.maskLocked) {
        HDIB& mask = layer.mask.write();
        for (int row = 0; row < a.bottom - a.top; ++row) {
            const std::uint8_t* bits = MaskRowFromTop(region.marked, row);
            std::uint8_t* cover = PixelFromTop(mask, left, top + row, 1);
            for (int col = 0; col < width; ++col)
                if (MaskBitAt(bits, col))
                    cover[col] = 255;
        }
    }
    const Rect changed = region.markedBounds.value_or(a);
    RefreshWorkingCopies(stack, target, changed);
    CompositeLayers(stack, changed);
}

HDIB CutLayerImage(const PaintTarget& target, const Rect& area)
{
    const Rect& l = target.rect;
    return cut(target.layer->image.read(), {area.left - l.left, area.top - l.top, area.right - l.left, area.bottom - l.top});
}

std::optional<FillWork> StartFill(LayerStack& stack, ui::Service& ui, std::optional<FillRegion> region)
{
    if (!region)
        return std::nullopt;
    const auto target = PaintableLayer(stack, ui);
    if (!target)
        return std::nullopt;
    HDIB filled = CutLayerImage(*target, region->area);
    if (!filled)
        return std::nullopt;
    return FillWork{*target, std::move(*region), std::move(filled), target->grey ? 1 : 3};
}

std::optional<Rect> BucketFill(LayerStack& stack, ui::Service& ui, Point point, RgbTriple colour,
                                       const PaintOptions& options)
{
    auto region = SimilarRegion(stack, ui, point, options.fillTolerance);
    if (!region)
        return std::nullopt;
    const auto target = PaintableLayer(stack, ui);
    const Rect& a = region->area;
    const HDIB work = a == target->rect ? HDIB{} : CutLayerImage(*target, a);
    HDIB filled = FillSelectedPixels(a == target->rect ? target->layer->image.read() : work, region->marked,
                                     options.fillTransparency, LayerColour(colour, target->grey));
    if (!filled)
        return std::nullopt;
    RecordUndoStep(stack, kUndoBucketFill);
    PutFilledRegion(stack, *target, *region, std::move(filled), region->clickedTransparent);
    return a;
}

}  // namespace lv
