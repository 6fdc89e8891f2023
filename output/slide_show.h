#pragma once
// The slide show's timing without a toolkit: the slide list, the slide timer and its ticks,
// and the keys and clicks that move on or close the show. The window that hosts it starts
// and stops the real timers and draws the slides it is told to.

#include "output/slide_show_settings.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace lv {

struct Slide {
    std::string path;  // absolute
    std::string text;  // carried along, not drawn
};

inline constexpr int kSlideTimerId = 102;
inline constexpr int kMainWindowTimerId = 101;
inline constexpr int kMainWindowTimerRestartMs = 900;
inline constexpr int kTicksPerSlide = 10;

class SlideShowHost {
public:
    virtual ~SlideShowHost() = default;
    virtual void startTimer(int id, int periodMs) = 0;
    virtual void stopTimer(int id) = 0;
    // Draws slide `index` with its transition (an index past the list draws a black screen).
    virtual void showSlide(int index) = 0;
    virtual void closeWindow() = 0;
};

class SlideShow {
public:
    SlideShow(std::vector<Slide> slides, SlideShowSettings settings, SlideShowHost& host);

    // The window exists: the main window's timer stops, the slide timer starts, slide 0
    // is drawn.
    void start();
    // The slide timer fired: every 10th tick moves to the next slide; past the last one
    // the show starts again, or closes when it doesn't repeat.
    void timerTick();
    // The next slide now, and a fresh count of ticks.
    void enterPressed();
    // Escape, a left click, or the window closing: the timers are put back and the
    // slides let go. Only the first call does anything.
    void close();

    bool running() const { return started_ && !closed_; }
    int slideIndex() const { return slide_; }
    int tick() const { return tick_; }
    const std::vector<Slide>& slides() const { return slides_; }
    // The slide to draw, or null for a black screen (an empty album).
    const Slide* currentSlide() const;
    const SlideShowSettings& settings() const { return settings_; }

private:
    std::vector<Slide> slides_;
    SlideShowSettings settings_;
    SlideShowHost& host_;
    int slide_ = 0;
    int tick_ = 0;
    bool started_ = false;
    bool closed_ = false;
};

// Reads an album's slides, in album order; nothing when the file can't be read as an album.
using AlbumSlideReader = std::function<std::optional<std::vector<Slide>>(const std::string& albumPath)>;

// The slides of the album, or nothing after telling the user "Não existem imagens no
// álbum." (string 2546) when it can't be read.
std::optional<std::vector<Slide>> ReadShowSlides(const AlbumSlideReader& reader, const std::string& albumPath);

}  // namespace lv
