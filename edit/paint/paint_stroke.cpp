#include "edit/paint/paint_stroke.h"

#include "common/string_table.h"
#include "edit/compositing.h"
#include "edit/selection/selection.h"
#include "edit/undo_hooks.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace lv {

int DabSize(PaintKind kind, const PaintOptions& options)
{
    const int s = std::max(options.brush.size, 1);
    int d = s;
    switch (kind) {
    case PaintKind::Brush: d = s + 4; break;
    case PaintKind::Airbrush: d = s + 8; break;
    case PaintKind::Eraser: d = options.eraserSoftEdge ? s + 4 : s; break;
    case PaintKind::Clone: d = options.cloneSoftEdge ? s + 6 : s; break;
    default: break;
    }
    return std::min(d, kLargestDab);
}

StampKey StampKeyFor(PaintKind kind, const PaintOptions& options)
{
    StampKey key;
    key.shape = options.brush.shape;
    key.size = options.brush.size;
    key.custom = options.customShape.get();
    key.weight = options.softness;
    const bool soft = kind == PaintKind::Brush || (kind == PaintKind::Eraser && options.eraserSoftEdge)
                      || (kind == PaintKind::Clone && options.cloneSoftEdge);
    if (soft) {
        key.kind = StampKind::Soft;
    } else if (kind == PaintKind::Airbrush) {
        key.kind = StampKind::Airbrush;
        key.weight = options.airbrushPressure;
    } else {
        key.kind = StampKind::Hard;
        key.size = DabSize(kind, options);
        key.weight = 0;
    }
    return key;
}

int DabCount(Point from, Point to, int speed, int dabSize)
{
    const int distance = std::max(std::abs(to.x - from.x), std::abs(to.y - from.y));
    if (speed <= 1 || distance == 0)
        return 1;
    const double n = distance * std::pow(4.0 * dabSize + 4.0, (speed - 1) / 31.0 - 1.0) + 1.5;
    return std::clamp(int(n), 1, distance);
}

Point DabCentre(Point from, Point to, int i, int n)
{
    // Integer division as the coordinates stay non-negative in practice; floor keeps the
    // rule for points left of or above the document too.
    const auto place = [&](int p, int q) {
        const long long sum = (long long)(n - i) * p + (long long)i * q + n / 2;
        return int(sum >= 0 ? sum / n : -((-sum + n - 1) / n));
    };
    return {place(from.x, to.x), place(from.y, to.y)};
}

namespace {

bool readsStartState(const StrokeSetup& setup)
{
    switch (setup.kind) {
    case PaintKind::Brush: return setup.options.brushTransparency != 0;
    case PaintKind::Airbrush: return setup.options.airbrushTransparency != 0;
    case PaintKind::Tone:
    case PaintKind::Focus:
    case PaintKind::Smudge: return false;
    default: return true;
    }
}

}  // namespace

bool PaintStroke::step(LayerStack& stack, ui::Service& ui, const StrokeSetup& setup, Point point, bool start)
{
    if (start) {
        finish();
        const auto target = PaintableLayer(stack, ui);
        if (!target)
            return false;
        if (setup.kind == PaintKind::Clone && !setup.cloneOffset) {
            ui.showMessage(LoadString(kNoCloneSourceString), ui::kWarningTitle, ui::Icon::Information);
            return false;
        }
        target_ = *target;
        dabs_ = 0;
    } else if (!active_) {
        return false;
    }
    const int d = DabSize(setup.kind, setup.options);
    const Rect& r = target_.rect;
    point.x = std::clamp(point.x, r.left - d / 2, r.right - 1 + d / 2);
    point.y = std::clamp(point.y, r.top - d / 2, r.bottom - 1 + d / 2);
    const BrushStamp& stamp = stamps_.get(StampKeyFor(setup.kind, setup.options));

    if (start) {
        RecordUndoStep(stack, kUndoPaintStroke);
        if (!MakeWorkingCopies(stack, target_)) {
            WithdrawUndoStep(stack);
            return false;
        }
        // Holding the start state makes the first dab copy the whole layer, so only the rules
        // that read it keep it.
        if (readsStartState(setup)) {
            startImage_ = target_.layer->image;
            startMask_ = target_.layer->mask;
        }
        smudge_ = {};
        active_ = true;
        dab(stack, setup, stamp, point);
        previous_ = point;
        return true;
    }
    if (point == previous_) {
        // A resting mouse keeps depositing paint with the brush and the airbrush only.
        if (setup.kind != PaintKind::Brush && setup.kind != PaintKind::Airbrush)
            return false;
        dab(stack, setup, stamp, point);
        return true;
    }
    const int n = DabCount(previous_, point, setup.options.brush.speed, d);
    for (int i = 1; i <= n; ++i)
        dab(stack, setup, stamp, DabCentre(previous_, point, i, n));
    previous_ = point;
    return true;
}

