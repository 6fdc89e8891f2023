#include "edit/placement/document_geometry.h"

#include "common/failure_notices.h"
#include "common/string_table.h"
#include "common/ui_service.h"
#include "edit/compositing.h"
#include "edit/layer_pictures.h"
#include "edit/layers.h"
#include "edit/placement/layer_render.h"
#include "edit/placement/picture_turns.h"
#include "edit/placement/placement_matrix.h"
#include "edit/undo_hooks.h"
#include "imagelib/dib_geometry.h"
#include "imagelib/shared_picture.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <vector>

namespace lv {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;

// One layer's new state, made before anything changes so that running out of memory
// leaves the document alone.
struct NewLayer {
    HDIB image;  // null: the pictures stay
    HDIB mask;
    Rect box;  // top-down, exclusive
    Placement placement{};
    std::shared_ptr<HDIB> sourceImage;
    std::shared_ptr<HDIB> sourceMask;
    bool dropSource = false;
};

Rect topDownBox(const LayerStack& stack, int index)
{
    return GetLayerTopDownRect(stack, index).value_or(Rect{});
}

// Placed layers carry the operation in their matrix so that later transforms render from
// the same source; unplaced ones stay unplaced.
Placement carried(const LayerRecord& layer, const Placement& t)
{
    return IsUnplaced(layer.textPlacement) ? layer.textPlacement : Compose(t, layer.textPlacement);
}

bool sideRefused(int width, int height)
{
    if (width < kRefusedDocumentSide && height < kRefusedDocumentSide)
        return false;
    ui::Current().showMessage(LoadString(kDocumentTooLargeString), "", ui::Icon::Exclamation);
    return true;
}

bool install(LayerStack& stack, int undoCode, std::vector<NewLayer>& layers, int width, int height)
{
    HDIB composite = MakeCompositeLike(stack.composite, width, height, stack.bitCount);
    if (!composite)
        return false;
    RecordUndoStep(stack, undoCode);
    for (int i = 0; i < stack.layerCount; ++i) {
        LayerRecord& layer = stack.layers[std::size_t(i)];
        NewLayer& n = layers[std::size_t(i)];
        if (n.image) {
            layer.image = SharedPicture(std::move(n.image));
            layer.mask = SharedPicture(std::move(n.mask));
            layer.imageBlock.reset();
            layer.aspect = LayerAspect(layer.image);
        }
        layer.x = n.box.left;
        layer.y = height - n.box.bottom;
        layer.textPlacement = n.placement;
        if (n.dropSource) {
            layer.sourceImage.reset();
            layer.sourceMask.reset();
        } else if (n.sourceImage) {
            layer.sourceImage = std::move(n.sourceImage);
            layer.sourceMask = std::move(n.sourceMask);
        }
    }
    stack.width = std::uint16_t(width);
    stack.height = std::uint16_t(height);
    stack.composite = std::move(composite);
    ClearSelection(stack);
    CompositeLayers(stack);
    return true;
}

bool hasLayers(const LayerStack& stack)
{
    if (stack.layerCount <= 0)
        return false;
    for (int i = 0; i < stack.layerCount; ++i)
        if (!stack.layers[std::size_t(i)].image || !stack.layers[std::size_t(i)].mask)
            return false;
    return true;
}

// Sides below 1 count as 1; a document without complete layers, or of a refused size, stays.
bool newSizeAccepted(const LayerStack& stack, int& width, int& height)
{
    width = std::max(width, 1);
    height = std::max(height, 1);
    return hasLayers(stack) && !sideRefused(width, height);
}

// The background layer: the bottom one, when it has the background's name.
bool isBackground(const LayerStack& stack, int index)
{
    return index == stack.layerCount - 1 && stack.layers[std::size_t(index)].name == LoadString(kBackgroundNameString);
}

// Every layer's pictures moved pixel for pixel by `move`, which does what the exact matrix
// `t` does; boxes and placements follow the matrix.
std::optional<std::vector<NewLayer>> rearranged(const LayerStack& stack, const Placement& t,
                                                const std::function<HDIB(const HDIB&)>& move)
{
    if (!hasLayers(stack))
        return std::nullopt;
    std::vector<NewLayer> layers(std::size_t(stack.layerCount));
    for (int i = 0; i < stack.layerCount; ++i) {
        const LayerRecord& layer = stack.layers[std::size_t(i)];
        NewLayer& n = layers[std::size_t(i)];
        n.image = move(layer.image.read());
        n.mask = move(layer.mask.read());
        if (!n.image || !n.mask)
            return std::nullopt;
        const Rect box = topDownBox(stack, i);
        n.box = PlacedBoundingBox(box, t);
        n.placement = carried(layer, t);
        // A layer turned about its exact centre may lie half a pixel off the grid, where
        // rounding after a mirror picks the other pixel: it stays where its placement puts it.
        if (layer.sourceImage && !IsUnplaced(layer.textPlacement)) {
            const Rect source{0, 0, layer.sourceImage->width(), layer.sourceImage->height()};
            if (PlacedBoundingBox(source, layer.textPlacement) == box)
                n.box = PlacedBoundingBox(source, n.placement);
        }
    }
    return layers;
}

}  // namespace

