#include "edit/paint/stamp_picture.h"

#include "common/beep.h"
#include "edit/compositing.h"
#include "edit/paint/dab.h"
#include "edit/paint/paint_stroke.h"
#include "edit/paint/paint_target.h"
#include "edit/selection/colour_match.h"
#include "edit/undo_hooks.h"

#include <algorithm>

namespace lv {

std::optional<Rect> StampPicture(LayerStack& stack, ui::Service& ui, Point centre, const HDIB& stamp,
                                         int brushSize)
{
    if (!stamp || !IsFillablePicture(stamp) || stamp.width() <= 0 || stamp.height() <= 0) {
        ui::Beep(ui, "no usable stamp");
        return std::nullopt;
    }
    const auto target = PaintableLayer(stack, ui);
    if (!target)
        return std::nullopt;
    const int side = StampSide(brushSize);
    const int longer = std::max(stamp.width(), stamp.height());
    const int width = std::max(1, int(std::int64_t(stamp.width()) * side / longer));
    const int height = std::max(1, int(std::int64_t(stamp.height()) * side / longer));
    const Rect placed{centre.x - width / 2, centre.y - height / 2, centre.x - width / 2 + width,
                              centre.y - height / 2 + height};
    const Rect& l = target->rect;
    const Rect area{std::max(placed.left, l.left), std::max(placed.top, l.top), std::min(placed.right, l.right),
                            std::min(placed.bottom, l.bottom)};
    if (area.left >= area.right || area.top >= area.bottom)
        return std::nullopt;
    RecordUndoStep(stack, kUndoPaintStroke);
    if (!MakeWorkingCopies(stack, *target)) {
        WithdrawUndoStep(stack);
        return std::nullopt;
    }
    LayerRecord& layer = *target->layer;
    HDIB& image = layer.image.write();
    HDIB& mask = layer.mask.write();
    const SeedColour clear = PictureColourAt(stamp, 0, 0);
    const int n = target->grey ? 1 : 3;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            const SeedColour c = PictureColourAt(stamp, (x - placed.left) * stamp.width() / width,
                                                 (y - placed.top) * stamp.height() / height);
            if ((c.red == clear.red && c.green == clear.green && c.blue == clear.blue) || !SelectionAllows(stack, x, y))
                continue;
            std::uint8_t* cover = PixelFromTop(mask, x - l.left, y - l.top, 1);
            if (layer.maskLocked && *cover == 0)
                continue;
            const auto colour = LayerColour({c.red, c.green, c.blue}, target->grey);
            std::copy(colour.begin(), colour.begin() + n, PixelFromTop(image, x - l.left, y - l.top, n));
            if (!layer.maskLocked)
                *cover = 255;
        }
    RefreshWorkingCopies(stack, *target, area);
    CompositeLayers(stack, area);
    return area;
}

}  // namespace lv
