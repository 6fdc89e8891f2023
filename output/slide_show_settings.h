#pragma once
// The slide show's settings, kept while the program runs; the settings dialog also stores
// the transition name in the configuration file (setting::kSlideshow).

#include "output/transition_player.h"

#include <string>
#include <string_view>

namespace lv {

inline constexpr std::string_view kRandomTransitionName = "Aleatório";
inline constexpr std::string_view kNoTransitionName = "Nenhum";

struct SlideShowSettings {
    bool transitionsOn = true;
    bool repeat = true;
    unsigned displayTime = 5;  // in 0.8 s: the slide timer runs every displayTime x 80 ms, 10 ticks a slide
    std::string transitionName;  // as the list shows it; empty means "Aleatório"
    int transitionTimeMs = kTransitionTimeMs;

    // The name the show works with: "Nenhum" while transitions are off.
    std::string workingName() const;
    // The slide timer's period: displayTime x 80 ms, at least one unit and at most what a
    // timer can hold.
    int timerPeriodMs() const;
};

// The settings of this run of the program: the dialog changes them, every show starts with them.
SlideShowSettings& CurrentSlideShowSettings();

}  // namespace lv
