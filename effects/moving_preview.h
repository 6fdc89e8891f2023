#pragma once
// How coarse a live preview may be while its slider moves, for the effects too slow to
// follow a thumb at the view's own size.

namespace lv::effects {

// The fraction of the view's resolution a moving slider's frame is computed at: 1 for
// every operation that keeps up at full view size.
double MovingPreviewFraction(int operation);

}  // namespace lv::effects
