#include "edit/layered_format.h"

#include "edit/layered_layout.h"
#include "edit/picture_block.h"
#include "edit/placement/placement_matrix.h"
#include "edit/placement_block.h"
#include "edit/text_block.h"
#include "imagelib/codecs/image_file.h"
#include "imagelib/metadata/metadata_writer.h"
#include "imagelib/progress.h"
#include "imagelib/codecs/save_options.h"

#include <array>

namespace lv {
namespace {

constexpr int kLosslessQuality = 100;

std::uint32_t flagsOf(const LayerRecord& record)
{
    return (record.linked ? kLayerFlagLinked : 0) | (record.visible ? kLayerFlagVisible : 0) |
           (record.maskLocked ? kLayerFlagMaskLocked : 0);
}

// A placed layer's untouched source, losslessly (it is what every later transform renders
// from), then the placement block naming it. Text layers keep their matrix in the text
// block and render their source from the text.
bool writePlacement(ByteSink& sink, std::uint64_t base, const LayerRecord& record, LayeredEntry& entry)
{
    if (record.kind == LAYER_TEXT || IsUnplaced(record.textPlacement) || !record.sourceImage || !record.sourceMask
        || !*record.sourceImage || !*record.sourceMask)
        return true;
    const auto offset = [&] { return std::uint32_t(sink.position() - base); };
    PlacementBlock block{record.textPlacement, offset(), 0};
    const HDIB& image = *record.sourceImage;
    if (WriteBmpBlock(sink, image, image.bitCount() == 8) != kBlockWritten || !PadBlock(sink, base))
        return false;
    block.sourceMaskOffset = offset();
    if (WriteBmpBlock(sink, *record.sourceMask, true) != kBlockWritten || !PadBlock(sink, base))
        return false;
    entry.placementOffset = offset();
    return WritePlacementBlock(sink, block) && PadBlock(sink, base);
}

// Writes the layer's blocks from the sink's position and fills its table entry.
int writeLayer(ByteSink& sink, std::uint64_t base, const LayerRecord& record, int quality, LayeredEntry& entry)
{
    const auto offset = [&] { return std::uint32_t(sink.position() - base); };
    entry.kind = record.kind;
    entry.flags = flagsOf(record);
    entry.x = record.x;
    entry.y = record.y;
    entry.opacity = record.opacity;
    entry.nameOffset = offset();
    if (!WriteNameBlock(sink, record.name) || !PadBlock(sink, base))
        return kLayeredWriteFailed;
    if (record.image) {
        entry.imageOffset = offset();
        const EncodedImageBlock* kept = record.imageBlock.get();
        const int result = quality == kLosslessQuality ? WriteBmpBlock(sink, record.image.read(), false)
                           : kept && record.image.matches(kept->decoded) ? WriteKeptJpegBlock(sink, kept->bytes)
                                                                         : WriteJpegBlock(sink, record.image.read(), quality);
        if (result != kBlockWritten)
            return result;
        if (!PadBlock(sink, base))
            return kLayeredWriteFailed;
    }
    if (record.mask) {
        entry.maskOffset = offset();
        if (WriteBmpBlock(sink, record.mask.read(), true) != kBlockWritten || !PadBlock(sink, base))
            return kLayeredWriteFailed;
    }
    if (record.kind == LAYER_TEXT && record.textObject) {
        entry.textOffset = offset();
        if (!WriteTextBlock(sink, base, *record.textObject, record.textPlacement) || !PadBlock(sink, base))
            return kLayeredWriteFailed;
    }
    return writePlacement(sink, base, record, entry) ? kLayeredWritten : kLayeredWriteFailed;
}

}  // namespace

int WriteLayeredStream(ByteSink& sink, const LayerStack& stack, int quality, const DocumentMetadata& metadata)
{
    quality = ClampJpegQuality(quality);
    const std::uint64_t base = sink.position();
    const int count = std::min<int>(stack.layerCount, kMaxLayers);
    LayeredHeader header;
    header.width = stack.composite ? stack.composite.width() : stack.width;
    header.height = stack.composite ? stack.composite.height() : stack.height;
    header.depth = stack.composite ? std::uint32_t(stack.composite.bitCount()) : stack.bitCount;
    if (stack.composite) {
        header.xPelsPerMeter = stack.composite.header().biXPelsPerMeter;
        header.yPelsPerMeter = stack.composite.header().biYPelsPerMeter;
    }
    header.count = std::uint32_t(count);
    header.current = std::uint32_t(stack.currentLayer);
    std::array<LayeredEntry, kMaxLayers> table{};

    // The header and table are written last; their room is kept first.
    if (!sink.writeZeros(kLayeredHeaderSize + std::size_t(count) * kLayeredEntrySize))
        return kLayeredWriteFailed;
    for (int i = 0; i < count; ++i) {
        ReportProgress(kProgressWriting, i * 100 / (count + 1));
        const int result = writeLayer(sink, base, stack.layers[std::size_t(i)], quality, table[std::size_t(i)]);
        if (result != kLayeredWritten)
            return result;
    }
    if (stack.composite) {
        header.previewOffset = std::uint32_t(sink.position() - base);
        const int result = WriteJpegBlock(sink, stack.composite, quality == kLosslessQuality ? kLayeredSaveQuality : quality);
        if (result != kBlockWritten)
            return result;
        if (!PadBlock(sink, base))
            return kLayeredWriteFailed;
    }
    if (!metadata.empty()) {
        header.documentOffset = std::uint32_t(sink.position() - base);
        const DocumentMetadata prepared{PreparedForSave(metadata.photo, {header.width, header.height, false}),
                                        metadata.iccProfile};
        if (!WriteDocumentBlock(sink, prepared) || !PadBlock(sink, base))
            return kLayeredWriteFailed;
    }

    const std::uint64_t end = sink.position();
    if (!sink.seek(base) || !sink.write(SerialiseLayeredHeader(header).data(), kLayeredHeaderSize))
        return kLayeredWriteFailed;
    for (int i = 0; i < count; ++i)
        if (!sink.write(SerialiseLayeredEntry(table[std::size_t(i)]).data(), kLayeredEntrySize))
            return kLayeredWriteFailed;
    return sink.seek(end) ? kLayeredWritten : kLayeredWriteFailed;
}

bool WriteLayeredFile(const std::string& path, const LayerStack& stack, int quality, FileFailure* failure,
                      const DocumentMetadata& metadata)
{
    auto sink = CreateImageFile(path, failure);
    if (!sink)
        return false;
    // Without a commit the sink leaves the old file as it was.
    if (WriteLayeredStream(*sink, stack, quality, metadata) == kLayeredWritten && sink->close())
        return true;
    sink->discard();
    if (failure)
        *failure = sink->failure();
    return false;
}

}  // namespace lv
