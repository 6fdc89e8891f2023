#pragma once
// The stroke engine the painting tools share: a press starts a stroke with one dab, each
// move lays dabs from the previous point to the new one by the brush speed, and every dab
// rebuilds the composite over its own rectangle only.

#include "common/ui_service.h"
#include "edit/layer_stack.h"
#include "edit/paint/brush_stamp.h"
#include "edit/paint/paint_options.h"
#include "edit/paint/paint_target.h"
#include "edit/paint/pixel_rules.h"

#include <optional>

namespace lv {

inline constexpr int kUndoPaintStroke = 1067;

enum class PaintKind { Pen, Brush, Airbrush, Smudge, Tone, Focus, Clone, Eraser, RedEye };

struct StrokeSetup {
    PaintKind kind = PaintKind::Brush;
    PaintOptions options;
    RgbTriple colour;
    // Alt (or the right button): darken instead of lighten, sharpen instead of blur.
    bool alternate = false;
    // Clone: where the source lies relative to each painted pixel; none is refused.
    std::optional<Point> cloneOffset;
};

// The dab's side in pixels for the tool and brush size, at most 32.
int DabSize(PaintKind kind, const PaintOptions& options);
// The stamp a tool paints with.
StampKey StampKeyFor(PaintKind kind, const PaintOptions& options);
// How many dabs lie between two points at a speed (1..32) for a dab size.
int DabCount(Point from, Point to, int speed, int dabSize);
// Dab i (1..n) of n between two points: the last one lands on `to`.
Point DabCentre(Point from, Point to, int i, int n);

class PaintStroke {
public:
    // One step of a stroke: `start` on the button press (records undo step 1067 and makes
    // one dab), otherwise a move with the button down. False when the step was refused
    // (with a beep and message) or painted nothing.
    bool step(LayerStack& stack, ui::Service& ui, const StrokeSetup& setup, Point point, bool start);
    // The release: the stroke's state goes.
    void finish();
    bool active() const { return active_; }

    // The composite rectangles rebuilt since the last call, for the window to show.
    std::optional<Rect> takeChanged();
    // Dabs laid by the current (or last) stroke.
    int dabs() const { return dabs_; }
    const StampCache& stamps() const { return stamps_; }

private:
    void dab(LayerStack& stack, const StrokeSetup& setup, const BrushStamp& stamp, Point centre);

    bool active_ = false;
    PaintTarget target_;
    Point previous_;
    SharedPicture startImage_;
    SharedPicture startMask_;
    SmudgeState smudge_;
    StampCache stamps_;
    std::vector<std::uint8_t> stampWeights_;  // the stamp's weights, for dabs nothing cuts
    int stampWeightsBuild_ = 0;
    std::vector<std::uint8_t> weights_;
    HDIB unused_;  // the image the eraser is handed
    std::optional<Rect> changed_;
    int dabs_ = 0;
};

}  // namespace lv
