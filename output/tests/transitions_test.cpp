#include "output/transitions.h"

#include "transition_test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace lv {
namespace {

using namespace testing;

bool Moves(int index)
{
    return index == kMoveIn || index == kRandomMovement || index == kRandomMotionCurve ||
           index == kRandomSpeedMovement || index == kRandomFall;
}

// A slide of width x height placed at (x, y) on an old screen whose bands around the
// slide are black, as the show leaves it before a transition starts.
struct Stage {
    int x, y;
    ScreenBitmap slide;
    ScreenBitmap screen;
    Stage(int screenWidth, int screenHeight, int width, int height)
        : x((screenWidth - width) / 2)
        , y((screenHeight - height) / 2)
        , slide(CodedSlide(width, height))
        , screen(OldScreen(screenWidth, screenHeight))
    {
        const ScreenBitmap old = screen;
        screen = ScreenBitmap(screenWidth, screenHeight);
        for (int sy = 0; sy < height; ++sy)
            for (int sx = 0; sx < width; ++sx)
                screen.row(y + sy)[x + sx] = old.pixel(x + sx, y + sy);
    }
    SlideBlitter blitter() { return SlideBlitter(screen, slide, x, y); }
    bool inside(int sx, int sy) const { return sx >= x && sy >= y && sx < x + slide.width() && sy < y + slide.height(); }
};

// Every pixel is black in the bands and, on the slide's place, either what was there or a
// pixel of the new slide (from the same place unless the transition moves the picture).
// Returns how many pixels show the new slide, or -1 after reporting the first bad pixel.
int CheckComposition(const Stage& stage, const ScreenBitmap& old, bool moves, const std::string& where)
{
    int fresh = 0;
    for (int sy = 0; sy < stage.screen.height(); ++sy)
        for (int sx = 0; sx < stage.screen.width(); ++sx) {
            const std::uint32_t p = stage.screen.pixel(sx, sy);
            if (!stage.inside(sx, sy)) {
                if (p != kScreenBlack) {
                    ADD_FAILURE() << where << ": band pixel " << sx << "," << sy << " drawn";
                    return -1;
                }
                continue;
            }
            if (p == old.pixel(sx, sy))
                continue;
            const bool fromSlide = IsNewPixel(p) && SourceX(p) < stage.slide.width() && SourceY(p) < stage.slide.height() &&
                                   (moves || (SourceX(p) == sx - stage.x && SourceY(p) == sy - stage.y));
            if (!fromSlide) {
                ADD_FAILURE() << where << ": pixel " << sx << "," << sy << " is " << std::hex << p;
                return -1;
            }
            ++fresh;
        }
    return fresh;
}

bool ShowsWholeSlide(const Stage& stage)
{
    for (int sy = 0; sy < stage.slide.height(); ++sy)
        for (int sx = 0; sx < stage.slide.width(); ++sx)
            if (stage.screen.pixel(stage.x + sx, stage.y + sy) != stage.slide.pixel(sx, sy))
                return false;
    return true;
}

struct Size {
    int screenWidth, screenHeight, width, height;
};

// Every transition and variant, step by step: only old, black or new-slide pixels, the
// whole slide at the end, and drawing runs of steps together leaves the same screens.
TEST(Transitions, EveryStepShowsOnlyOldScreenBandsAndTheNewSlide)
{
    const Size sizes[] = {{75, 51, 61, 43}, {40, 70, 23, 57}, {9, 9, 3, 2}, {4, 4, 1, 1}};
    for (const Size& size : sizes)
        for (int index = 1; index < kTransitionCount; ++index)
            for (int variant = LowestVariant(index); variant <= HighestVariant(index); ++variant) {
                const std::string where = std::string(TransitionTable()[std::size_t(index)].name) + "#" +
                                          std::to_string(index) + " variant " + std::to_string(variant) + " " +
                                          std::to_string(size.width) + "x" + std::to_string(size.height);
                ShowRandom random(99), twin(99);
                auto single = MakeTransition({index, variant}, size.width, size.height, random);
                auto batched = MakeTransition({index, variant}, size.width, size.height, twin);
                const int steps = single->stepCount();
                ASSERT_GE(steps, 1) << where;
                ASSERT_EQ(batched->stepCount(), steps) << where;
                Stage one(size.screenWidth, size.screenHeight, size.width, size.height);
                Stage runs = one;
                const ScreenBitmap old = one.screen;
                SlideBlitter oneBlitter = one.blitter(), runsBlitter = runs.blitter();
                int previousFresh = 0;
                int runStart = 0;
                ShowRandom runLengths(size.width * 131 + index * 7 + variant);
                int runEnd = runLengths.below(7);
                for (int s = 0; s < steps; ++s) {
                    single->draw(s, s, oneBlitter);
                    const int fresh = CheckComposition(one, old, Moves(index), where + " step " + std::to_string(s));
                    ASSERT_GE(fresh, 0);
                    ASSERT_TRUE(Moves(index) || fresh >= previousFresh)
                        << where << " step " << s << " took pixels back";
                    previousFresh = fresh;
                    if (s == std::min(runEnd, steps - 1)) {
                        batched->draw(runStart, s, runsBlitter);
                        ASSERT_EQ(runs.screen, one.screen) << where << " steps " << runStart << ".." << s;
                        runStart = s + 1;
                        runEnd = s + 1 + runLengths.below(9);
                    }
                }
                EXPECT_TRUE(ShowsWholeSlide(one)) << where;
            }
}

// The screen after step `last` of a transition drawn one step at a time.
Stage AfterStep(int index, int variant, int width, int height, int last, int* steps = nullptr)
{
    Stage stage(width + 4, height + 2, width, height);
    ShowRandom random(5);
    auto t = MakeTransition({index, variant}, width, height, random);
    if (steps)
        *steps = t->stepCount();
    SlideBlitter b = stage.blitter();
    for (int s = 0; s <= last && s < t->stepCount(); ++s)
        t->draw(s, s, b);
    return stage;
}

bool IsNewAt(const Stage& stage, int sx, int sy)
{
    return stage.screen.pixel(stage.x + sx, stage.y + sy) == stage.slide.pixel(sx, sy);
}

int CountNew(const Stage& stage)
{
    int n = 0;
    for (int sy = 0; sy < stage.slide.height(); ++sy)
        for (int sx = 0; sx < stage.slide.width(); ++sx)
            n += IsNewAt(stage, sx, sy);
    return n;
}

TEST(Transitions, CurtainCopiesOneLinePerStep)
{
    int steps = 0;
    const Stage rows = AfterStep(kCurtain, 1, 30, 20, 6, &steps);
    EXPECT_EQ(steps, 20);
    for (int y = 0; y < 20; ++y)
        EXPECT_EQ(IsNewAt(rows, 0, y) && IsNewAt(rows, 29, y), y <= 6) << y;
    AfterStep(kCurtain, 3, 30, 20, 0, &steps);
    EXPECT_EQ(steps, 30);
    AfterStep(kCurtain, 6, 31, 20, 0, &steps);
    EXPECT_EQ(steps, 16);
    const Stage fromBothEdges = AfterStep(kCurtain, 8, 30, 20, 1);
    for (int y = 0; y < 20; ++y)
        EXPECT_EQ(IsNewAt(fromBothEdges, 5, y), y <= 1 || y >= 18) << y;
    AfterStep(kNoTransition, 0, 30, 20, 0, &steps);
    EXPECT_EQ(steps, 1);
}

TEST(Transitions, InterlaceHalvesItsSpacingPassByPass)
{
    // 64 columns: 0 first (every 4096th), then 32, then 16 and 48, then 8, 24, 40, 56.
    const int expected[] = {0, 32, 16, 48, 8, 24, 40, 56, 4};
    for (int s = 0; s < 9; ++s) {
        const Stage stage = AfterStep(kInterlace, 0, 64, 8, s);
        EXPECT_TRUE(CountNew(stage) == 8 * (s + 1) && IsNewAt(stage, expected[s], 7)) << s;
    }
    // Blocks of 4 by block row and column: first the block at 0,0, then at 4096-spaced
    // positions (none), ... the 8-block row of a 32-pixel square at spacing 4 adds (4,0), (0,4), (4,4).
    int steps = 0;
    const Stage blocks = AfterStep(kInterlace, 3, 32, 32, 3, &steps);
    EXPECT_EQ(std::tuple(steps, CountNew(blocks)), std::tuple(64, 4 * 16));
    for (const auto& [bx, by] : {std::pair{0, 0}, {4, 0}, {0, 4}, {4, 4}})
        EXPECT_TRUE(IsNewAt(blocks, bx * 4 + 3, by * 4 + 3)) << bx << "," << by;
    // By the sum of row and column: (0,0), then the first block whose sum is 8, (7,1).
    const Stage sums = AfterStep(kInterlace, 2, 32, 32, 1);
    EXPECT_TRUE(IsNewAt(sums, 29, 5) && !IsNewAt(sums, 4, 4));
}

TEST(Transitions, WipeTurnsFiveDegreesAStep)
{
    int steps = 0;
    // After 18 steps (90 degrees) the line stands upright: the upper left and the lower
    // right quarters are shown.
    for (const int variant : {0, 1}) {
        const Stage half = AfterStep(kWipe, variant, 40, 30, 17, &steps);
        EXPECT_EQ(steps, 36);
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x)
                ASSERT_EQ(IsNewAt(half, x, y), (y < 15) == (x < 20)) << x << "," << y;
    }
    // The whole turn: the upper half during the first 36 steps, the lower half after.
    const Stage upper = AfterStep(kWipe, 2, 40, 30, 35, &steps);
    EXPECT_EQ(std::tuple(steps, CountNew(upper)), std::tuple(72, 40 * 15));
    for (int x = 0; x < 40; ++x)
        EXPECT_TRUE(IsNewAt(upper, x, 0) && !IsNewAt(upper, x, 29));
    const Stage quarter = AfterStep(kWipe, 2, 40, 30, 53);
    EXPECT_TRUE(IsNewAt(quarter, 39, 29) && !IsNewAt(quarter, 0, 29));
}

