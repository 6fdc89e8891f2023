#include "edit/compositing.h"
#include "edit/layered_document.h"
#include "edit/layered_format.h"
#include "edit/layered_layout.h"
#include "edit/picture_block.h"
#include "edit/text_block.h"
#include "imagelib/image_file.h"
#include "imagelib/progress.h"

namespace lv {
namespace {

// One layer's blocks; nothing when a name, image or mask is missing or unreadable, or a
// text block fails.
std::optional<FileLayer> readLayer(ByteSource& source, std::uint64_t base, const LayeredEntry& entry)
{
    if (entry.nameOffset == 0 || entry.imageOffset == 0 || entry.maskOffset == 0)
        return std::nullopt;
    FileLayer layer;
    auto name = ReadNameBlock(source, base + entry.nameOffset);
    if (!name)
        return std::nullopt;
    layer.name = std::move(*name);
    layer.image = ReadPictureBlock(source, base + entry.imageOffset, {kBlockBmp, kBlockJpeg}, &layer.imageJpeg);
    layer.mask = layer.image ? ReadPictureBlock(source, base + entry.maskOffset, {kBlockBmp}) : HDIB{};
    if (!layer.mask)
        return std::nullopt;
    if (entry.kind == LAYER_TEXT && entry.textOffset != 0) {
        auto text = ReadTextBlock(source, base + entry.textOffset);
        if (!text)
            return std::nullopt;
        layer.textObject = std::make_shared<TextObject>(std::move(*text));
    }
    layer.kind = entry.kind;
    layer.x = entry.x;
    layer.y = entry.y;
    layer.opacity = entry.opacity;
    layer.linked = (entry.flags & kLayerFlagLinked) != 0;
    layer.visible = (entry.flags & kLayerFlagVisible) != 0;
    layer.maskLocked = (entry.flags & kLayerFlagMaskLocked) != 0;
    return layer;
}

}  // namespace

std::unique_ptr<LayerStack> ReadLayeredStream(ByteSource& source)
{
    const auto layout = ReadLayeredLayout(source);
    if (!layout)
        return nullptr;
    const LayeredHeader& h = layout->header;
    if (!PlausibleDocument(h.width, h.height, h.depth, source.size() - layout->base))
        return nullptr;
    FileDocument document;
    document.width = h.width;
    document.height = h.height;
    document.depth = h.depth;
    document.xPelsPerMeter = h.xPelsPerMeter;
    document.yPelsPerMeter = h.yPelsPerMeter;
    document.current = h.current;
    const std::size_t count = layout->entries.size();
    for (std::size_t i = 0; i < count; ++i) {
        ReportProgress(kProgressReading, int(i * 100 / count));
        auto layer = readLayer(source, layout->base, layout->entries[i]);
        if (!layer)
            return nullptr;
        document.layers.push_back(std::move(*layer));
    }
    return MakeStackFromFile(std::move(document));
}

std::unique_ptr<LayerStack> ReadLayeredFile(const std::string& path)
{
    auto source = OpenImageForReading(path);
    if (!source)
        return nullptr;
    if (auto stack = ReadLayeredStream(*source))
        return stack;
    return source->seek(0) ? ReadOlderLayeredFile(*source) : nullptr;
}

HDIB ReadLayeredPreview(ByteSource& source)
{
    const std::uint64_t base = source.position();
    const auto header = ReadLayeredHeader(source);
    if (header && header->previewOffset != 0)
        return ReadPictureBlock(source, base + header->previewOffset, {kBlockJpeg, kBlockBmp});
    auto stack = ReadOlderLayeredFile(source);
    if (!stack)
        return {};
    CompositeLayers(*stack);
    return std::move(stack->composite);
}

HDIB ReadLayeredPreview(const std::string& path)
{
    auto source = OpenImageForReading(path);
    return source ? ReadLayeredPreview(*source) : HDIB{};
}

ReadResult ReadLayeredFlattened(const std::string& path)
{
    auto stack = ReadLayeredFile(path);
    if (!stack)
        return ReadCode::Failure;
    CompositeLayers(*stack);
    return std::move(stack->composite);
}

}  // namespace lv