bool FlipDocument(LayerStack& stack, bool horizontal)
{
    const int w = stack.width, h = stack.height;
    const Placement t = MirrorPlacement(!horizontal, horizontal ? w / 2.0 : h / 2.0);
    auto layers = rearranged(stack, t, [horizontal](const HDIB& p) { return FlipPicture(p, horizontal); });
    return layers && install(stack, horizontal ? kUndoFlipHorizontal : kUndoFlipVertical, *layers, w, h);
}

bool TurnDocument(LayerStack& stack, bool right)
{
    const int w = stack.width, h = stack.height;
    // A right turn sends (row, column) to (column, h - row); a left turn to (w - column, row).
    const Placement t = right ? Placement{0, 1, 0, -1, 0, double(h), 0, 0, 1}
                              : Placement{0, -1, double(w), 1, 0, 0, 0, 0, 1};
    auto layers = rearranged(stack, t, [right](const HDIB& p) { return TurnPicture(p, right); });
    if (!layers || !install(stack, right ? kUndoTurnRight : kUndoTurnLeft, *layers, h, w))
        return false;
    std::swap(stack.xResolution, stack.yResolution);
    return true;
}

bool SpinDocument(LayerStack& stack, double degrees, int threads)
{
    if (!hasLayers(stack))
        return false;
    const int w = stack.width, h = stack.height;
    // A positive angle turns anticlockwise, as the angle dial grows; the placement turns clockwise.
    const Placement rotation = RotatePlacement(w / 2.0, h / 2.0, -degrees * kApplyRadiansPerDegree);
    const Rect canvas = PlacedBoundingBox({0, 0, w, h}, rotation);
    const int newWidth = canvas.right - canvas.left;
    const int newHeight = canvas.bottom - canvas.top;
    if (sideRefused(newWidth, newHeight))
        return false;
    const Placement t = Compose(TranslatePlacement(-canvas.left, -canvas.top), rotation);
    std::vector<NewLayer> layers(std::size_t(stack.layerCount));
    for (int i = 0; i < stack.layerCount; ++i) {
        const LayerRecord& layer = stack.layers[std::size_t(i)];
        NewLayer& n = layers[std::size_t(i)];
        const Rect r = topDownBox(stack, i);
        Placement m = layer.textPlacement;
        if (IsUnplaced(m))
            m = TranslatePlacement(r.left, r.top);
        n.sourceImage = layer.sourceImage;
        n.sourceMask = layer.sourceMask;
        if (!n.sourceImage)
            n.sourceImage = std::make_shared<HDIB>(CopyPicture(layer.image.read()));
        if (!n.sourceMask)
            n.sourceMask = std::make_shared<HDIB>(CopyPicture(layer.mask.read()));
        if (!*n.sourceImage || !*n.sourceMask)
            return false;
        n.placement = Compose(t, m);
        auto rendered = RenderLayerFromSource(layer, *n.sourceImage, *n.sourceMask, n.placement, kWhite, threads);
        if (!rendered)
            return false;
        n.image = std::move(rendered->image);
        n.mask = std::move(rendered->mask);
        n.box = rendered->placed;
    }
    return install(stack, kUndoSpinLayers, layers, newWidth, newHeight);
}

