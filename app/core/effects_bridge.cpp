#include "app/core/effects_bridge.h"

#include "app/core/view/colours.h"
#include "edit/compositing.h"
#include "edit/undo_hooks.h"
#include "effects/enhance_and_effect.h"
#include "effects/moving_preview.h"
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

// The part of the layer's picture (rows from the top) under the document rectangle.
Rect LayerPart(const LayerStack& stack, const LayerRecord& layer, Rect rect)
{
    const int width = layer.image.width();
    const int height = layer.image.height();
    const int top = int(stack.height) - (layer.y + height);  // the layer's top row in the document
    Rect part{rect.left - layer.x, rect.top - top, rect.right - layer.x, rect.bottom - top};
    part.left = std::clamp(part.left, 0, width);
    part.right = std::clamp(part.right, part.left, width);
    part.top = std::clamp(part.top, 0, height);
    part.bottom = std::clamp(part.bottom, part.top, height);
    return part;
}

// Copies the computed part into `target` over `part`, each picture pixel taking the working
// pixel it falls in; only the rows whose document row (`documentTop` + row) is a multiple of
// `step`.
void Enlarge(const effects::RegionResult& computed, Rect part, HDIB& target, int documentTop, int step)
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
    const std::size_t rowBytes = std::size_t(part.width()) * std::size_t(channels);
    int firstRow = part.top;
    if (step > 1)
        firstRow += ((-(documentTop + part.top)) % step + step) % step;
    const std::uint8_t* previousSource = nullptr;
    const std::uint8_t* previousOut = nullptr;
    for (int y = firstRow; y < part.bottom; y += step) {
        const int w = int(std::int64_t(y) * computed.workHeight / to.height);
        const std::uint8_t* source = from.row(std::clamp(w, computed.area.top, computed.area.bottom - 1) - computed.area.top);
        std::uint8_t* out = to.row(y) + std::size_t(part.left) * std::size_t(channels);
        // Rows enlarged from one working row are alike: the first is copied.
        if (source == previousSource) {
            std::memcpy(out, previousOut, rowBytes);
            continue;
        }
        previousSource = source;
        previousOut = out;
        if (channels == 3) {
            std::uint8_t* o = out;
            for (const int column : columns) {
                o[0] = source[column], o[1] = source[column + 1], o[2] = source[column + 2];
                o += 3;
            }
        } else {
            for (std::size_t i = 0; i < columns.size(); ++i)
                out[i] = source[columns[i]];
        }
    }
}

// The composite over `rect`, or over only its rows that are multiples of `step`.
void CompositeRows(LayerStack& stack, Rect rect, int step)
{
    if (step <= 1) {
        CompositeLayers(stack, rect);
        return;
    }
    for (int row = rect.top + ((-rect.top) % step + step) % step; row < rect.bottom; row += step)
        CompositeLayers(stack, Rect{rect.left, row, rect.right, row + 1});
}

}  // namespace

struct PreviewCache::State {
    SharedPicture picture;  // what `scaled` was made from, kept alive for it
    PictureStamp stamp;
    Rect part;
    double scale = 0;
    int step = 0;
    std::optional<effects::RegionPreview> scaled;
    SharedPicture shown;    // a private copy the preview is written into
    // The coarser copy moving sliders of the slow effects are shown from, made on first use.
    double draftScale = 0;
    std::optional<effects::RegionPreview> draft;

    effects::RegionPreview& draftAt(double s)
    {
        if (!draft || s != draftScale) {
            draft.reset();
            draft.emplace(picture.read(), part, s);
            draftScale = s;
        }
        return *draft;
    }

    bool holds(const SharedPicture& image, Rect p, double s, int st) const
    {
        return scaled && image.matches(stamp) && p == part && s == scale && st == step;
    }
    void reset(const SharedPicture& image, Rect p, double s, int st)
    {
        scaled.reset();
        draft.reset();
        shown = SharedPicture();
        picture = image;
        stamp = image.stamp();
        part = p;
        scale = s;
        step = st;
        scaled.emplace(picture.read(), p, s);
    }
};

