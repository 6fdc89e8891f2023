#pragma once
// The enhancement and effects panels' side of the effects library: the current layer's
// picture goes in and the result becomes the layer's picture with one undo step, or a
// preview that never touches the history and always gives the original picture back.

#include "app/core/view/image_view.h"
#include "common/geometry.h"
#include "edit/layer_stack.h"

#include <array>
#include <memory>
#include <span>

namespace lv {

inline constexpr int kUndoEffect = 1039;
inline constexpr int kEnhancementModeNone = -1;

// The undo kind of enhancement mode 0–7; -1 for any other mode.
int EnhancementUndoKind(int mode);

// What the open panel would apply: an enhancement mode with its sliders, or an effect with
// its strength (the slider itself; the relief effect's inversion happens on the way in).
struct AdjustmentChoice {
    enum class Kind { None, Enhancement, Effect };
    Kind kind = Kind::None;
    int mode = kEnhancementModeNone;
    std::array<int, 3> sliders{50, 50, 50};
    int operation = 0;
    int strength = 50;
};

// Runs the operation on the current layer's picture. Not previewing: one undo step of the
// operation's kind, the result as the layer's picture, the composite rebuilt, the document
// modified. Previewing: the result replaces the layer's picture with no undo and no
// composite; the caller puts the old picture back. False, with nothing changed, when the
// document has no layer, the operation is unknown or the library gives nothing.
bool ApplyEnhancement(LayerStack& stack, int mode, std::span<const int> sliders, bool preview);
bool ApplyEffect(LayerStack& stack, int operation, int parameter, bool preview);
bool ApplyAdjustment(LayerStack& stack, const AdjustmentChoice& choice, bool preview);

// What a window shows of its document: the rectangle, the scale
// (view pixels per document pixel) and, when the view shrinks the picture, the step between
// the document rows and columns it samples (every one otherwise).
struct ShownPart {
    Rect rect;
    double scale = 1;
    int sampleStep = 1;
};
ShownPart ShownPartOf(const ImageView& view);

// What previews of one window keep from one update to the next while the picture, the
// shown part and the scale stay the same: the picture scaled to the view and the copy the
// preview is written into. A slider move then costs the operation at the view's size.
class PreviewCache {
public:
    PreviewCache();
    ~PreviewCache();
    PreviewCache(const PreviewCache&) = delete;
    PreviewCache& operator=(const PreviewCache&) = delete;
    // Lets go of the pictures (the screen closed).
    void clear();

    struct State;  // opaque outside the bridge
    State& state() { return *state_; }

private:
    std::unique_ptr<State> state_;
};

// The composite while a panel is open: `rect` shows
// the choice applied to the current layer, the layer keeps its own picture. `scale` is view
// pixels per document pixel: below 1 only the shown part is computed, on a scaled copy, and
// enlarged back, which looks the same at that scale. False when nothing could be previewed
// (the plain composite is shown instead).
bool PreviewComposite(LayerStack& stack, const AdjustmentChoice& choice, Rect rect, double scale = 1.0);
// A frame while a slider is moving, or the one it settles on. Moving frames of the slowest
// effects are computed coarser than the view so they keep up with the thumb; the frame a
// slider settles on is always the exact one.
enum class PreviewPass { Final, Moving };

// The same for a window's shown part, keeping what the next update can use in `cache`.
// With a sample step above 1 only the rows the view samples are composited; the others
// keep the plain composite until the preview ends (RebuildComposite).
bool PreviewComposite(LayerStack& stack, const AdjustmentChoice& choice, const ShownPart& part, PreviewCache& cache,
                      PreviewPass pass = PreviewPass::Final);
// Whether moving frames of this choice are coarser, so a final frame must follow them.
bool MovingPreviewIsCoarser(const AdjustmentChoice& choice);

}  // namespace lv