TEST(Transitions, StarGrowsInRowsOfThreeAndCopiesTheRestLast)
{
    int steps = 0;
    // n = max(60, 40) + 3 = 63: 21 steps of three rows and a final full copy.
    const Stage first = AfterStep(kStarOut, 0, 60, 40, 0, &steps);
    EXPECT_EQ(steps, 22);
    // Rows 1 and 2 from the middle (row 20) are 2 and 2 pixels wide around the centre.
    EXPECT_TRUE(IsNewAt(first, 29, 19) && IsNewAt(first, 30, 19));
    EXPECT_FALSE(IsNewAt(first, 28, 19) || IsNewAt(first, 29, 23));
    const Stage before = AfterStep(kStarOut, 0, 60, 40, steps - 2);
    // The sides rise at 60 degrees: 20 rows up the figure is 2 x 12 pixels wide.
    EXPECT_TRUE(IsNewAt(before, 30 - 12, 0) && IsNewAt(before, 30 + 11, 0));
    EXPECT_FALSE(IsNewAt(before, 30 - 13, 0) || IsNewAt(before, 0, 20));
}

TEST(Transitions, BoxesSpiralsCornersAndSlidesStartWhereTheirNamesSay)
{
    int steps = 0;
    EXPECT_EQ(CountNew(AfterStep(kBoxInOut, 0, 30, 20, 0, &steps)), 2 * 30 + 2 * 20 - 4);
    EXPECT_EQ(steps, 10);
    EXPECT_EQ(CountNew(AfterStep(kBoxInOut, 2, 30, 20, 0)), 2 * 12);  // the middle two rows' inner part
    const Stage ring = AfterStep(kBoxInOut, 1, 30, 20, 0);
    EXPECT_TRUE(CountNew(ring) == 4 && IsNewAt(ring, 14, 9) && IsNewAt(ring, 15, 10));
    const Stage spiral = AfterStep(kSpiral, 0, 40, 24, 1, &steps);
    EXPECT_EQ(std::tuple(steps, CountNew(spiral)), std::tuple(5 * 3, 2 * 64));
    EXPECT_TRUE(IsNewAt(spiral, 15, 7));
    const Stage outward = AfterStep(kSpiral, 1, 40, 24, steps - 2);
    EXPECT_TRUE(!IsNewAt(outward, 0, 0) && IsNewAt(outward, 8, 0));
    const Stage corner = AfterStep(kCornerIn, 1, 40, 20, 4, &steps);
    EXPECT_EQ(std::tuple(steps, CountNew(corner)), std::tuple(21, 10 * 5));
    EXPECT_TRUE(IsNewAt(corner, 0, 0) && IsNewAt(corner, 9, 4));
    EXPECT_TRUE(IsNewAt(AfterStep(kCornerIn, 0, 40, 20, 4), 39, 19));
    // "Move para dentro" from the right: after 3 steps the slide's first 6 columns stand
    // at the right edge.
    const Stage moving = AfterStep(kMoveIn, 0, 40, 20, 2, &steps);
    EXPECT_EQ(steps, 21);
    for (int x = 0; x < 6; ++x)
        EXPECT_EQ(moving.screen.pixel(moving.x + 34 + x, moving.y + 5), moving.slide.pixel(x, 5));
    EXPECT_TRUE(IsNewPixel(moving.screen.pixel(moving.x + 34, moving.y)) &&
                !IsNewPixel(moving.screen.pixel(moving.x + 33, moving.y)));
}

