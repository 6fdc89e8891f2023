#include "edit/clipboard_layer.h"

#include "common/byte_source.h"
#include "common/little_endian.h"
#include "edit/layer_pictures.h"
#include "edit/layered_layout.h"
#include "edit/layers.h"
#include "edit/picture_block.h"
#include "edit/selection/selection.h"
#include "edit/text_block.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/dib_convert.h"
#include "imagelib/dib_geometry.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>

namespace lv {
namespace {

constexpr std::array<std::uint8_t, 8> kMagic = {'L', 'V', '2', 'K', 'L', 'Y', 'R', 0};
constexpr std::uint32_t kVersion = 1;
// Magic, version, x, y, flags, opacity, kind, reserved, nine placement numbers, the three
// block positions and the name's length; the name follows, then the blocks.
constexpr std::size_t kPlacementAt = 36;
constexpr std::size_t kBlocksAt = kPlacementAt + 72;
constexpr std::size_t kNameLengthAt = kBlocksAt + 24;
constexpr std::size_t kHeaderBytes = kNameLengthAt + 4;

constexpr std::uint32_t kFlagLinked = 1, kFlagVisible = 2, kFlagMaskLocked = 4;

void storeLE64(std::uint8_t* p, std::uint64_t v)
{
    StoreLE32(p, std::uint32_t(v));
    StoreLE32(p + 4, std::uint32_t(v >> 32));
}

std::uint64_t loadLE64(const std::uint8_t* p)
{
    return LoadLE32(p) | std::uint64_t(LoadLE32(p + 4)) << 32;
}

// The placement's translation, which places the source's top-left corner, moved by a shift.
void shiftPlacement(Placement& placement, double rows, double columns)
{
    if (std::all_of(placement.begin(), placement.end(), [](double v) { return v == 0; }))
        return;
    placement[2] += rows;
    placement[5] += columns;
}

bool overlapsDocument(const LayerStack& stack, std::int32_t x, std::int32_t y, int width, int height)
{
    return std::int64_t(x) < stack.width && std::int64_t(x) + width > 0 && std::int64_t(y) < stack.height &&
           std::int64_t(y) + height > 0;
}

}  // namespace

std::optional<ClipboardLayer> CopyCurrentLayer(const LayerStack& stack)
{
    if (!IsLayerIndex(stack, stack.currentLayer))
        return std::nullopt;
    const LayerRecord& current = stack.layers[std::size_t(stack.currentLayer)];
    if (!current.image || !current.mask)
        return std::nullopt;
    ClipboardLayer piece;
    LayerRecord& l = piece.layer;
    // Shared pictures: whoever writes first makes its own copy, so the piece stays as copied.
    l.image = current.image;
    l.mask = current.mask;
    if (current.textObject)
        l.textObject = std::make_shared<TextObject>(*current.textObject);
    l.x = current.x;
    l.y = current.y;
    l.name = current.name;
    l.linked = current.linked;
    l.visible = current.visible;
    l.maskLocked = current.maskLocked;
    l.opacity = current.opacity;
    l.kind = current.kind;
    l.reserved = current.reserved;
    l.textPlacement = current.textPlacement;
    l.aspect = current.aspect;
    const int top = int(stack.height) - current.y - current.image.read().height();
    shiftPlacement(l.textPlacement, -double(top), -double(current.x));
    return piece;
}

std::optional<ClipboardLayer> CopySelectedContent(const LayerStack& stack)
{
    if (!stack.selectionActive || !IsLayerIndex(stack, stack.currentLayer))
        return std::nullopt;
    const LayerRecord& current = stack.layers[std::size_t(stack.currentLayer)];
    const Rect r = stack.selectionRect;
    const int width = r.right - r.left, height = r.bottom - r.top;
    if (width <= 0 || height <= 0 || !current.image || !current.mask)
        return std::nullopt;
    const HDIB& image = current.image.read();
    const HDIB& mask = current.mask.read();
    const int channels = image.bitCount() / 8;
    HDIB pieceImage = AllocatePicture(width, height, image.bitCount(), image.bitCount() == 8 ? 256 : 0);
    HDIB pieceMask = pieceImage ? MakeGreyFilled(width, height, 0) : HDIB{};
    if (!pieceMask)
        return std::nullopt;
    if (image.bitCount() == 8)
        std::memcpy(pieceImage.data() + kDibHeaderSize, image.data() + kDibHeaderSize, 256 * 4);
    for (int j = 0; j < height; ++j) {
        const int docRow = r.bottom - 1 - j;  // top-down
        const int layerRow = int(stack.height) - 1 - docRow - current.y;
        if (layerRow < 0 || layerRow >= image.height())
            continue;
        const std::uint8_t* src = image.row(layerRow);
        const std::uint8_t* cover = mask.row(layerRow);
        std::uint8_t* out = pieceImage.row(j);
        std::uint8_t* outMask = pieceMask.row(j);
        for (int i = 0; i < width; ++i) {
            const int column = r.left + i - current.x;
            if (column < 0 || column >= image.width() || !SelectionContains(stack, {r.left + i, docRow}))
                continue;
            std::memcpy(out + i * channels, src + column * channels, std::size_t(channels));
            outMask[i] = cover[column];
        }
    }
    ClipboardLayer piece;
    LayerRecord& l = piece.layer;
    l.aspect = LayerAspect(pieceImage);
    l.image = std::move(pieceImage);
    l.mask = std::move(pieceMask);
    l.x = r.left;
    l.y = int(stack.height) - r.bottom;
    l.name = current.name;
    l.visible = true;
    l.opacity = current.opacity;
    l.kind = current.kind == LAYER_MASK ? LAYER_MASK : LAYER_IMAGE;  // cut text is pixels
    return piece;
}

HDIB FlattenedForClipboard(const ClipboardLayer& piece)
{
    const HDIB& source = piece.layer.image.read();
    const HDIB& mask = piece.layer.mask.read();
    if (!source || !mask || mask.width() != source.width() || mask.height() != source.height())
        return {};
    HDIB wide = source.bitCount() == 24 ? HDIB{} : DibPromoteTo24(source);
    const HDIB& colour = wide ? wide : source;
    if (colour.bitCount() != 24)
        return {};
    HDIB flat = AllocatePicture(colour.width(), colour.height(), 24, 0);
    if (!flat)
        return {};
    flat.header().biXPelsPerMeter = source.header().biXPelsPerMeter;
    flat.header().biYPelsPerMeter = source.header().biYPelsPerMeter;
    for (int y = 0; y < colour.height(); ++y) {
        const std::uint8_t* src = colour.row(y);
        const std::uint8_t* cover = mask.row(y);
        std::uint8_t* out = flat.row(y);
        for (int x = 0; x < colour.width(); ++x) {
            const int a = cover[x];
            for (int c = 0; c < 3; ++c)
                out[3 * x + c] = std::uint8_t((src[3 * x + c] * a + 255 * (255 - a) + 127) / 255);
        }
    }
    return flat;
}

std::string ClipboardText(const ClipboardLayer& piece)
{
    if (piece.layer.kind != LAYER_TEXT || !piece.layer.textObject)
        return {};
    return piece.layer.textObject->text;
}

std::optional<ClipboardLayer> LayerFromPicture(const HDIB& picture)
{
    if (!picture)
        return std::nullopt;
    HDIB image = picture.bitCount() == 24 ? DibDuplicate(picture) : DibPromoteTo24(picture);
    if (!image || image.bitCount() != 24)
        return std::nullopt;
    HDIB mask = MakeGreyFilled(image.width(), image.height(), 255);
    if (!mask)
        return std::nullopt;
    ClipboardLayer piece;
    piece.layer.aspect = LayerAspect(image);
    piece.layer.image = std::move(image);
    piece.layer.mask = std::move(mask);
    piece.layer.visible = true;
    piece.layer.opacity = 100;
    piece.layer.kind = LAYER_IMAGE;
    return piece;
}

std::vector<std::uint8_t> SerializeClipboardLayer(const ClipboardLayer& piece)
{
    const LayerRecord& l = piece.layer;
    const std::string name = LayerNameFrom(l.name);
    std::vector<std::uint8_t> header(kHeaderBytes + name.size(), 0);
    std::uint8_t* h = header.data();
    std::copy(kMagic.begin(), kMagic.end(), h);
    StoreLE32(h + 8, kVersion);
    StoreLE32(h + 12, std::uint32_t(l.x));
    StoreLE32(h + 16, std::uint32_t(l.y));
    StoreLE32(h + 20, (l.linked ? kFlagLinked : 0) | (l.visible ? kFlagVisible : 0) | (l.maskLocked ? kFlagMaskLocked : 0));
    StoreLE32(h + 24, l.opacity);
    StoreLE32(h + 28, l.kind);
    StoreLE32(h + 32, l.reserved);
    for (std::size_t i = 0; i < l.textPlacement.size(); ++i)
        storeLE64(h + kPlacementAt + 8 * i, std::bit_cast<std::uint64_t>(l.textPlacement[i]));
    StoreLE32(h + kNameLengthAt, std::uint32_t(name.size()));
    std::copy(name.begin(), name.end(), h + kHeaderBytes);

    MemorySink sink;
    sink.write(header.data(), header.size());
    std::array<std::uint64_t, 3> positions{};
    PadBlock(sink, 0);
    positions[0] = sink.position();
    if (WriteBmpBlock(sink, l.image.read(), false) != kBlockWritten)
        return {};
    PadBlock(sink, 0);
    positions[1] = sink.position();
    if (WriteBmpBlock(sink, l.mask.read(), false) != kBlockWritten)
        return {};
    if (l.kind == LAYER_TEXT && l.textObject) {
        PadBlock(sink, 0);
        positions[2] = sink.position();
        if (!WriteTextBlock(sink, 0, *l.textObject, l.textPlacement))
            return {};
    }
    std::vector<std::uint8_t> bytes = sink.take();
    for (std::size_t i = 0; i < positions.size(); ++i)
        storeLE64(bytes.data() + kBlocksAt + 8 * i, positions[i]);
    return bytes;
}

std::optional<ClipboardLayer> ParseClipboardLayer(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < kHeaderBytes || !std::equal(kMagic.begin(), kMagic.end(), bytes.begin()) ||
        LoadLE32(bytes.data() + 8) != kVersion)
        return std::nullopt;
    const std::uint8_t* h = bytes.data();
    const std::uint32_t nameLength = LoadLE32(h + kNameLengthAt);
    if (nameLength > kMaxLayerNameBytes || bytes.size() - kHeaderBytes < nameLength)
        return std::nullopt;
    ClipboardLayer piece;
    LayerRecord& l = piece.layer;
    l.x = std::int32_t(LoadLE32(h + 12));
    l.y = std::int32_t(LoadLE32(h + 16));
    const std::uint32_t flags = LoadLE32(h + 20);
    l.linked = flags & kFlagLinked;
    l.visible = flags & kFlagVisible;
    l.maskLocked = flags & kFlagMaskLocked;
    l.opacity = std::min<std::uint32_t>(LoadLE32(h + 24), 100);
    l.kind = LayerKind(LoadLE32(h + 28));
    l.reserved = LoadLE32(h + 32);
    for (std::size_t i = 0; i < l.textPlacement.size(); ++i) {
        const double v = std::bit_cast<double>(loadLE64(h + kPlacementAt + 8 * i));
        l.textPlacement[i] = std::isfinite(v) ? v : 0;
    }
    l.name = LayerNameFromFile({reinterpret_cast<const char*>(h + kHeaderBytes), nameLength});

