#include "effects/moving_preview.h"

#include "effects/operation_codes.h"

namespace lv::effects {

double MovingPreviewFraction(int operation)
{
    // Those whose slider step on a 12-megapixel photo fitted into 800 x 600 takes longer
    // than a step may (effects_preview_bench); at half the view's resolution each costs
    // about a quarter.
    switch (operation) {
    case kOpOilPaint:
    case kOpWatercolour:
    case kOpPointillism:
    case kOpPencil:
    case kOpColouredPencil:
    case kOpCartoon:
    case kOpGlowingEdges:
    case kOpZoomBlur:
    case kOpHalftone:
        return 0.5;
    default:
        return 1.0;
    }
}

}  // namespace lv::effects
