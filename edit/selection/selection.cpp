#include "edit/selection/selection.h"

#include "edit/selection/combine_masks.h"
#include "edit/selection/selection_mask.h"
#include "edit/selection/shape_mask.h"
#include "edit/undo_hooks.h"

#include <algorithm>
#include <vector>

namespace lv {
namespace {

bool isEmpty(const Rect& r)
{
    return r.right <= r.left || r.bottom <= r.top;
}

Rect offsetRect(Rect r, int dx, int dy)
{
    return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

MaskOp opOf(CombineMode mode)
{
    switch (mode) {
    case CombineMode::Add: return MaskOp::Union;
    case CombineMode::Intersect: return MaskOp::Intersection;
    case CombineMode::Xor: return MaskOp::Difference;
    default: return MaskOp::Subtract;
    }
}

}  // namespace

Rect UniteRects(const Rect& a, const Rect& b)
{
    if (isEmpty(a))
        return b;
    if (isEmpty(b))
        return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

std::optional<SelectionRegion> CombineWithSelection(const LayerStack& stack, SelectionRegion added, CombineMode mode)
{
    const HDIB& existing = stack.selectionMask.read();
    const bool hasExisting = stack.selectionActive != 0 && existing;
    if (mode == CombineMode::New || !hasExisting) {
        if (!hasExisting && (mode == CombineMode::Intersect || mode == CombineMode::Subtract))
            return std::nullopt;
        if (!added.mask)
            return std::nullopt;
        return added;
    }
    if (!added.mask) {
        // Nothing new: what stays of the selection in place.
        if (mode == CombineMode::Intersect || mode == CombineMode::NewNotExisting)
            return std::nullopt;
        SelectionRegion copy{CutSelectionMask(existing, {0, 0, existing.width(), existing.height()}), stack.selectionRect};
        return copy.mask ? std::optional(std::move(copy)) : std::nullopt;
    }
    const Rect& at = stack.selectionRect;
    CombinedMask result;
    Rect origin = at;
    if (mode == CombineMode::NewNotExisting) {
        result = CombineMasks(added.mask, existing, at.left - added.rect.left, at.top - added.rect.top, MaskOp::Subtract);
        origin = added.rect;
    } else {
        result = CombineMasks(existing, added.mask, added.rect.left - at.left, added.rect.top - at.top, opOf(mode));
    }
    if (!result.mask)
        return std::nullopt;
    return SelectionRegion{std::move(result.mask), offsetRect(result.rect, origin.left, origin.top)};
}

std::optional<SelectionRegion> TrimSelection(SelectionRegion region, int documentWidth, int documentHeight)
{
    if (!region.mask)
        return std::nullopt;
    const Rect& r = region.rect;
    const Rect inside{std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, documentWidth),
                              std::min(r.bottom, documentHeight)};
    if (isEmpty(inside))
        return std::nullopt;
    if (inside != r) {
        region.mask = CutSelectionMask(region.mask, offsetRect(inside, -r.left, -r.top));
        region.rect = inside;
        if (!region.mask)
            return std::nullopt;
    }
    const auto bounds = SelectedBounds(region.mask);
    if (!bounds)
        return std::nullopt;
    if (bounds->left == 0 && bounds->top == 0 && bounds->right == region.mask.width()
        && bounds->bottom == region.mask.height())
        return region;
    HDIB trimmed = CutSelectionMask(region.mask, *bounds);
    if (!trimmed)
        return std::nullopt;
    return SelectionRegion{std::move(trimmed), offsetRect(*bounds, region.rect.left, region.rect.top)};
}

namespace {

void storeTrimmed(LayerStack& stack, std::optional<SelectionRegion> region)
{
    ClearSelection(stack);
    if (!region)
        return;
    const std::int64_t area = std::int64_t(region->mask.width()) * region->mask.height();
    stack.selectionActive = CountSelectedPixels(region->mask) == area ? 1 : 2;
    stack.selectionRect = region->rect;
    stack.selectionMask = SharedPicture(std::move(region->mask));
}

}  // namespace

void StoreSelection(LayerStack& stack, std::optional<SelectionRegion> region)
{
    if (region)
        region = TrimSelection(std::move(*region), stack.width, stack.height);
    storeTrimmed(stack, std::move(region));
}

std::optional<Rect> ChangeSelection(LayerStack& stack, SelectionRegion added, CombineMode mode, int undoCode)
{
    const Rect before = stack.selectionActive ? stack.selectionRect : Rect{};
    std::optional<SelectionRegion> combined = CombineWithSelection(stack, std::move(added), mode);
    if (combined)
        combined = TrimSelection(std::move(*combined), stack.width, stack.height);
    if (!combined && stack.selectionActive == 0)
        return std::nullopt;
    RecordUndoStep(stack, undoCode);
    storeTrimmed(stack, std::move(combined));
    const Rect after = stack.selectionActive ? stack.selectionRect : Rect{};
    return UniteRects(before, after);
}

namespace {

std::optional<SelectionRegion> shapeRegion(Rect rect, SelectionShape shape)
{
    if (rect.left > rect.right)
        std::swap(rect.left, rect.right);
    if (rect.top > rect.bottom)
        std::swap(rect.top, rect.bottom);
    if (isEmpty(rect))
        return std::nullopt;
    HDIB mask = MakeShapeMask(rect.right - rect.left, rect.bottom - rect.top, shape);
    if (!mask)
        return std::nullopt;
    return SelectionRegion{std::move(mask), rect};
}

}  // namespace

std::optional<SelectionRegion> RectangleRegion(Rect rect)
{
    return shapeRegion(rect, SelectionShape::Rectangle);
}

std::optional<SelectionRegion> EllipseRegion(Rect rect)
{
    return shapeRegion(rect, SelectionShape::Ellipse);
}

std::optional<SelectionRegion> PolygonRegion(std::span<const Point> points)
{
    if (points.empty())
        return std::nullopt;
    Rect box{points[0].x, points[0].y, points[0].x + 1, points[0].y + 1};
    for (const Point& p : points)
        box = UniteRects(box, {p.x, p.y, p.x + 1, p.y + 1});
    std::vector<Point> relative;
    relative.reserve(points.size());
    for (const Point& p : points)
        relative.push_back({p.x - box.left, p.y - box.top});
    HDIB mask = MakeShapeMask(box.right - box.left, box.bottom - box.top, SelectionShape::Polygon, relative);
    if (!mask)
        return std::nullopt;
    return SelectionRegion{std::move(mask), box};
}

bool RemoveSelection(LayerStack& stack)
{
    if (stack.selectionActive == 0)
        return false;
    RecordUndoStep(stack, kUndoClearSelection);
    ClearSelection(stack);
    return true;
}

bool SelectionContains(const LayerStack& stack, Point p)
{
    if (stack.selectionActive == 0)
        return false;
    const Rect& r = stack.selectionRect;
    return MaskSelects(stack.selectionMask.read(), p.x - r.left, p.y - r.top);
}

std::int64_t SelectedPixelCount(const LayerStack& stack)
{
    return stack.selectionActive ? CountSelectedPixels(stack.selectionMask.read()) : 0;
}

}  // namespace lv