bool ResizeDocument(LayerStack& stack, int width, int height)
{
    if (!newSizeAccepted(stack, width, height))
        return false;
    const double sx = double(width) / stack.width;
    const double sy = double(height) / stack.height;
    const Placement t = ScalePlacement(0, 0, sx, sy);
    std::vector<NewLayer> layers(std::size_t(stack.layerCount));
    for (int i = 0; i < stack.layerCount; ++i) {
        const LayerRecord& layer = stack.layers[std::size_t(i)];
        NewLayer& n = layers[std::size_t(i)];
        const Rect r = topDownBox(stack, i);
        const int left = RoundAway(r.left * sx);
        const int top = RoundAway(r.top * sy);
        const int right = std::max(left + 1, RoundAway(r.right * sx));
        const int bottom = std::max(top + 1, RoundAway(r.bottom * sy));
        n.image = DibResize(layer.image.read(), right - left, bottom - top);
        n.mask = DibResize(layer.mask.read(), right - left, bottom - top);
        if (!n.image || !n.mask)
            return false;
        n.box = {left, top, right, bottom};
        n.placement = carried(layer, t);
    }
    return install(stack, kUndoImageSize, layers, width, height);
}

bool ResizeCanvas(LayerStack& stack, int width, int height, CanvasAnchor anchor, std::uint32_t background)
{
    if (!newSizeAccepted(stack, width, height))
        return false;
    const int column = int(anchor) % 3;
    const int row = int(anchor) / 3;
    const int dx = (width - stack.width) * column / 2;
    const int dy = (height - stack.height) * row / 2;
    const Placement t = TranslatePlacement(dx, dy);
    std::vector<NewLayer> layers(std::size_t(stack.layerCount));
    for (int i = 0; i < stack.layerCount; ++i) {
        const LayerRecord& layer = stack.layers[std::size_t(i)];
        NewLayer& n = layers[std::size_t(i)];
        const Rect r = topDownBox(stack, i);
        n.box = {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
        n.placement = carried(layer, t);
        if (!isBackground(stack, i))
            continue;
        // The background covers the whole new canvas: its new area opaque in the colour.
        const bool grey = layer.image.bitCount() == 8;
        n.image = DibCreate(width, height, grey ? GreyValue(background & 0xFF, (background >> 8) & 0xFF,
                                                            (background >> 16) & 0xFF)
                                                : background,
                            grey);
        n.mask = MakeGreyFilled(width, height, 255);
        if (!n.image || !n.mask)
            return false;
        const HDIB& image = layer.image.read();
        n.image.header().biXPelsPerMeter = image.header().biXPelsPerMeter;
        n.image.header().biYPelsPerMeter = image.header().biYPelsPerMeter;
        // Only the part of the old background that lands on the canvas is kept.
        const Rect inside{std::max(n.box.left, 0), std::max(n.box.top, 0), std::min(n.box.right, width),
                                  std::min(n.box.bottom, height)};
        if (inside.left < inside.right && inside.top < inside.bottom) {
            const Rect cut{inside.left - n.box.left, inside.top - n.box.top, inside.right - n.box.left,
                           inside.bottom - n.box.top};
            FileFailure imageCut, maskCut, imagePaste, maskPaste;
            const HDIB pieceImage = DibCropPicture(image, cut, &imageCut);
            ShowFailureNotices(imageCut);
            const HDIB pieceMask = DibCropPicture(layer.mask.read(), cut, &maskCut);
            ShowFailureNotices(maskCut);
            if (!pieceImage || !pieceMask)
                return false;
            const bool pasted = DibPaste(n.image, pieceImage, inside.left, inside.top, &imagePaste);
            ShowFailureNotices(imagePaste);
            if (!pasted || !DibPaste(n.mask, pieceMask, inside.left, inside.top, &maskPaste)) {
                ShowFailureNotices(maskPaste);
                return false;
            }
        }
        n.box = {0, 0, width, height};
        n.placement = {};
        n.dropSource = true;
    }
    return install(stack, kUndoCanvasSize, layers, width, height);
}

}  // namespace lv
