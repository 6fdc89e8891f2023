#include "app/core/recovery/recovery_snapshot.h"

#include "edit/compositing.h"
#include "edit/layer_pictures.h"
#include "edit/layers.h"
#include "imagelib/dib_geometry.h"

#include <algorithm>
#include <cmath>

namespace lv {

std::unique_ptr<LayerStack> TakeRecoverySnapshot(const LayerStack& document)
{
    auto copy = std::make_unique<LayerStack>();
    copy->compositeBitsOffset = document.compositeBitsOffset;
    copy->width = document.width;
    copy->height = document.height;
    copy->bitCount = document.bitCount;
    copy->xResolution = document.xResolution;
    copy->yResolution = document.yResolution;
    copy->view = document.view;
    copy->modified = document.modified;
    copy->layerCount = std::clamp(document.layerCount, 0, kMaxLayers);
    copy->currentLayer = document.currentLayer;
    copy->projectPlacement = document.projectPlacement;
    for (int i = 0; i < copy->layerCount; ++i) {
        LayerRecord& layer = copy->layers[std::size_t(i)];
        layer = document.layers[std::size_t(i)];
        // The copy's writer reads neither the placement's source pictures nor a kept JPEG block.
        layer.sourceImage.reset();
        layer.sourceMask.reset();
        layer.imageBlock.reset();
        if (layer.textObject)
            layer.textObject = std::make_shared<TextObject>(*layer.textObject);
    }
    return copy;
}

namespace {

int scaled(std::int64_t length, double factor)
{
    return std::max(1, int(std::lround(double(length) * factor)));
}

}  // namespace

HDIB MakeRecoveryThumbnail(const LayerStack& document, int longestSide)
{
    if (document.width < 1 || document.height < 1 || longestSide < 1)
        return {};
    const double factor = std::min(1.0, double(longestSide) / double(std::max(document.width, document.height)));
    auto small = CreateEmptyLayerStack(scaled(document.width, factor), scaled(document.height, factor),
                                       document.bitCount == 8 ? 8 : 24);
    if (!small)
        return {};
    const bool grey = document.bitCount == 8;
    for (int i = 0; i < std::clamp(document.layerCount, 0, kMaxLayers); ++i) {
        const LayerRecord& from = document.layers[std::size_t(i)];
        if (!from.image)
            continue;
        LayerRecord& to = small->layers[std::size_t(small->layerCount)];
        const int width = scaled(from.image.width(), factor);
        const int height = scaled(from.image.height(), factor);
        HDIB image = DibScaledCopy(from.image, width, height, false);
        const bool greyLayer = grey || from.kind == LAYER_MASK;
        if (image && !HasLayerDepth(image, greyLayer))
            image = ConvertLayerDepth(image, greyLayer);
        HDIB mask = from.mask ? DibScaledCopy(from.mask, width, height, false) : HDIB{};
        if (!mask || mask.bitCount() != 8)
            mask = MakeGreyFilled(width, height, 255);
        if (!image || !mask)
            return {};
        to.image = std::move(image);
        to.mask = std::move(mask);
        to.x = std::int32_t(std::floor(from.x * factor));
        to.y = std::int32_t(std::floor(from.y * factor));
        to.visible = from.visible;
        to.opacity = from.opacity;
        to.kind = from.kind;
        ++small->layerCount;
    }
    CompositeLayers(*small);
    return std::move(small->composite);
}

}  // namespace lv
