#pragma once
// The makers of each transition, grouped by the shape of their motion. Each takes a variant
// within its range, the slide's size (at least 1 x 1) and the show's random numbers.

#include "output/show_random.h"
#include "output/transition.h"

#include <memory>

namespace lv {

using TransitionPtr = std::unique_ptr<Transition>;

// Lines and rings: transition_lines.cpp
TransitionPtr MakeCurtain(int variant, int width, int height);
TransitionPtr MakeInterlace(int variant, int width, int height);
TransitionPtr MakeRandomLines(int variant, int width, int height, ShowRandom& random);
TransitionPtr MakeWindowBlade(int variant, int width, int height);
TransitionPtr MakeTwoWayInterlace(int variant, int width, int height);
TransitionPtr MakeBoxInOut(int variant, int width, int height);

// Blocks and rectangles: transition_blocks.cpp
TransitionPtr MakeSpiral(int variant, int width, int height);
TransitionPtr MakeGrid(int variant, int width, int height, ShowRandom& random);
TransitionPtr MakeWindowPopup(int variant, int width, int height, ShowRandom& random);
TransitionPtr MakeExpandDissolve(int variant, int width, int height, ShowRandom& random);
TransitionPtr MakeCheckerboard(int variant, int width, int height);
TransitionPtr MakeCornerIn(int variant, int width, int height);
TransitionPtr MakeRandomExpansion(int variant, int width, int height, ShowRandom& random);

// Round shapes and turning lines: transition_round.cpp
TransitionPtr MakeCircular(int variant, int width, int height);
TransitionPtr MakeCircularWeb(int variant, int width, int height);
TransitionPtr MakeRandomCircles(int variant, int width, int height, ShowRandom& random);
TransitionPtr MakeRandomRays(int variant, int width, int height, ShowRandom& random);
TransitionPtr MakeWipe(int variant, int width, int height);
TransitionPtr MakeStarOut(int width, int height);

// Slanted and curved fronts: transition_fronts.cpp
TransitionPtr MakeDiagonalIn(int variant, int width, int height);
TransitionPtr MakeDiagonalPasses(bool firstRow, int variant, int width, int height);
TransitionPtr MakeWrapper(int variant, int width, int height);
TransitionPtr MakeRandomCross(int variant, int width, int height, ShowRandom& random);
TransitionPtr MakeRaiseCurtains(int variant, int width, int height);
TransitionPtr MakeRandomRain(int variant, int width, int height, ShowRandom& random);

// Ordered dither: transition_dither.cpp
TransitionPtr MakeTransparent(int width, int height);
TransitionPtr MakeRandomCrosswise(int width, int height, ShowRandom& random);

// Pictures that move in: transition_moving.cpp
TransitionPtr MakeMoveIn(int variant, int width, int height);
TransitionPtr MakeRandomMovement(int variant, int width, int height, ShowRandom& random);
TransitionPtr MakeRandomMotionCurve(int variant, int width, int height, ShowRandom& random);
TransitionPtr MakeRandomSpeedMovement(int variant, int width, int height, ShowRandom& random);
TransitionPtr MakeRandomFall(int variant, int width, int height, ShowRandom& random);

}  // namespace lv
