#include "edit/paint/gradient_fill.h"

#include "edit/layer_pictures.h"
#include "edit/paint/bucket_fill.h"
#include "edit/paint/dab.h"
#include "edit/paint/paint_stroke.h"
#include "edit/selection/selection_mask.h"
#include "edit/undo_hooks.h"

#include <algorithm>
#include <cmath>

namespace lv {
namespace {

std::uint8_t mix(int a, int b, double t)
{
    return std::uint8_t(std::lround(a + (b - a) * t));
}

}  // namespace

RgbTriple GradientColourAt(Point p, Point from, Point to, RgbTriple start, RgbTriple end,
                           GradientShape shape)
{
    const double dx = to.x - from.x, dy = to.y - from.y;
    const double length2 = dx * dx + dy * dy;
    const double px = p.x - from.x, py = p.y - from.y;
    double t = 1;
    if (length2 > 0)
        t = shape == GradientShape::Linear ? (px * dx + py * dy) / length2 : std::sqrt((px * px + py * py) / length2);
    else
        t = p == from ? 0 : 1;
    t = std::clamp(t, 0.0, 1.0);
    return {mix(start.red, end.red, t), mix(start.green, end.green, t), mix(start.blue, end.blue, t)};
}

std::optional<Rect> GradientFill(LayerStack& stack, ui::Service& ui, Point from, Point to,
                                         RgbTriple start, RgbTriple end, GradientShape shape)
{
    auto work = StartFill(stack, ui, WholeRegion(stack, ui));
    if (!work)
        return std::nullopt;
    const Rect& a = work->region.area;
    const int n = work->channels;
    for (int y = a.top; y < a.bottom; ++y) {
        const std::uint8_t* bits = MaskRowFromTop(work->region.marked, y - a.top);
        std::uint8_t* pixel = PixelFromTop(work->filled, 0, y - a.top, n);
        for (int x = a.left; x < a.right; ++x, pixel += n) {
            if (!MaskBitAt(bits, x - a.left))
                continue;
            const auto colour = LayerColour(GradientColourAt({x, y}, from, to, start, end, shape), work->target.grey);
            std::copy(colour.begin(), colour.begin() + n, pixel);
        }
    }
    RecordUndoStep(stack, kUndoPaintStroke);
    PutFilledRegion(stack, work->target, work->region, std::move(work->filled), true);
    return a;
}

}  // namespace lv
