#include "common/failure_notices.h"
#include "common/window_source.h"
#include "edit/compositing.h"
#include "edit/document_block.h"
#include "edit/layered_document.h"
#include "edit/layered_format.h"
#include "edit/layered_layout.h"
#include "edit/picture_block.h"
#include "edit/placement_block.h"
#include "edit/text_block.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/codecs/image_file.h"
#include "imagelib/codecs/picture_budget.h"
#include "imagelib/progress.h"

#include <algorithm>
#include <map>
#include <optional>
#include <vector>

namespace lv {
namespace {

// Where each block the table names ends: at the next block, or at the stream's end.
using BlockEnds = std::map<std::uint64_t, std::uint64_t>;

// The offsets of the blocks the layer table's fields name.
std::vector<std::uint64_t> tableOffsets(const LayeredLayout& layout)
{
    std::vector<std::uint64_t> offsets;
    for (const LayeredEntry& e : layout.entries) {
        for (const std::uint32_t offset : {e.nameOffset, e.imageOffset, e.maskOffset})
            offsets.push_back(offset);
        if (e.kind == LAYER_TEXT && e.textOffset != 0)
            offsets.push_back(e.textOffset);
    }
    if (layout.header.previewOffset != 0)
        offsets.push_back(layout.header.previewOffset);
    return offsets;
}

std::uint64_t tableEnd(const LayeredLayout& layout)
{
    return kLayeredHeaderSize + layout.entries.size() * kLayeredEntrySize;
}

// The blocks in file order; nothing when a block lies inside the header and table or past
// the stream, or two offsets name the same block (a small file must not make the reader
// decode one block many times).
std::optional<BlockEnds> blockEnds(std::vector<std::uint64_t> offsets, std::uint64_t tableEnd, std::uint64_t streamBytes)
{
    std::sort(offsets.begin(), offsets.end());
    BlockEnds ends;
    for (std::size_t i = 0; i < offsets.size(); ++i) {
        const std::uint64_t offset = offsets[i];
        if (offset == 0)
            continue;  // an absent block; a layer needing it is refused when read
        if (offset < tableEnd || offset >= streamBytes || (i + 1 < offsets.size() && offsets[i + 1] == offset))
            return std::nullopt;
        ends[offset] = i + 1 < offsets.size() ? offsets[i + 1] : streamBytes;
    }
    return ends;
}

// Each image layer's placement block, when it is whole and its three blocks lie apart from
// every other block in the stream; their offsets join `offsets`. A block that doesn't
// qualify is ignored, as a reader that doesn't know it would: the layer opens unplaced.
std::vector<std::optional<PlacementBlock>> readPlacements(ByteSource& source, const LayeredLayout& layout,
                                                          std::vector<std::uint64_t>& offsets, std::uint64_t streamBytes)
{
    std::vector<std::optional<PlacementBlock>> placements(layout.entries.size());
    for (std::size_t i = 0; i < layout.entries.size(); ++i) {
        const LayeredEntry& e = layout.entries[i];
        if (e.kind == LAYER_TEXT || e.placementOffset == 0 || e.placementOffset < tableEnd(layout)
            || std::uint64_t(e.placementOffset) + kPlacementBlockSize > streamBytes)
            continue;
        auto block = ReadPlacementBlock(source, layout.base + e.placementOffset);
        if (!block)
            continue;
        const std::uint64_t own[3] = {e.placementOffset, block->sourceImageOffset, block->sourceMaskOffset};
        const bool apart = own[0] != own[1] && own[1] != own[2] && own[0] != own[2] &&
                           std::none_of(std::begin(own), std::end(own), [&](std::uint64_t offset) {
                               return offset < tableEnd(layout) || offset >= streamBytes ||
                                      std::find(offsets.begin(), offsets.end(), offset) != offsets.end();
                           });
        if (!apart)
            continue;
        offsets.insert(offsets.end(), std::begin(own), std::end(own));
        placements[i] = block;
    }
    return placements;
}

// A picture block read within its own extent; `consumed` grows by what its decoder read.
HDIB readPicture(ByteSource& source, std::uint64_t base, std::uint64_t offset, const BlockEnds& ends,
                 std::initializer_list<BlockEncoding> accepted, std::uint64_t& consumed,
                 std::vector<std::uint8_t>* keptJpeg = nullptr)
{
    WindowSource block(source, base + offset, ends.at(offset) - offset);
    HDIB picture = ReadPictureBlock(block, 0, accepted, keptJpeg);
    consumed += block.position();
    return picture;
}

// One layer's blocks; nothing when a name, image or mask is missing or unreadable, or a
// text block fails.
std::optional<FileLayer> readLayer(ByteSource& source, std::uint64_t base, const LayeredEntry& entry,
                                   const std::optional<PlacementBlock>& placement, const BlockEnds& ends,
                                   std::uint64_t& consumed)
{
    if (entry.nameOffset == 0 || entry.imageOffset == 0 || entry.maskOffset == 0)
        return std::nullopt;
    FileLayer layer;
    WindowSource nameBlock(source, base + entry.nameOffset, ends.at(entry.nameOffset) - entry.nameOffset);
    auto name = ReadNameBlock(nameBlock, 0);
    if (!name)
        return std::nullopt;
    layer.name = std::move(*name);
    layer.image = readPicture(source, base, entry.imageOffset, ends, {kBlockBmp, kBlockJpeg}, consumed,
                              &layer.imageJpeg);
    layer.mask = layer.image ? readPicture(source, base, entry.maskOffset, ends, {kBlockBmp}, consumed) : HDIB{};
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
    if (placement) {
        layer.sourceImage = readPicture(source, base, placement->sourceImageOffset, ends, {kBlockBmp, kBlockJpeg}, consumed);
        layer.sourceMask = layer.sourceImage ? readPicture(source, base, placement->sourceMaskOffset, ends, {kBlockBmp}, consumed)
                                             : HDIB{};
        if (layer.sourceMask)
            layer.placement = placement->matrix;
        else
            layer.sourceImage = {};
    }
    return layer;
}

// The document block, when it is whole within the stream and follows the preview, the last
// of the other blocks: the blocks the reader decodes then end before it without being cut
// short. A block that doesn't qualify is ignored, as a reader that doesn't know it would: the
// document opens without its metadata.
std::optional<DocumentMetadata> readDocumentBlock(ByteSource& source, const LayeredLayout& layout,
                                                  const std::vector<std::uint64_t>& offsets, std::uint64_t streamBytes)
{
    const std::uint64_t offset = layout.header.documentOffset;
    const std::uint64_t preview = layout.header.previewOffset;
    if (offset == 0 || preview == 0 || offset <= preview || offset >= streamBytes
        || std::any_of(offsets.begin(), offsets.end(), [&](std::uint64_t other) { return other > preview; }))
        return std::nullopt;
    const auto length = DocumentBlockLength(source, layout.base + offset);
    if (!length || *length > streamBytes - offset)
        return std::nullopt;
    WindowSource block(source, layout.base + offset, *length);
    return ReadDocumentBlock(block, 0);
}

std::uint64_t pictureBytes(const HDIB& picture)
{
    return picture ? PictureBytes(picture.width(), picture.height(), picture.bitCount()) : 0;
}

}  // namespace

std::unique_ptr<LayerStack> ReadLayeredStream(ByteSource& source, DocumentMetadata* metadata)
{
    const auto layout = ReadLayeredLayout(source);
    if (!layout)
        return nullptr;
    const LayeredHeader& h = layout->header;
    const std::uint64_t streamBytes = source.size() - layout->base;
    auto offsets = tableOffsets(*layout);
    if (!blockEnds(offsets, tableEnd(*layout), streamBytes) || !PlausibleDocument(h.width, h.height, h.depth, streamBytes))
        return nullptr;
    const auto placements = readPlacements(source, *layout, offsets, streamBytes);
    auto documentBlock = metadata ? readDocumentBlock(source, *layout, offsets, streamBytes) : std::nullopt;
    const auto ends = blockEnds(offsets, tableEnd(*layout), streamBytes);
    if (!ends)
        return nullptr;
    FileDocument document;
    document.width = h.width;
    document.height = h.height;
    document.depth = h.depth;
    document.xPelsPerMeter = h.xPelsPerMeter;
    document.yPelsPerMeter = h.yPelsPerMeter;
    document.current = h.current;
    // Each picture stays within what its own block may make (its decoder checks); together
    // with the canvas they stay within what the blocks the reader really consumed may make,
    // so zero padding between blocks counts for nothing.
    std::uint64_t consumed = 0, made = 0, pictures = 0;
    const std::size_t count = layout->entries.size();
    for (std::size_t i = 0; i < count; ++i) {
        ReportProgress(kProgressReading, int(i * 100 / count));
        auto layer = readLayer(source, layout->base, layout->entries[i], placements[i], *ends, consumed);
        if (!layer)
            return nullptr;
        made += pictureBytes(layer->image) + pictureBytes(layer->mask);
        pictures += 2;
        if (CheckDocumentBudget(made, consumed, pictures))
            return nullptr;
        // A source the budget has no room for is dropped rather than the document.
        const std::uint64_t sourceBytes = pictureBytes(layer->sourceImage) + pictureBytes(layer->sourceMask);
        if (sourceBytes != 0 && CheckDocumentBudget(made + sourceBytes, consumed, pictures + 2)) {
            layer->sourceImage = {};
            layer->sourceMask = {};
        }
        if (layer->sourceImage) {
            made += sourceBytes;
            pictures += 2;
        }
        document.layers.push_back(std::move(*layer));
    }
    // The canvas is made, not read: it gets no allowance of its own beyond the data's.
    const std::uint64_t canvas = PictureBytes(h.width, h.height, h.depth);
    if (CheckPictureBudget(canvas, consumed) || CheckDocumentBudget(made + canvas, consumed, pictures))
        return nullptr;
    auto stack = MakeStackFromFile(std::move(document));
    if (stack && metadata)
        *metadata = documentBlock ? std::move(*documentBlock) : DocumentMetadata{};
    return stack;
}

std::unique_ptr<LayerStack> ReadLayeredFile(const std::string& path, DocumentMetadata* metadata)
{
    FileFailure notice;
    auto source = OpenImageForReading(path, notice);
    if (!source) {
        ShowFailureNotices(notice);
        return nullptr;
    }
    if (auto stack = ReadLayeredStream(*source, metadata))
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
    FileFailure notice;
    auto source = OpenImageForReading(path, notice);
    if (!source)
        ShowFailureNotices(notice);
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
