#include "edit/paint/pattern_fill.h"

#include "common/beep.h"
#include "edit/layer_pictures.h"
#include "edit/paint/bucket_fill.h"
#include "edit/paint/dab.h"
#include "edit/selection/colour_match.h"
#include "edit/selection/selection_mask.h"
#include "edit/undo_hooks.h"

#include <algorithm>
#include <vector>

namespace lv {

std::optional<Rect> PatternFill(LayerStack& stack, ui::Service& ui, Point point, const HDIB& texture,
                                        const PaintOptions& options)
{
    if (!texture || !IsFillablePicture(texture) || texture.width() <= 0 || texture.height() <= 0) {
        ui::Beep(ui, "no usable texture");
        return std::nullopt;
    }
    auto work = StartFill(stack, ui,
                          stack.selectionActive ? WholeRegion(stack, ui) : SimilarRegion(stack, ui, point, options.fillTolerance));
    if (!work)
        return std::nullopt;
    const Rect& a = work->region.area;
    const int n = work->channels;
    // One texture row at a time in the layer's order, read once.
    const int tw = texture.width(), th = texture.height();
    std::vector<std::uint8_t> row(std::size_t(tw) * 3);
    for (int y = a.top; y < a.bottom; ++y) {
        const int ty = ((y % th) + th) % th;
        for (int i = 0; i < tw; ++i) {
            const SeedColour c = PictureColourAt(texture, i, ty);
            const auto colour = LayerColour({c.red, c.green, c.blue}, work->target.grey);
            std::copy(colour.begin(), colour.begin() + n, row.begin() + std::ptrdiff_t(i * n));
        }
        const std::uint8_t* bits = MaskRowFromTop(work->region.marked, y - a.top);
        std::uint8_t* pixel = PixelFromTop(work->filled, 0, y - a.top, n);
        for (int x = a.left; x < a.right; ++x, pixel += n)
            if (MaskBitAt(bits, x - a.left))
                std::copy_n(row.begin() + std::ptrdiff_t((((x % tw) + tw) % tw) * n), n, pixel);
    }
    RecordUndoStep(stack, kUndoBucketFill);
    PutFilledRegion(stack, work->target, work->region, std::move(work->filled),
                    work->region.clickedTransparent || stack.selectionActive);
    return a;
}

}  // namespace lv
