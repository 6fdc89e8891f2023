#include "output/transition_player.h"

namespace lv {

TransitionPlayer::TransitionPlayer(std::unique_ptr<Transition> transition, int transitionTimeMs)
    : transition_(std::move(transition))
    , transitionTimeMs_(transitionTimeMs)
{
}

long TransitionPlayer::StepDueMs(int step, int steps, int transitionTimeMs)
{
    return steps > 0 ? long(static_cast<long long>(step) * transitionTimeMs / steps) : 0;
}

bool TransitionPlayer::drawDue(long elapsedMs, SlideBlitter& blitter)
{
    if (finished())
        return true;
    const int n = transition_->stepCount();
    int last = drawn_;
    if (transition_->paced()) {
        if (StepDueMs(drawn_, n, transitionTimeMs_) > elapsedMs)
            return false;
        while (last + 1 < n && StepDueMs(last + 1, n, transitionTimeMs_) <= elapsedMs)
            ++last;
    }
    transition_->draw(drawn_, last, blitter);
    drawn_ = last + 1;
    return finished();
}

void TransitionPlayer::drawNext(SlideBlitter& blitter)
{
    if (finished())
        return;
    transition_->draw(drawn_, drawn_, blitter);
    ++drawn_;
}

void TransitionPlayer::finish(SlideBlitter& blitter)
{
    if (finished())
        return;
    transition_->draw(drawn_, transition_->stepCount() - 1, blitter);
    drawn_ = transition_->stepCount();
}

}  // namespace lv
