#include "edit/paint/paint_target.h"

#include "common/beep.h"
#include "common/string_table.h"
#include "edit/layer_pictures.h"
#include "edit/layers.h"
#include "edit/paint/dab.h"
#include "edit/selection/selection_mask.h"
#include "imagelib/dib_alloc.h"

#include <algorithm>
#include <cstring>

namespace lv {
namespace {

HDIB copyUnder(const HDIB& source, const Rect& place)
{
    const int width = place.right - place.left, height = place.bottom - place.top;
    HDIB out = AllocatePicture(width, height, unsigned(source.bitCount()), source.clrUsed());
    if (!out)
        return {};
    std::memcpy(out.colors(), source.colors(), 4 * std::size_t(source.clrUsed()));
    const int bytes = source.bitCount() / 8;
    const int from = std::max(place.left, 0), to = std::min(place.right, source.width());
    for (int row = std::max(place.top, 0); from < to && row < std::min(place.bottom, source.height()); ++row)
        std::memcpy(PixelFromTop(out, from - place.left, row - place.top, bytes), PixelFromTop(source, from, row, bytes),
                    std::size_t(to - from) * std::size_t(bytes));
    return out;
}

}  // namespace

std::optional<PaintTarget> PaintableLayer(LayerStack& stack, ui::Service& ui)
{
    const auto rect = GetLayerTopDownRect(stack, stack.currentLayer);
    if (!rect)
        return std::nullopt;
    LayerRecord& layer = stack.layers[std::size_t(stack.currentLayer)];
    const HDIB& image = layer.image.read();
    const HDIB& mask = layer.mask.read();
    const bool grey = image && image.bitCount() == 8;
    if (!image || !HasLayerDepth(image, grey) || !mask || mask.bitCount() != 8 || mask.width() != image.width()
        || mask.height() != image.height()) {
        ui::Beep(ui, "layer can't take paint");
        ui.showMessage(LoadString(kUnsupportedDepthString), ui::kWarningTitle, ui::Icon::Exclamation);
        return std::nullopt;
    }
    return PaintTarget{&layer, *rect, grey};
}

std::array<std::uint8_t, 3> LayerColour(RgbTriple colour, bool grey)
{
    if (grey)
        return {GreyValue(colour.red, colour.green, colour.blue), 0, 0};
    return {colour.blue, colour.green, colour.red};
}

bool MakeWorkingCopies(LayerStack& stack, const PaintTarget& target)
{
    if (stack.selectionActive == 0 || (stack.selectionAux && stack.floatingMask))
        return true;
    const Rect& s = stack.selectionRect;
    const Rect place{s.left - target.rect.left, s.top - target.rect.top, s.right - target.rect.left,
                             s.bottom - target.rect.top};
    HDIB image = copyUnder(target.layer->image.read(), place);
    HDIB mask = copyUnder(target.layer->mask.read(), place);
    if (!image || !mask)
        return false;
    stack.selectionAux = SharedPicture(std::move(image));
    stack.floatingMask = SharedPicture(std::move(mask));
    return true;
}

void RefreshWorkingCopies(LayerStack& stack, const PaintTarget& target, const Rect& area)
{
    if (stack.selectionActive == 0 || !stack.selectionAux || !stack.floatingMask)
        return;
    const Rect& s = stack.selectionRect;
    const Rect& l = target.rect;
    const int left = std::max({area.left, s.left, l.left}), right = std::min({area.right, s.right, l.right});
    const int top = std::max({area.top, s.top, l.top}), bottom = std::min({area.bottom, s.bottom, l.bottom});
    if (left >= right || top >= bottom)
        return;
    HDIB& image = stack.selectionAux.write();
    HDIB& mask = stack.floatingMask.write();
    if (image.width() != s.right - s.left || image.height() != s.bottom - s.top || mask.width() != image.width()
        || mask.height() != image.height())
        return;
    const HDIB& layerImage = target.layer->image.read();
    const HDIB& layerMask = target.layer->mask.read();
    if (image.bitCount() != layerImage.bitCount())
        return;
    const int bytes = layerImage.bitCount() / 8;
    for (int y = top; y < bottom; ++y) {
        std::memcpy(PixelFromTop(image, left - s.left, y - s.top, bytes),
                    PixelFromTop(layerImage, left - l.left, y - l.top, bytes), std::size_t(right - left) * std::size_t(bytes));
        std::memcpy(PixelFromTop(mask, left - s.left, y - s.top, 1), PixelFromTop(layerMask, left - l.left, y - l.top, 1),
                    std::size_t(right - left));
    }
}

bool SelectionAllows(const LayerStack& stack, int x, int y)
{
    if (stack.selectionActive == 0)
        return true;
    const Rect& s = stack.selectionRect;
    if (x < s.left || y < s.top || x >= s.right || y >= s.bottom)
        return false;
    return stack.selectionActive == 1 || MaskSelects(stack.selectionMask.read(), x - s.left, y - s.top);
}

}  // namespace lv