PreviewCache::PreviewCache() : state_(std::make_unique<State>()) {}
PreviewCache::~PreviewCache() = default;

void PreviewCache::clear()
{
    state_ = std::make_unique<State>();
}

namespace {

// How much finer than the view a moving slider's frame is computed: 1 is the view itself.
double MovingFraction(const PlannedCall& plan, PreviewPass pass)
{
    return pass == PreviewPass::Moving && plan.effect ? effects::MovingPreviewFraction(plan.call.operation) : 1.0;
}

bool PreviewInto(LayerStack& stack, const AdjustmentChoice& choice, const ShownPart& shownPart, PreviewCache::State& cache,
                 PreviewPass pass)
{
    const Rect rect = shownPart.rect;
    const int step = std::max(1, shownPart.sampleStep);
    const std::optional<PlannedCall> plan = Plan(choice);
    LayerRecord* layer = CurrentLayerWithPicture(stack);
    const Rect part = layer ? LayerPart(stack, *layer, rect) : Rect{};
    if (!plan || part.width() <= 0 || part.height() <= 0) {
        CompositeLayers(stack, rect);
        return false;
    }
    const double scale = std::min(shownPart.scale, 1.0);
    if (!cache.holds(layer->image, part, scale, step))
        cache.reset(layer->image, part, scale, step);
    effects::RegionResult computed;
    {
        const WhiteWhileEffectRuns white(plan->effect);
        const double fraction = MovingFraction(*plan, pass);
        effects::RegionPreview& source = fraction < 1.0 ? cache.draftAt(scale * fraction) : *cache.scaled;
        computed = source.compute(plan->call.operation, plan->call.parameters.data(), std::int32_t(plan->call.parameters.size()));
    }
    if (computed.picture && !cache.shown)
        cache.shown = cache.picture;
    HDIB* target = computed.picture ? cache.shown.tryWrite() : nullptr;
    if (!target) {
        CompositeLayers(stack, rect);
        return false;
    }
    const int layerTop = int(stack.height) - (layer->y + layer->image.height());
    Enlarge(computed, part, *target, layerTop, step);
    std::swap(layer->image, cache.shown);
    CompositeRows(stack, rect, step);
    std::swap(layer->image, cache.shown);
    return true;
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

ShownPart ShownPartOf(const ImageView& view)
{
    const Size doc = view.document();
    const Size client = view.client();
    const Point first = view.documentPoint(0, 0);
    const Point last = view.documentPoint(std::max(client.width - 1, 0), std::max(client.height - 1, 0));
    const auto clampX = [&](int x) { return std::clamp(x, 0, std::max(doc.width - 1, 0)); };
    const auto clampY = [&](int y) { return std::clamp(y, 0, std::max(doc.height - 1, 0)); };
    const int zoom = view.zoom();
    // `last` is the last pixel shown; the rectangle ends one past it.
    return {{clampX(first.x), clampY(first.y), clampX(last.x) + 1, clampY(last.y) + 1},
            zoom >= 0 ? zoom + 1.0 : 1.0 / (1 - zoom),
            zoom >= 0 ? 1 : 1 - zoom};
}

bool PreviewComposite(LayerStack& stack, const AdjustmentChoice& choice, Rect rect, double scale)
{
    PreviewCache::State once;
    return PreviewInto(stack, choice, ShownPart{rect, scale, 1}, once, PreviewPass::Final);
}

bool PreviewComposite(LayerStack& stack, const AdjustmentChoice& choice, const ShownPart& part, PreviewCache& cache,
                      PreviewPass pass)
{
    return PreviewInto(stack, choice, part, cache.state(), pass);
}

bool MovingPreviewIsCoarser(const AdjustmentChoice& choice)
{
    const std::optional<PlannedCall> plan = Plan(choice);
    return plan && MovingFraction(*plan, PreviewPass::Moving) < 1.0;
}

}  // namespace lv
