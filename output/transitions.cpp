#include "output/transitions.h"

#include "output/transition_families.h"

namespace lv {

namespace {

class NothingToDraw final : public Transition {
public:
    int stepCount() const override { return 1; }
    void draw(int, int, SlideBlitter&) override {}
};

// Beyond this the runs of pixels would not fit their 16-bit places: no screen is that large.
constexpr int kLargestSteppedSide = 65535;

int reduceVariant(int index, int variant)
{
    const int low = LowestVariant(index), high = HighestVariant(index);
    if (index == kCurtain)
        return variant >= 0 && variant <= high ? variant : low + (((variant - 1) % high) + high) % high;
    const int n = high - low + 1;
    return ((variant % n) + n) % n;
}

}  // namespace

std::unique_ptr<Transition> MakeTransition(TransitionChoice choice, int width, int height, ShowRandom& random)
{
    if (width < 1 || height < 1)
        return std::make_unique<NothingToDraw>();
    const int w = width, h = height;
    if (w > kLargestSteppedSide || h > kLargestSteppedSide)
        return MakeCurtain(0, w, h);
    if (choice.index <= kRandomChoice || choice.index >= kTransitionCount || choice.index == kNoTransition)
        return MakeCurtain(0, w, h);
    const int v = reduceVariant(choice.index, choice.variant);
    switch (choice.index) {
    case kBoxInOut: return MakeBoxInOut(v, w, h);
    case kCircularWeb: return MakeCircularWeb(v, w, h);
    case kCircular: return MakeCircular(v, w, h);
    case kCornerIn: return MakeCornerIn(v, w, h);
    case kCurtain: return MakeCurtain(v, w, h);
    case kRaiseCurtains: return MakeRaiseCurtains(v, w, h);
    case kDiagonalIn: return MakeDiagonalIn(v, w, h);
    case kTwoDiagonalPasses: return MakeDiagonalPasses(true, v, w, h);
    case kExpandDissolve: return MakeExpandDissolve(v, w, h, random);
    case kInterlace: return MakeInterlace(v, w, h);
    case kMoveIn: return MakeMoveIn(v, w, h);
    case kRandomCircles: return MakeRandomCircles(v, w, h, random);
    case kRandomCross: return MakeRandomCross(v, w, h, random);
    case kDiagonalPassesMore: return MakeDiagonalPasses(false, v, w, h);
    case kRandomFall: return MakeRandomFall(v, w, h, random);
    case kRandomExpansion: return MakeRandomExpansion(v, w, h, random);
    case kRandomRain: return MakeRandomRain(v, w, h, random);
    case kRandomLines: return MakeRandomLines(v, w, h, random);
    case kRandomMovement: return MakeRandomMovement(v, w, h, random);
    case kRandomMotionCurve: return MakeRandomMotionCurve(v, w, h, random);
    case kRandomRays: return MakeRandomRays(v, w, h, random);
    case kRandomSpeedMovement: return MakeRandomSpeedMovement(v, w, h, random);
    case kRandomCrosswise: return MakeRandomCrosswise(w, h, random);
    case kRandomWindowPopup: return MakeWindowPopup(v, w, h, random);
    case kWrapper: return MakeWrapper(v, w, h);
    case kSpiral: return MakeSpiral(v, w, h);
    case kStarOut: return MakeStarOut(w, h);
    case kGrid: return MakeGrid(v, w, h, random);
    case kTransparent: return MakeTransparent(w, h);
    case kTwoWayInterlace: return MakeTwoWayInterlace(v, w, h);
    case kWindowBlade: return MakeWindowBlade(v, w, h);
    case kWipe: return MakeWipe(v, w, h);
    case kCheckerboard: return MakeCheckerboard(v, w, h);
    default: return MakeCurtain(0, w, h);
    }
}

}  // namespace lv
