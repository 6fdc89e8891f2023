#include "output/slide_show.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace lv {
namespace {

// A window with a fake clock: timers fire as time is advanced, and every slide shown is
// recorded with the moment it was shown.
class FakeWindow final : public SlideShowHost {
public:
    void startTimer(int id, int periodMs) override
    {
        periods[id] = periodMs;
        due[id] = now + periodMs;
        started.push_back(id);
    }
    void stopTimer(int id) override
    {
        periods.erase(id);
        due.erase(id);
        stopped.push_back(id);
    }
    void showSlide(int index) override { shown.push_back({now, index}); }
    void closeWindow() override { closedAt = now; }

    // Runs the clock forward, firing the slide timer at each of its periods.
    void advance(SlideShow& show, long ms)
    {
        const long end = now + ms;
        while (due.count(kSlideTimerId) && due[kSlideTimerId] <= end) {
            now = due[kSlideTimerId];
            due[kSlideTimerId] += periods[kSlideTimerId];
            show.timerTick();
        }
        now = end;
    }

    struct Shown {
        long at;
        int index;
        bool operator==(const Shown&) const = default;
    };
    long now = 0;
    std::map<int, int> periods;
    std::map<int, long> due;
    std::vector<int> started, stopped;
    std::vector<Shown> shown;
    long closedAt = -1;
};

std::vector<Slide> ThreeSlides()
{
    return {{"/fotos/a.jpg", ""}, {"/fotos/b.jpg", "praia"}, {"/fotos/c.jpg", ""}};
}

SlideShowSettings Repeating(bool repeat)
{
    SlideShowSettings s;
    s.repeat = repeat;
    return s;
}

TEST(SlideShow, DisplayTimeFiveShowsASlideEveryFourSeconds)
{
    FakeWindow window;
    window.periods[kMainWindowTimerId] = 500;
    SlideShow show(ThreeSlides(), Repeating(true), window);
    show.start();
    // The main window's timer is stopped.
    EXPECT_EQ(std::tuple(window.periods.count(kMainWindowTimerId), window.periods[kSlideTimerId]), std::tuple(0u, 400));
    window.advance(show, 3999);
    EXPECT_EQ(std::tuple(window.shown.size(), show.tick()), std::tuple(1u, 9));
    window.advance(show, 1);
    window.advance(show, 8000);
    // With repeat on the show starts again at slide 0 after the last.
    EXPECT_EQ(window.shown, (std::vector<FakeWindow::Shown>{{0, 0}, {4000, 1}, {8000, 2}, {12000, 0}}));
    EXPECT_EQ(std::tuple(show.running(), window.closedAt), std::tuple(true, -1L));
}

TEST(SlideShow, EnterShowsTheNextSlideAtOnceAndRestartsTheCount)
{
    FakeWindow window;
    SlideShow show(ThreeSlides(), Repeating(false), window);
    show.start();
    window.advance(show, 1000);  // two ticks
    show.enterPressed();
    EXPECT_EQ(std::tuple(window.shown.back(), show.tick()), std::tuple(FakeWindow::Shown{1000, 1}, 0));
    window.advance(show, 3799);
    EXPECT_EQ(window.shown.size(), 2u);
    window.advance(show, 1);  // the tenth tick after Enter
    EXPECT_EQ(window.shown.back(), (FakeWindow::Shown{4800, 2}));
    // Enter on the last slide of a show without repeat ends it.
    show.enterPressed();
    EXPECT_EQ(std::tuple(window.closedAt, window.shown.size()), std::tuple(4800L, 3u));
}

TEST(SlideShow, AnEmptyAlbumShowsBlackSlides)
{
    FakeWindow window;
    SlideShow repeating({}, Repeating(true), window);
    repeating.start();
    EXPECT_EQ(repeating.currentSlide(), nullptr);
    window.advance(repeating, 8000);
    EXPECT_EQ(std::tuple(window.shown.size(), repeating.running()), std::tuple(3u, true));

    FakeWindow other;
    SlideShow once({}, Repeating(false), other);
    once.start();
    other.advance(once, 8000);
    EXPECT_EQ(other.closedAt, 4000);
}

TEST(SlideShow, TimerPeriodsAndTheWorkingName)
{
    SlideShowSettings s;
    EXPECT_EQ(std::tuple(s.timerPeriodMs(), s.workingName()), std::tuple(400, std::string("Aleatório")));
    for (const unsigned shortest : {0u, 1u}) {
        s.displayTime = shortest;
        EXPECT_EQ(s.timerPeriodMs(), 80) << shortest;
    }
    s.displayTime = 4000000000u;
    EXPECT_GT(s.timerPeriodMs(), 2000000000);
    s.transitionName = "Cortina";
    EXPECT_EQ(s.workingName(), "Cortina");
    s.transitionsOn = false;
    EXPECT_EQ(s.workingName(), "Nenhum");
    EXPECT_EQ(s.transitionName, "Cortina");  // the stored name keeps the list's text
}

}  // namespace
}  // namespace lv
