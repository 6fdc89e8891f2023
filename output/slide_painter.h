#pragma once
// Drawing one slide on the show's screen: the photo loaded when it is due, fitted to the
// screen keeping its proportions and centred, the bands around it black, and brought in by
// its transition over what the screen showed before.

#include "imagelib/codecs/picture_facts.h"
#include "output/screen_bitmap.h"
#include "output/show_random.h"
#include "output/transition_player.h"
#include "output/transition_table.h"

#include <functional>
#include <string>
#include <string_view>

namespace lv {

struct Slide;

// Loads a slide's photo; null when it can't be read.
using PhotoLoader = std::function<HDIB(const std::string& path)>;

// The program's general image loader as a 24-bit picture, with the busy pointer but nothing
// else shown (no messages, questions, progress or Photo CD options); null for a path that
// is no file or can't be read. `facts`, when given, gets what the file said beside the pixels
// (its colour profile).
HDIB LoadSlidePhoto(const std::string& path, PictureFacts* facts = nullptr);

// Where a picture of width x height goes on a screen: as large as fits with its
// proportions kept, centred.
Rect FittedSlideRect(int width, int height, int screenWidth, int screenHeight);

class SlidePainter {
public:
    // A black screen of this size.
    SlidePainter(int screenWidth, int screenHeight);

    // Starts drawing a slide (null: a black screen). The transition is chosen from the
    // working name; steps due at once are not drawn before the first drawDue.
    void begin(const Slide* slide, const PhotoLoader& loader, std::string_view workingName, bool transitionsOn,
               ShowRandom& random, int transitionTimeMs = kTransitionTimeMs);
    // As begin, with a picture already in memory and a given transition.
    void beginWith(const HDIB& photo, TransitionChoice choice, ShowRandom& random,
                   int transitionTimeMs = kTransitionTimeMs);

    // Draws the steps due `elapsedMs` after begin; true once the slide is whole.
    bool drawDue(long elapsedMs);
    void drawNextStep();
    void finish();
    bool drawing() const { return !player_.finished(); }

    // A new screen size: the screen turns black and any drawing in progress stops.
    void resize(int screenWidth, int screenHeight);

    const ScreenBitmap& screen() const { return screen_; }
    ScreenBitmap& screen() { return screen_; }
    Rect slideRect() const { return place_; }
    TransitionChoice choice() const { return choice_; }
    const TransitionPlayer& player() const { return player_; }

private:
    void blackScreen();
    SlideBlitter blitter() { return SlideBlitter(screen_, slide_, place_.left, place_.top); }

    ScreenBitmap screen_;
    ScreenBitmap slide_;  // the memory bitmap holding the fitted slide
    Rect place_;
    TransitionChoice choice_;
    TransitionPlayer player_;
};

}  // namespace lv
