#include "projects/placeholder_content.h"

#include "edit/layer_pictures.h"

#include <memory>

namespace lv {
namespace {

std::shared_ptr<HDIB> shared(HDIB picture)
{
    return picture ? std::make_shared<HDIB>(std::move(picture)) : nullptr;
}

}  // namespace

bool MatchLayerDepth(PlaceholderContent& content, const LayerStack& stack, const LayerRecord& layer)
{
    const bool grey = stack.bitCount == 8 || layer.kind == LAYER_MASK;
    for (HDIB* picture : {&content.image, &content.sourceImage}) {
        if (!*picture || HasLayerDepth(*picture, grey))
            continue;
        *picture = ConvertLayerDepth(*picture, grey);
        if (!*picture)
            return false;
    }
    return true;
}

void InstallPlaceholderContent(LayerRecord& layer, PlaceholderContent content)
{
    layer.image = SharedPicture(std::move(content.image));
    if (content.mask)
        layer.mask = SharedPicture(std::move(content.mask));
    layer.imageBlock.reset();
    layer.sourceImage = shared(std::move(content.sourceImage));
    layer.sourceMask = shared(std::move(content.sourceMask));
    layer.x = content.x;
    layer.y = content.y;
    layer.textPlacement = content.placement;
    layer.aspect = content.aspect;
    if (layer.kind == LAYER_TEXT) {
        layer.kind = LAYER_IMAGE;
        layer.textObject.reset();
    }
}

}  // namespace lv
