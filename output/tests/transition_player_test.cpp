#include "output/transition_player.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace lv {
namespace {

// Records the runs of steps it is asked to draw.
class RecordingTransition final : public Transition {
public:
    RecordingTransition(int steps, bool paced, std::vector<std::pair<int, int>>& runs)
        : steps_(steps)
        , paced_(paced)
        , runs_(runs)
    {
    }
    int stepCount() const override { return steps_; }
    bool paced() const override { return paced_; }
    void draw(int first, int last, SlideBlitter&) override { runs_.emplace_back(first, last); }

private:
    int steps_;
    bool paced_;
    std::vector<std::pair<int, int>>& runs_;
};

struct Drawing {
    std::vector<std::pair<int, int>> runs;
    ScreenBitmap screen{2, 2}, slide{1, 1};
    SlideBlitter blitter{screen, slide, 0, 0};
};

TEST(TransitionPlayer, StepsFallDueByTheirShareOfTheTransitionTime)
{
    // The last: no overflow for many steps.
    for (const auto& [step, steps, due] : {std::tuple{0, 36, 0}, {1, 36, 2}, {18, 36, 50}, {35, 36, 97}, {999, 1000, 99},
                                           {70000, 70001, 99}})
        EXPECT_EQ(TransitionPlayer::StepDueMs(step, steps, 100), due) << step << " of " << steps;

    Drawing r;
    TransitionPlayer player(std::make_unique<RecordingTransition>(36, true, r.runs), 100);
    EXPECT_FALSE(player.drawDue(50, r.blitter));
    EXPECT_EQ(player.stepsDrawn(), 19);
    EXPECT_FALSE(player.drawDue(50, r.blitter));  // nothing new is due: nothing drawn
    EXPECT_EQ(r.runs.size(), 1u);
    EXPECT_TRUE(player.drawDue(97, r.blitter));
    EXPECT_EQ(r.runs, (std::vector<std::pair<int, int>>{{0, 18}, {19, 35}}));
    EXPECT_TRUE(player.drawDue(200, r.blitter));
    EXPECT_EQ(r.runs.size(), 2u);
}

TEST(TransitionPlayer, UnpacedTransitionsShowOneStepPerRefreshAndFinishDrawsTheRest)
{
    Drawing r;
    TransitionPlayer player(std::make_unique<RecordingTransition>(16, false, r.runs), 100);
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(player.drawDue(1000, r.blitter));
    EXPECT_EQ(player.stepsDrawn(), 5);
    player.finish(r.blitter);
    EXPECT_EQ(std::tuple(player.finished(), r.runs.back()), std::tuple(true, std::pair(5, 15)));
    player.finish(r.blitter);
    EXPECT_EQ(r.runs.size(), 6u);

    TransitionPlayer idle;
    EXPECT_TRUE(idle.finished() && idle.drawDue(0, r.blitter));
}

}  // namespace
}  // namespace lv
