#include "edit/text_layer/text_layer.h"

#include "edit/compositing.h"
#include "edit/layer_pictures.h"
#include "edit/layers.h"
#include "edit/placement/layer_render.h"
#include "edit/placement/placement_matrix.h"
#include "edit/text_render/text_renderer.h"
#include "edit/undo_hooks.h"
#include "imagelib/dib_geometry.h"
#include "common/warning_messages.h"

#include <algorithm>

namespace lv {
namespace {

// At most `limit` bytes, never ending inside a UTF-8 character.
std::string CutOnCharacter(const std::string& text, std::size_t limit)
{
    if (text.size() <= limit)
        return text;
    std::size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

struct Lettering {
    HDIB colour;    // the document's depth
    HDIB coverage;  // 8-bit, same size
    int code = kTextLayerOk;
};

Lettering DrawLettering(FontLibrary& fonts, const TextLayerSettings& settings, bool grey)
{
    Lettering out;
    if (!fonts.face(settings.font)) {
        out.code = kTextLayerRenderFailed;
        return out;
    }
    RenderedText rendered = RenderText(fonts, CutOnCharacter(settings.text, TextLayerSettings::kMaxTextBytes),
                                       settings.font, settings.style);
    if (!rendered.coverage || rendered.coverage.width() <= 0 || rendered.coverage.height() <= 0) {
        out.code = kTextLayerRefused;
        return out;
    }
    HDIB colour = DibCreate(rendered.coverage.width(), rendered.coverage.height(), settings.colour & 0xFFFFFF, false);
    if (colour && grey)
        colour = ConvertLayerDepth(colour, true);
    if (!colour) {
        out.code = kTextLayerNoImage;
        return out;
    }
    out.colour = std::move(colour);
    out.coverage = std::move(rendered.coverage);
    return out;
}

// The offsets as the top-left corner of a layer, rows counted from the document's top.
void StoreOffsets(TextObject& object, const LayerStack& stack, const LayerRecord& record)
{
    object.words[kTextOffsetXWord] = std::uint32_t(record.x);
    object.words[kTextOffsetYWord] = std::uint32_t(std::int32_t(stack.height) - record.y - record.image.height());
}

int CreateTextLayer(LayerStack& stack, FontLibrary& fonts, const TextLayerSettings& settings)
{
    if (stack.layerCount >= kOrdinaryLayerLimit) {
        ShowStringMessage(kStackFullString);
        return kTextLayerRefused;
    }
    Lettering lettering = DrawLettering(fonts, settings, stack.bitCount == 8);
    if (lettering.code != kTextLayerOk)
        return lettering.code;
    const int height = lettering.colour.height();
    auto object = std::make_shared<TextObject>(MakeToolTextObject(settings));

    const bool recorded = RecordUndoStep(stack, kUndoLayerAdd, {0});
    if (InsertLayer(stack, lettering.colour, lettering.coverage, 0, false, object) != kInsertOk) {
        if (recorded)
            WithdrawUndoStep(stack);
        return kTextLayerNoMask;
    }
    LayerRecord& record = stack.layers[0];
    record.x = settings.left;
    record.y = std::int32_t(stack.height) - height - settings.top;
    record.maskLocked = true;
    record.textPlacement = {};
    record.kind = LAYER_TEXT;
    stack.currentLayer = 0;
    CompositeLayers(stack);
    return kTextLayerOk;
}

// New lettering through a placed layer's matrix, so that a resized or turned text layer keeps
// its shape when its words change; the matrix's translation only places the result.
std::optional<RenderedLayer> PlaceLettering(const Lettering& lettering, const Placement& m,
                                            const std::shared_ptr<TextObject>& object)
{
    LayerRecord probe;
    probe.kind = LAYER_TEXT;
    probe.textObject = object;
    return RenderLayerFromSource(probe, lettering.colour, lettering.coverage, m, 0);
}

int EditTextLayer(LayerStack& stack, FontLibrary& fonts, const TextLayerSettings& settings)
{
    if (!IsLayerIndex(stack, stack.currentLayer))
        return kTextLayerRefused;
    LayerRecord& record = stack.layers[std::size_t(stack.currentLayer)];
    if (record.kind != LAYER_TEXT || !record.textObject)
        return kTextLayerRefused;
    Lettering lettering = DrawLettering(fonts, settings, stack.bitCount == 8);
    if (lettering.code != kTextLayerOk)
        return lettering.code;

    // A new object, not the old one overwritten: the undo step still shares the old one.
    auto updated = std::make_shared<TextObject>(MakeToolTextObject(settings));
    const bool placed = !IsUnplaced(record.textPlacement);
    RenderedLayer rendered;
    if (placed) {
        auto render = PlaceLettering(lettering, record.textPlacement, updated);
        if (!render)
            return kTextLayerNoImage;
        rendered = std::move(*render);
    } else {
        rendered.image = std::move(lettering.colour);
        rendered.mask = std::move(lettering.coverage);
    }

    const std::int32_t top = std::int32_t(stack.height) - record.y - record.image.height();
    const std::int32_t width = rendered.image.width();
    const std::int32_t height = rendered.image.height();
    RecordUndoStep(stack, kUndoTextLayerEdit, {stack.currentLayer});
    // The top-left corner stays where it was, inside the document as far as the lettering fits.
    const std::int32_t left = std::clamp(record.x, 0, std::max(0, std::int32_t(stack.width) - width));
    const std::int32_t newTop = std::clamp(top, 0, std::max(0, std::int32_t(stack.height) - height));
    record.aspect = LayerAspect(rendered.image);
    record.image = std::move(rendered.image);
    record.mask = std::move(rendered.mask);
    record.imageBlock.reset();
    record.x = left;
    record.y = std::int32_t(stack.height) - height - newTop;
    if (placed) {
        // Later resizes and turns start from the new lettering, through a matrix that puts it here.
        record.textPlacement =
            Compose(TranslatePlacement(left - rendered.placed.left, newTop - rendered.placed.top), record.textPlacement);
        record.sourceImage = std::make_shared<HDIB>(std::move(lettering.colour));
        record.sourceMask = std::make_shared<HDIB>(std::move(lettering.coverage));
    } else {
        record.sourceImage.reset();
        record.sourceMask.reset();
    }
    StoreOffsets(*updated, stack, record);
    std::copy_n(record.textObject->words.begin() + TextObject::kPlacementFirstWord, TextObject::kPlacementWordCount,
                updated->words.begin() + TextObject::kPlacementFirstWord);
    record.textObject = std::move(updated);
    CompositeLayers(stack);
    return kTextLayerOk;
}

}  // namespace

TextObject MakeToolTextObject(const TextLayerSettings& settings)
{
    TextObject object;
    object.text = CutOnCharacter(settings.text, TextLayerSettings::kMaxTextBytes);
    object.words[0] = TextObject::kObjectBytes;
    object.words[1] = TextObject::kStringBlockGrain;
    StoreLogFont(object, settings.font);
    object.words[TextObject::kColourWord] = settings.colour & 0xFFFFFF;
    StoreTextStyle(object, settings.style);
    object.words[TextObject::kFlagsWord] &= ~0xFu;
    object.words[kTextOffsetXWord] = std::uint32_t(settings.left);
    object.words[kTextOffsetYWord] = std::uint32_t(settings.top);
    return object;
}

TextLayerSettings SettingsOfTextObject(const TextObject& object)
{
    TextLayerSettings settings;
    settings.text = object.text;
    settings.font = LogFontOfObject(object);
    settings.style = TextStyleOfObject(object);
    settings.colour = object.words[TextObject::kColourWord] & 0xFFFFFF;
    settings.left = std::int32_t(object.words[kTextOffsetXWord]);
    settings.top = std::int32_t(object.words[kTextOffsetYWord]);
    return settings;
}

int CreateOrUpdateTextLayer(LayerStack* stack, FontLibrary& fonts, const TextLayerSettings& settings, bool editing)
{
    if (!stack)
        return kTextLayerRefused;
    return editing ? EditTextLayer(*stack, fonts, settings) : CreateTextLayer(*stack, fonts, settings);
}

}  // namespace lv
