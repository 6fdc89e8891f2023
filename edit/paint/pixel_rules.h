#pragma once
// What each painting tool does to the pixels of one dab. Each rule has its own file.

#include "edit/paint/dab.h"

#include <vector>

namespace lv {

// Brush and airbrush: the colour laid over the pixel by the weight; `transparency` (percent)
// keeps the stroke from covering what was there more than that allows.
void BrushDab(const Dab& dab, int transparency);

// Pen: the hard shape in the colour, from the values the stroke found, so overlapping
// dabs of one stroke do not build up.
void PenDab(const Dab& dab, int transparency);

// Eraser: only the mask changes. `intensity` in percent; with `softEdge` the stamp's
// weights fade the edge.
void EraserDab(const Dab& dab, int intensity, bool softEdge);

// Lighten (or darken) toward white (black) by `strength` percent at full weight.
void ToneDab(const Dab& dab, int strength, bool darken);

// Blur with a 3 × 3 box, or sharpen by the difference from it (unsharp mask).
void FocusDab(const Dab& dab, int strength, bool sharpen);

// Red-eye removal: where red clearly dominates, red comes down toward the mean of green and
// blue by the dab's weight; every other pixel stays exactly as it was.
inline constexpr int kRedEyeLeastRed = 80;
// Red above kRedEyeLeastRed and above 1.5 times both green and blue.
bool RedClearlyDominates(int red, int green, int blue);
void RedEyeDab(const Dab& dab);

// Clone: the pixels of the stroke's start state `dx`, `dy` away from each pixel.
void CloneDab(const Dab& dab, int dx, int dy);

// Smudge: blends the paint the finger carries (`carried`, the dab's size, channels of the
// layer plus the mask byte per cell) into the pixels, then picks up what it leaves.
struct SmudgeState {
    std::vector<std::uint8_t> carried;  // size × size × 4: channels then mask
    int size = 0;
    bool loaded = false;
};
void SmudgeDab(const Dab& dab, int strength, SmudgeState& state);

}  // namespace lv
