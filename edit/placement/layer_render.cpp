#include "edit/placement/layer_render.h"

#include "edit/placement/resampler.h"
#include "imagelib/dib_geometry.h"

namespace lv {

std::optional<RenderedLayer> RenderLayerFromSource(const LayerRecord& layer, const HDIB& sourceImage,
                                                   const HDIB& sourceMask, const Placement& m,
                                                   std::uint32_t imageBackground, int threads)
{
    RenderedLayer r;
    r.mask = ResamplePlaced(sourceMask, r.placed, 0, m, threads);
    if (!r.mask)
        return std::nullopt;
    if (layer.kind == LAYER_TEXT) {
        // Red in the low byte, as the text object keeps its colour.
        const std::uint32_t colour = layer.textObject ? layer.textObject->words[TextObject::kColourWord] & 0xFFFFFF : 0;
        r.image = DibCreate(r.mask.width(), r.mask.height(), colour, sourceImage.bitCount() == 8);
    } else {
        Rect samePlace;
        r.image = ResamplePlaced(sourceImage, samePlace, imageBackground, m, threads);
    }
    if (!r.image)
        return std::nullopt;
    return r;
}

}  // namespace lv