TEST(Transitions, TransparentShowsOneMoreSixteenthAStepWithoutPacing)
{
    ShowRandom random(1);
    auto t = MakeTransition({kTransparent, 0}, 32, 16, random);
    EXPECT_EQ(std::tuple(t->stepCount(), t->paced()), std::tuple(16, false));
    for (int s = 0; s < 16; ++s)
        EXPECT_EQ(CountNew(AfterStep(kTransparent, 0, 32, 16, s)), 32 * 16 * (s + 1) / 16) << s;
    // Level 4 shows the matrix values 0 to 3: at (0,0), (4,0), (0,4) and (4,4) of each 8 x 8 cell.
    const Stage first = AfterStep(kTransparent, 0, 32, 16, 0);
    EXPECT_TRUE(IsNewAt(first, 0, 0) && IsNewAt(first, 4, 0) && IsNewAt(first, 0, 4) && IsNewAt(first, 12, 12) &&
                !IsNewAt(first, 1, 0));
    ShowRandom again(1);
    auto crosswise = MakeTransition({kRandomCrosswise, 0}, 32, 16, again);
    EXPECT_EQ(std::tuple(crosswise->stepCount(), crosswise->paced()), std::tuple(11, true));
}

TEST(Transitions, OutOfRangeVariantsAndEmptySlidesAreSafe)
{
    ShowRandom random(1);
    // Curtain 9 is variant 1 (rows), 11 is variant 3 (columns); no screen is 70000 wide.
    const std::tuple<TransitionChoice, int, int, int> cases[] = {
        {{kWipe, 16}, 20, 10, 36},       {{kWipe, 17}, 20, 10, 72}, {{kStarOut, 1}, 20, 10, 9},
        {{kCurtain, 9}, 20, 10, 10},     {{kCurtain, 11}, 20, 10, 20}, {{kRandomChoice, 0}, 20, 10, 1},
        {{99, 0}, 20, 10, 1},            {{kSpiral, 0}, 70000, 2, 1}};
    for (const auto& [choice, width, height, steps] : cases)
        EXPECT_EQ(MakeTransition(choice, width, height, random)->stepCount(),
                  steps) << choice.index << "/" << choice.variant;
    auto empty = MakeTransition({kSpiral, 0}, 0, 10, random);
    EXPECT_EQ(empty->stepCount(), 1);
    ScreenBitmap screen(4, 4), slide;
    SlideBlitter b(screen, slide, 0, 0);
    empty->draw(0, 0, b);
    EXPECT_EQ(screen, ScreenBitmap(4, 4));
}

}  // namespace
}  // namespace lv