void PaintStroke::dab(LayerStack& stack, const StrokeSetup& setup, const BrushStamp& stamp, Point centre)
{
    const Rect& r = target_.rect;
    const int left = centre.x - stamp.size / 2 - r.left;
    const int top = centre.y - stamp.size / 2 - r.top;
    const int width = r.right - r.left, height = r.bottom - r.top;
    const Rect clip{std::max(left, 0), std::max(top, 0), std::min(left + stamp.size, width),
                            std::min(top + stamp.size, height)};
    ++dabs_;
    if (clip.left >= clip.right || clip.top >= clip.bottom)
        return;

    // The soft stamps stay far below 255 at the usual weights (44 for the brush, 6 for the
    // airbrush): their values are the weights, full at 64, so a dab lays part of the colour
    // and overlapping dabs build it up; hard stamps are full everywhere.
    const bool whole = clip == Rect{left, top, left + stamp.size, top + stamp.size} && stack.selectionActive == 0;
    if (stampWeightsBuild_ != stamps_.builds()) {
        stampWeights_.resize(stamp.alpha.size());
        std::transform(stamp.alpha.begin(), stamp.alpha.end(), stampWeights_.begin(),
                       [](std::uint8_t a) { return std::min<std::uint8_t>(a, 64); });
        stampWeightsBuild_ = stamps_.builds();
    }
    if (!whole) {
        weights_.assign(stamp.alpha.size(), 0);
        for (int y = clip.top; y < clip.bottom; ++y)
            for (int x = clip.left; x < clip.right; ++x) {
                const std::size_t cell = std::size_t((y - top) * stamp.size + (x - left));
                if (stampWeights_[cell] != 0 && SelectionAllows(stack, x + r.left, y + r.top))
                    weights_[cell] = stampWeights_[cell];
            }
    }

    const PaintOptions& o = setup.options;
    // The eraser leaves the image alone, so it is not copied away from the undo step.
    HDIB& image = setup.kind == PaintKind::Eraser ? unused_ : target_.layer->image.write();
    HDIB& mask = target_.layer->mask.write();
    // Rules that don't read the start state are handed the layer itself in its place.
    Dab dab{image, mask, startImage_ ? startImage_.read() : image, startMask_ ? startMask_.read() : mask,
            target_.layer->maskLocked, target_.grey ? 1 : 3, LayerColour(setup.colour, target_.grey),
            left, top, stamp.size, clip, whole ? stampWeights_.data() : weights_.data()};
    switch (setup.kind) {
    case PaintKind::Pen: PenDab(dab, o.penTransparency); break;
    case PaintKind::Brush: BrushDab(dab, o.brushTransparency); break;
    case PaintKind::Airbrush: BrushDab(dab, o.airbrushTransparency); break;
    case PaintKind::Eraser: EraserDab(dab, o.eraserIntensity, o.eraserSoftEdge); break;
    case PaintKind::Tone: ToneDab(dab, o.strength, o.darken != setup.alternate); break;
    case PaintKind::Focus: FocusDab(dab, o.strength, o.sharpen != setup.alternate); break;
    case PaintKind::RedEye: RedEyeDab(dab); break;
    case PaintKind::Clone: CloneDab(dab, setup.cloneOffset->x, setup.cloneOffset->y); break;
    case PaintKind::Smudge: SmudgeDab(dab, o.strength, smudge_); break;
    }

    const Rect area{clip.left + r.left, clip.top + r.top, clip.right + r.left, clip.bottom + r.top};
    RefreshWorkingCopies(stack, target_, area);
    CompositeLayers(stack, area);
    changed_ = changed_ ? UniteRects(*changed_, area) : area;
}

void PaintStroke::finish()
{
    active_ = false;
    startImage_.reset();
    startMask_.reset();
    smudge_ = {};
}

std::optional<Rect> PaintStroke::takeChanged()
{
    return std::exchange(changed_, std::nullopt);
}

}  // namespace lv
