#include "app/core/effects_bridge.h"

#include "app/core/colours.h"
#include "edit/compositing.h"
#include "edit/undo_hooks.h"
#include "effects/enhance_and_effect.h"
#include "effects/region_preview.h"
#include "effects/run_operation.h"
#include "effects/slider_mapping.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace lv {
namespace {

constexpr std::array<int, effects::kEnhancementModeCount> kEnhancementUndoKinds{1111, 1020, 1021, 1090, 1031, 1034, 1025, 1027};

// Effects that look at neighbours; a picture without two pixels each way has none.
bool NeedsNeighbours(int operation)
{
    return operation == 15 || operation == 338 || operation == 594;
}

// Some effects draw with the active colour; while one runs it is white.
class WhiteWhileEffectRuns {
public:
    explicit WhiteWhileEffectRuns(bool effect)
    {
        if (effect) {
            saved_ = ActiveColour();
            SetActiveColour({255, 255, 255});
        }
    }
    ~WhiteWhileEffectRuns()
    {
        if (saved_)
            SetActiveColour(*saved_);
    }
    WhiteWhileEffectRuns(const WhiteWhileEffectRuns&) = delete;
    WhiteWhileEffectRuns& operator=(const WhiteWhileEffectRuns&) = delete;

private:
    std::optional<RgbTriple> saved_;
};

struct PlannedCall {
    effects::OperationCall call;
    int undoKind = 0;
    bool effect = false;
};

std::optional<PlannedCall> Plan(const AdjustmentChoice& choice)
{
    switch (choice.kind) {
    case AdjustmentChoice::Kind::Enhancement:
        if (auto call = effects::EnhancementCall(choice.mode, choice.sliders))
            return PlannedCall{std::move(*call), EnhancementUndoKind(choice.mode), false};
        return std::nullopt;
    case AdjustmentChoice::Kind::Effect:
        return PlannedCall{effects::EffectCall(choice.operation, choice.strength), kUndoEffect, true};
    case AdjustmentChoice::Kind::None:
        break;
    }
    return std::nullopt;
}

LayerRecord* CurrentLayerWithPicture(LayerStack& stack)
{
    if (!IsLayerIndex(stack, stack.currentLayer))
        return nullptr;
    LayerRecord& layer = stack.layers[std::size_t(stack.currentLayer)];
    return layer.image ? &layer : nullptr;
}

bool Run(LayerStack& stack, const PlannedCall& plan, bool preview)
{
    LayerRecord* layer = CurrentLayerWithPicture(stack);
    if (!layer)
        return false;
    const HDIB& picture = layer->image.read();
    if (plan.effect && NeedsNeighbours(plan.call.operation) && (picture.width() < 2 || picture.height() < 2))
        return false;
    HDIB result;
    {
        const WhiteWhileEffectRuns white(plan.effect);
        result = effects::DoEnhanceAndEffect(picture, plan.call.operation, plan.call.parameters.data(),
                                             std::int32_t(plan.call.parameters.size()), nullptr);
    }
    if (!result)
        return false;
    if (preview) {
        layer->image = SharedPicture(std::move(result));
        return true;
    }
    // Without a step the change still goes ahead, as for every editing operation.
    RecordUndoStep(stack, plan.undoKind);
    layer->image = SharedPicture(std::move(result));
    CompositeLayers(stack);
    stack.modified = 1;
    return true;
}

// The part of the layer's picture (top-down, right and bottom exclusive) under the
// document rectangle (top-down, inclusive).
Rect LayerPart(const LayerStack& stack, const LayerRecord& layer, DocumentRect rect)
{
    const int width = layer.image.width();
    const int height = layer.image.height();
    const int top = int(stack.height) - (layer.y + height);  // the layer's top row in the document
    Rect part{rect.left - layer.x, rect.top - top, rect.right + 1 - layer.x, rect.bottom + 1 - top};
    part.left = std::clamp(part.left, 0, width);
    part.right = std::clamp(part.right, part.left, width);
    part.top = std::clamp(part.top, 0, height);
    part.bottom = std::clamp(part.bottom, part.top, height);
    return part;
}

// Copies the computed part into `target` over `part`, each picture pixel taking the working
// pixel it falls in.
void Enlarge(const effects::RegionResult& computed, Rect part, HDIB& target)
{
    const effects::ConstRaster from = effects::ViewOf(computed.picture);
    const effects::Raster to = effects::ViewOf(target);
    const int channels = to.channels;
    const auto workColumn = [&](int x) {
        const int w = int(std::int64_t(x) * computed.workWidth / to.width);
        return std::clamp(w, computed.area.left, computed.area.right - 1) - computed.area.left;
    };
    std::vector<int> columns(std::size_t(part.width()));
    for (int x = part.left; x < part.right; ++x)
        columns[std::size_t(x - part.left)] = workColumn(x) * channels;
    for (int y = part.top; y < part.bottom; ++y) {
        const int w = int(std::int64_t(y) * computed.workHeight / to.height);
        const std::uint8_t* source = from.row(std::clamp(w, computed.area.top, computed.area.bottom - 1) - computed.area.top);
        std::uint8_t* out = to.row(y) + std::size_t(part.left) * std::size_t(channels);
        for (const int column : columns) {
            std::memcpy(out, source + column, std::size_t(channels));
            out += channels;
        }
    }
}

}  // namespace

int EnhancementUndoKind(int mode)
{
    if (mode < 0 || mode >= int(kEnhancementUndoKinds.size()))
        return -1;
    return kEnhancementUndoKinds[std::size_t(mode)];
}

bool ApplyEnhancement(LayerStack& stack, int mode, std::span<const int> sliders, bool preview)
{
    AdjustmentChoice choice{AdjustmentChoice::Kind::Enhancement, mode};
    std::copy_n(sliders.begin(), std::min(sliders.size(), choice.sliders.size()), choice.sliders.begin());
    return ApplyAdjustment(stack, choice, preview);
}

bool ApplyEffect(LayerStack& stack, int operation, int parameter, bool preview)
{
    AdjustmentChoice choice;
    choice.kind = AdjustmentChoice::Kind::Effect;
    choice.operation = operation;
    choice.strength = parameter;
    return ApplyAdjustment(stack, choice, preview);
}

bool ApplyAdjustment(LayerStack& stack, const AdjustmentChoice& choice, bool preview)
{
    const std::optional<PlannedCall> plan = Plan(choice);
    return plan && Run(stack, *plan, preview);
}

bool PreviewComposite(LayerStack& stack, const AdjustmentChoice& choice, DocumentRect rect, double scale)
{
    const std::optional<PlannedCall> plan = Plan(choice);
    LayerRecord* layer = CurrentLayerWithPicture(stack);
    const Rect part = layer ? LayerPart(stack, *layer, rect) : Rect{};
    if (!plan || part.width() <= 0 || part.height() <= 0) {
        CompositeLayers(stack, rect);
        return false;
    }
    const SharedPicture original = layer->image;
    effects::RegionResult computed;
    {
        const WhiteWhileEffectRuns white(plan->effect);
        computed = effects::ComputeRegion(original.read(), plan->call.operation, plan->call.parameters.data(),
                                          std::int32_t(plan->call.parameters.size()), part, std::min(scale, 1.0));
    }
    SharedPicture shown = original;
    HDIB* target = computed.picture ? shown.tryWrite() : nullptr;
    if (!target) {
        CompositeLayers(stack, rect);
        return false;
    }
    Enlarge(computed, part, *target);
    layer->image = std::move(shown);
    CompositeLayers(stack, rect);
    layer->image = original;
    return true;
}

}  // namespace lv
