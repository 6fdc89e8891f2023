#include "edit/layered_document.h"

#include "edit/layer_pictures.h"
#include "edit/layers.h"
#include "edit/placement_block.h"
#include "edit/text_block.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/codecs/picture_budget.h"

#include <algorithm>

namespace lv {
namespace {

// The layer's picture at the depth the document holds it: grey in a grey document and
// for mask layers; otherwise 24-bit, or grey as it came.
HDIB conformPicture(HDIB picture, bool grey)
{
    if (!picture || DibGetType(picture) == IMG_GREY8 || HasLayerDepth(picture, grey))
        return picture;
    return ConvertLayerDepth(picture, grey);
}

// Keeps a stored source and matrix when the source has the layer's depth (after the same
// conversion as the image), a mask of its size, and the matrix fits the layer.
void keepSource(FileLayer& in, LayerRecord& record, bool grey)
{
    if (record.kind == LAYER_TEXT || !in.sourceImage || !in.sourceMask)
        return;
    HDIB image = conformPicture(std::move(in.sourceImage), grey);
    const HDIB& mask = in.sourceMask;
    if (!image || image.bitCount() != record.image.bitCount() || mask.bitCount() != 8 || mask.width() != image.width()
        || mask.height() != image.height()
        || !PlacementFitsLayer(in.placement, image.width(), image.height(), record.image.width(), record.image.height()))
        return;
    record.sourceImage = std::make_shared<HDIB>(std::move(image));
    record.sourceMask = std::make_shared<HDIB>(std::move(in.sourceMask));
    record.textPlacement = in.placement;
}

}  // namespace

bool PlausibleDocument(std::int64_t width, std::int64_t height, std::uint32_t depth, std::uint64_t fileBytes)
{
    const std::uint64_t bytes = PictureBytes(width, height, depth);
    return bytes != 0 && std::uint64_t(width) * std::uint64_t(height) <= fileBytes * kMaxPixelsPerFileByte &&
           !CheckPictureBudget(bytes, fileBytes);
}

std::unique_ptr<LayerStack> MakeStackFromFile(FileDocument document)
{
    auto stack = CreateEmptyLayerStack(document.width, document.height, int(document.depth));
    if (!stack)
        return nullptr;
    stack->composite.header().biXPelsPerMeter = document.xPelsPerMeter;
    stack->composite.header().biYPelsPerMeter = document.yPelsPerMeter;
    stack->xResolution = std::uint16_t(document.xPelsPerMeter);
    stack->yResolution = std::uint16_t(document.yPelsPerMeter);

    const std::size_t count = std::min<std::size_t>(document.layers.size(), kMaxLayers);
    for (std::size_t i = 0; i < count; ++i) {
        FileLayer& in = document.layers[i];
        LayerRecord& record = stack->layers[i];
        record.kind = in.kind == LAYER_MASK ? LAYER_MASK : in.kind == LAYER_TEXT && in.textObject ? LAYER_TEXT : LAYER_IMAGE;
        const void* decoded = in.image.data();
        record.image = conformPicture(std::move(in.image), document.depth == 8 || record.kind == LAYER_MASK);
        if (!record.image || !in.mask || in.mask.bitCount() != 8 || in.mask.width() != record.image.width() ||
            in.mask.height() != record.image.height())
            return nullptr;
        if (!in.imageJpeg.empty() && record.image.data() == decoded)
            record.imageBlock = std::make_shared<const EncodedImageBlock>(
                EncodedImageBlock{std::move(in.imageJpeg), record.image.stamp()});
        record.mask = std::move(in.mask);
        if (record.kind == LAYER_TEXT) {
            record.textPlacement = PlacementFromText(*in.textObject);
            record.textObject = std::move(in.textObject);
        }
        keepSource(in, record, document.depth == 8 || record.kind == LAYER_MASK);
        record.x = in.x;
        record.y = in.y;
        record.name = std::move(in.name);
        record.linked = in.linked;
        record.visible = in.visible;
        record.maskLocked = in.maskLocked;
        record.opacity = std::min<std::uint32_t>(in.opacity, 100);
        record.aspect = LayerAspect(record.image);
        stack->layerCount = std::int32_t(i + 1);
    }
    stack->currentLayer = document.current < std::uint32_t(stack->layerCount) ? std::int32_t(document.current) : 0;
    return stack;
}

}  // namespace lv
