#include "edit/layers.h"

#include "common/string_table.h"
#include "common/text_encoding.h"
#include "edit/layer_pictures.h"
#include "edit/undo_hooks.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/dib_convert.h"
#include "common/warning_messages.h"

#include <algorithm>
#include <string>

namespace lv {
namespace {

// Sets the document fields and makes the blank composite; false when memory runs out.
bool initialiseDocument(LayerStack& stack, int width, int height, int bitCount)
{
    stack.composite = MakeComposite(width, height, bitCount);
    if (!stack.composite)
        return false;
    stack.width = std::uint16_t(width);
    stack.height = std::uint16_t(height);
    stack.bitCount = std::uint16_t(bitCount);
    stack.compositeBitsOffset = std::uint16_t(bitCount == 8 ? kDib8PixelOffset : kDibHeaderSize);
    return true;
}

// A document for `picture`, whose resolution it takes.
bool initialiseDocument(LayerStack& stack, const HDIB& picture, int bitCount)
{
    if (!initialiseDocument(stack, picture.width(), picture.height(), bitCount))
        return false;
    const BitmapInfoHeader& h = picture.header();
    stack.composite.header().biXPelsPerMeter = h.biXPelsPerMeter;
    stack.composite.header().biYPelsPerMeter = h.biYPelsPerMeter;
    stack.xResolution = std::uint16_t(h.biXPelsPerMeter);
    stack.yResolution = std::uint16_t(h.biYPelsPerMeter);
    return true;
}

LayerRecord newRecord(HDIB image, HDIB mask, std::string name, std::int32_t y)
{
    LayerRecord record;
    record.aspect = LayerAspect(image);
    record.image = std::move(image);
    record.mask = std::move(mask);
    record.y = y;
    record.name = std::move(name);
    record.visible = true;
    record.opacity = 100;
    return record;
}

}  // namespace

double LayerAspect(const HDIB& image)
{
    if (!image)
        return 0;
    return double(image.width()) / double(image.height() < 2 ? 1 : image.height());
}

std::string LayerNameFrom(std::string_view text)
{
    text = text.substr(0, text.find('\0'));
    if (text.size() <= kMaxLayerNameBytes)
        return std::string(text);
    std::size_t end = kMaxLayerNameBytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return std::string(text.substr(0, end));
}

std::string LayerNameFromFile(std::string_view bytes)
{
    bytes = bytes.substr(0, bytes.find('\0'));
    if (IsValidUtf8(TruncateUtf8(bytes, kMaxLayerNameBytes)))
        return LayerNameFrom(bytes);
    return LayerNameFrom(Windows1252ToUtf8(bytes));
}

std::unique_ptr<LayerStack> CreateEmptyLayerStack(int width, int height, int bitCount)
{
    auto stack = std::make_unique<LayerStack>();
    if ((bitCount != 8 && bitCount != 24) || !initialiseDocument(*stack, width, height, bitCount))
        return nullptr;
    return stack;
}

std::unique_ptr<LayerStack> CreateLayerStackFromImage(HDIB image)
{
    if (!image)
        return nullptr;
    const bool grey = DibGetType(image) == IMG_GREY8;
    if (!grey && image.bitCount() != 24) {
        image = DibPromoteTo24(image);
        if (!image)
            return nullptr;
    }
    auto stack = std::make_unique<LayerStack>();
    HDIB mask = MakeGreyFilled(image.width(), image.height(), 255);
    if (!mask || !initialiseDocument(*stack, image, grey ? 8 : 24))
        return nullptr;
    stack->layers[0] = newRecord(std::move(image), std::move(mask), std::string(LoadString(kBackgroundNameString)), 0);
    stack->layerCount = 1;
    return stack;
}

int ConvertImageToLayerStack(LayerStack& stack, const HDIB& image)
{
    const bool grey = HasExactGreyTable(image);
    if (stack.layerCount != 0 || !image || (!grey && image.bitCount() != 24))
        return -1;
    HDIB copy = DibDuplicate(image);
    HDIB mask = copy ? MakeGreyFilled(image.width(), image.height(), 255) : HDIB{};
    if (!mask || !initialiseDocument(stack, image, grey ? 8 : 24))
        return -2;
    stack.layers[0] = newRecord(std::move(copy), std::move(mask), "layer1", 0);
    stack.layerCount = 1;
    stack.currentLayer = 0;
    return 0;
}

int InsertLayer(LayerStack& stack, HDIB& image, HDIB& mask, int position, bool keep8Bit,
                std::shared_ptr<TextObject> textObject, LayerLimit limit)
{
    if (!image || position < 0)
        return kInsertBadArgument;
    if (stack.layerCount >= (limit == LayerLimit::Ordinary ? kOrdinaryLayerLimit : kMaxLayers)) {
        ShowStringMessage(kStackFullString);
        return kInsertStackFull;
    }
    position = std::min(position, int(stack.layerCount));
    if (image.bitCount() != 8 && image.bitCount() != 24)
        return kInsertBadDepth;
    if (mask && (mask.bitCount() != 8 || mask.width() != image.width() || mask.height() != image.height()))
        return kInsertBadDepth;

    const bool grey = stack.bitCount == 8 || keep8Bit;
    HDIB converted;
    if (!HasLayerDepth(image, grey)) {
        converted = ConvertLayerDepth(image, grey);
        if (!converted)
            return kInsertBadDepth;
    }
    HDIB newMask;
    if (!mask) {
        newMask = MakeGreyFilled(image.width(), image.height(), 255);
        if (!newMask)
            return kInsertNoMask;
    }

    // Nothing can fail from here on: the stack takes the pictures.
    HDIB layerImage = converted ? std::move(converted) : std::move(image);
    image.reset();
    HDIB layerMask = newMask ? std::move(newMask) : std::move(mask);
    if (stack.composite)
        layerImage.header().biXPelsPerMeter = stack.composite.header().biXPelsPerMeter;
    const std::int32_t y = std::int32_t(stack.height) - layerImage.height();
    LayerRecord record = newRecord(std::move(layerImage), std::move(layerMask), "layer" + std::to_string(stack.layerCount + 1), y);
    record.kind = textObject ? LAYER_TEXT : LAYER_IMAGE;
    record.textObject = std::move(textObject);
    PutLayerRecord(stack, position, std::move(record));
    if (stack.currentLayer >= position && stack.layerCount >= 2)
        ++stack.currentLayer;
    return kInsertOk;
}

bool AddLayer(LayerStack& stack, int position, HDIB image, HDIB mask, bool recordUndo, bool keep8Bit,
              std::shared_ptr<TextObject> textObject)
{
    if (position < 0 || position > stack.layerCount)
        return false;
    const bool recorded = recordUndo && RecordUndoStep(stack, kUndoLayerAdd, {position});
    if (InsertLayer(stack, image, mask, position, keep8Bit, std::move(textObject)) != kInsertOk) {
        if (recorded)
            WithdrawUndoStep(stack);
        return false;
    }
    stack.currentLayer = position;
    if (recordUndo) {
        ClearSelection(stack);
        LayerRecord& record = stack.layers[std::size_t(position)];
        record.x = (std::int32_t(stack.width) - record.image.width()) / 2;
        record.y = (std::int32_t(stack.height) - record.image.height()) / 2;
    }
    return true;
}

bool DeleteLayer(LayerStack& stack, int index, bool recordUndo)
{
    if (!IsLayerIndex(stack, index))
        return false;
    if (recordUndo) {
        RecordUndoStep(stack, kUndoLayerDelete, {index});
        ClearSelection(stack);
    }
    TakeLayerRecord(stack, index);
    stack.currentLayer = std::max(stack.currentLayer - 1, 0);
    return true;
}

bool MoveLayer(LayerStack& stack, int from, int to, bool recordUndo)
{
    if (!IsLayerIndex(stack, from) || !IsLayerIndex(stack, to))
        return false;
    if (recordUndo)
        RecordUndoStep(stack, kUndoLayerMove, {from, to});
    auto& layers = stack.layers;
    int& current = stack.currentLayer;
    if (to < from) {
        std::rotate(layers.begin() + to, layers.begin() + from, layers.begin() + from + 1);
        if (current == from)
            current = to;
        else if (current >= to && current < from)
            ++current;
    } else if (to > from) {
        std::rotate(layers.begin() + from, layers.begin() + from + 1, layers.begin() + to + 1);
        if (current == from)
            current = to;
        else if (current > from && current <= to)
            --current;
    }
    return true;
}

LayerRecord TakeLayerRecord(LayerStack& stack, int index)
{
    LayerRecord record = std::move(stack.layers[std::size_t(index)]);
    std::rotate(stack.layers.begin() + index, stack.layers.begin() + index + 1, stack.layers.begin() + stack.layerCount);
    stack.layers[std::size_t(stack.layerCount - 1)] = LayerRecord{};
    --stack.layerCount;
    return record;
}

void PutLayerRecord(LayerStack& stack, int index, LayerRecord record)
{
    std::rotate(stack.layers.begin() + index, stack.layers.begin() + stack.layerCount,
                stack.layers.begin() + stack.layerCount + 1);
    stack.layers[std::size_t(index)] = std::move(record);
    ++stack.layerCount;
}

}  // namespace lv