    MemorySource source(bytes);
    const std::uint64_t imageAt = loadLE64(h + kBlocksAt), maskAt = loadLE64(h + kBlocksAt + 8);
    const std::uint64_t textAt = loadLE64(h + kBlocksAt + 16);
    HDIB image = imageAt < bytes.size() ? ReadPictureBlock(source, imageAt, {kBlockBmp}) : HDIB{};
    if (!image || (image.bitCount() != 24 && image.bitCount() != 8))
        return std::nullopt;
    HDIB mask = maskAt < bytes.size() ? ReadPictureBlock(source, maskAt, {kBlockBmp}) : HDIB{};
    if (!mask || mask.bitCount() != 8 || mask.width() != image.width() || mask.height() != image.height())
        return std::nullopt;
    if (l.kind == LAYER_TEXT) {
        auto text = textAt != 0 && textAt < bytes.size() ? ReadTextBlock(source, textAt) : std::nullopt;
        if (!text)
            return std::nullopt;
        l.textObject = std::make_shared<TextObject>(std::move(*text));
    }
    l.aspect = LayerAspect(image);
    l.image = std::move(image);
    l.mask = std::move(mask);
    return piece;
}

bool PasteLayer(LayerStack& stack, ClipboardLayer piece)
{
    LayerRecord& from = piece.layer;
    if (!from.image || !from.mask || stack.width == 0)
        return false;
    const bool grey = stack.bitCount == 8;
    // A piece nobody else holds gives its pictures up without a copy.
    HDIB image = from.image.release();
    HDIB mask = from.mask.release();
    if (from.kind == LAYER_MASK && image) {
        // The pasted picture masks a white layer.
        mask = HasExactGreyTable(image) ? std::move(image) : ConvertToGrey(image);
        image = mask ? DibCreate(mask.width(), mask.height(), 0xFFFFFFu, grey) : HDIB{};
    }
    if (!image || !mask)
        return false;
    const bool text = from.kind == LAYER_TEXT && from.textObject;
    auto textObject = text ? std::make_shared<TextObject>(*from.textObject) : nullptr;
    const int position = std::clamp(stack.currentLayer, 0, stack.layerCount);
    if (!AddLayer(stack, position, std::move(image), std::move(mask), true, false, std::move(textObject)))
        return false;
    LayerRecord& l = stack.layers[std::size_t(position)];
    if (!from.name.empty())  // a picture from another program keeps the new layer's own name
        l.name = from.name;
    l.linked = from.linked;
    l.visible = from.visible;
    l.maskLocked = from.maskLocked;
    l.reserved = from.reserved;
    l.opacity = std::min<std::uint32_t>(from.opacity, 100);
    l.kind = text ? LAYER_TEXT : LAYER_IMAGE;
    const int width = l.image.read().width(), height = l.image.read().height();
    if (text) {
        l.textPlacement = from.textPlacement;
        l.x = 0;
        l.y = int(stack.height) - height;
    } else if (overlapsDocument(stack, from.x, from.y, width, height)) {
        l.x = from.x;
        l.y = from.y;
    }
    return true;
}

}  // namespace lv
