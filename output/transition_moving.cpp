// Transitions whose picture moves in: sliding, tiles, curves, strips at their own speeds
// and falling strips. Every motion only ever uncovers more of the slide's place.

#include "output/transition_families.h"
#include "output/transition_shapes.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace lv {

using namespace shapes;

namespace {

enum Side : int { kFromLeft, kFromRight, kFromTop, kFromBottom };

int Rounded(double v)
{
    return int(std::lround(v));
}

double EaseOut(double p)
{
    return 1 - (1 - p) * (1 - p);
}

// The part of `area` that has come in from `side` by `shown` (0 to 1) of its size, drawn
// at the side it comes from.
void DrawComingIn(SlideBlitter& blitter, const Rect& area, Side side, double shown)
{
    const bool across = side == kFromLeft || side == kFromRight;
    const int size = across ? area.width() : area.height();
    const int gap = size - Rounded(std::clamp(shown, 0.0, 1.0) * size);
    switch (side) {
    case kFromLeft: blitter.copyMoved({area.left + gap, area.top, area.right, area.bottom}, area.left, area.top); break;
    case kFromRight: blitter.copyMoved({area.left, area.top, area.right - gap, area.bottom}, area.left + gap, area.top); break;
    case kFromTop: blitter.copyMoved({area.left, area.top + gap, area.right, area.bottom}, area.left, area.top); break;
    case kFromBottom: blitter.copyMoved({area.left, area.top, area.right, area.bottom - gap}, area.left, area.top + gap); break;
    }
}

// Pieces that each come in from a side, starting at their own moment and taking their
// own time; the picture's steps share the transition out evenly.
struct Piece {
    Rect area;
    Side side;
    double start;
    double duration;
};

class MovingPieces final : public MovingPicture {
public:
    MovingPieces(std::vector<Piece> pieces, int steps, double (*ease)(double))
        : pieces_(std::move(pieces))
        , steps_(steps)
        , ease_(ease)
    {
    }
    int stepCount() const override { return steps_; }

protected:
    void drawStep(int step, SlideBlitter& blitter) override
    {
        const double now = MomentOfStep(step, steps_);
        for (const Piece& p : pieces_) {
            const double progress = step == steps_ - 1 ? 1.0 : std::clamp((now - p.start) / p.duration, 0.0, 1.0);
            if (progress > 0)
                DrawComingIn(blitter, p.area, p.side, ease_(progress));
        }
    }

private:
    std::vector<Piece> pieces_;
    int steps_;
    double (*ease_)(double);
};

double Linear(double p)
{
    return p;
}

double Falling(double p)
{
    return p * p;
}

}  // namespace

TransitionPtr MakeMoveIn(int variant, int width, int height)
{
    // Two pixels more of the slide per step, from the right edge (0) or the left edge (1),
    // and a last full copy.
    class MoveIn final : public MovingPicture {
    public:
        MoveIn(bool fromLeft, int width, int height)
            : fromLeft_(fromLeft)
            , width_(width)
            , height_(height)
        {
        }
        int stepCount() const override { return (width_ + 1) / 2 + 1; }

    protected:
        void drawStep(int step, SlideBlitter& blitter) override
        {
            const int shown = std::min(width_, 2 * (step + 1));
            if (step == stepCount() - 1)
                blitter.copyAll();
            else if (fromLeft_)
                blitter.copyMoved({width_ - shown, 0, width_, height_}, 0, 0);
            else
                blitter.copyMoved({0, 0, shown, height_}, width_ - shown, 0);
        }

    private:
        bool fromLeft_;
        int width_, height_;
    };
    return std::make_unique<MoveIn>(variant == 1, width, height);
}

TransitionPtr MakeRandomMovement(int variant, int width, int height, ShowRandom& random)
{
    // Tiles slide into their places from random sides at random moments.
    static constexpr int kColumns[] = {2, 3, 4, 6, 8, 8};
    static constexpr int kRows[] = {2, 3, 4, 6, 8, 1};
    const EvenGrid grid{width, height, std::min(kColumns[variant], width), std::min(kRows[variant], height)};
    std::vector<Piece> pieces;
    for (int r = 0; r < grid.rows; ++r)
        for (int c = 0; c < grid.columns; ++c) {
            const Rect area{grid.left(c), grid.top(r), grid.left(c + 1), grid.top(r + 1)};
            const auto side = Side(random.next() % 4);
            pieces.push_back({area, side, 0.5 * random.fraction(), 0.5});
        }
    return std::make_unique<MovingPieces>(std::move(pieces), SmoothSteps(width, height), EaseOut);
}

TransitionPtr MakeRandomMotionCurve(int variant, int width, int height, ShowRandom& random)
{
    // The whole slide comes in from a random side, slowing down (0) or speeding up and
    // slowing down (2), or from a random corner along a curve (1).
    class MotionCurve final : public MovingPicture {
    public:
        MotionCurve(int variant, int width, int height, int direction)
            : variant_(variant)
            , width_(width)
            , height_(height)
            , direction_(direction)
        {
        }
        int stepCount() const override { return SmoothSteps(width_, height_); }

    protected:
        void drawStep(int step, SlideBlitter& blitter) override
        {
            const double t = MomentOfStep(step, stepCount());
            const Rect all{0, 0, width_, height_};
            if (variant_ == 1) {
                const int sx = direction_ & 1 ? 1 : -1, sy = direction_ & 2 ? 1 : -1;
                blitter.copyMoved(all, Rounded(sx * (1 - t) * width_), Rounded(sy * (1 - t) * (1 - t) * height_));
                return;
            }
            const double shown = variant_ == 0 ? 1 - std::pow(1 - t, 3) : t * t * (3 - 2 * t);
            DrawComingIn(blitter, all, Side(direction_), shown);
        }

    private:
        int variant_, width_, height_, direction_;
    };
    return std::make_unique<MotionCurve>(variant, width, height, random.next() % 4);
}

TransitionPtr MakeRandomSpeedMovement(int variant, int width, int height, ShowRandom& random)
{
    // Strips across the direction of motion slide in, each at its own speed.
    const auto side = Side(variant % 4);
    const int strips = variant < 4 ? 8 : 24;
    const bool across = side == kFromLeft || side == kFromRight;
    const EvenGrid grid{width, height, across ? 1 : std::min(strips, width), across ? std::min(strips, height) : 1};
    std::vector<Piece> pieces;
    for (int r = 0; r < grid.rows; ++r)
        for (int c = 0; c < grid.columns; ++c)
            pieces.push_back({{grid.left(c), grid.top(r), grid.left(c + 1), grid.top(r + 1)}, side, 0.0,
                              0.35 + 0.65 * random.fraction()});
    return std::make_unique<MovingPieces>(std::move(pieces), SmoothSteps(width, height), EaseOut);
}

TransitionPtr MakeRandomFall(int variant, int width, int height, ShowRandom& random)
{
    // Strips fall into place from above, each starting at a random moment.
    static constexpr int kStrips[] = {24, 8, 48, 16};
    const EvenGrid grid{width, height, std::min(kStrips[variant], width), 1};
    std::vector<Piece> pieces;
    for (int c = 0; c < grid.columns; ++c)
        pieces.push_back({{grid.left(c), 0, grid.left(c + 1), height}, kFromTop, 0.5 * random.fraction(), 0.5});
    return std::make_unique<MovingPieces>(std::move(pieces), SmoothSteps(width, height), variant == 3 ? Linear : Falling);
}

}  // namespace lv
