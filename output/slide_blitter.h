#pragma once
// Block copies from the memory bitmap holding the new slide to the screen, the only way a
// transition draws. Coordinates are the slide's own (0,0 its top-left corner); the slide
// lies at (x, y) on the screen. Nothing is ever drawn outside the slide's place, so the
// black bands around it stay black.

#include "output/screen_bitmap.h"

namespace lv {

class SlideBlitter {
public:
    SlideBlitter(ScreenBitmap& screen, const ScreenBitmap& slide, int x, int y);

    int width() const { return slide_.width(); }
    int height() const { return slide_.height(); }

    // The slide's pixels of `area` to their own place.
    void copy(const Rect& area);
    // Pixels x0..x1 (exclusive) of row y to their own place.
    void copySpan(int y, int x0, int x1);
    // The whole slide.
    void copyAll() { copy({0, 0, width(), height()}); }
    // The slide's pixels of `area` to the place whose top-left corner is (toX, toY), for
    // pictures that move in; what would fall outside the slide's place is left out.
    void copyMoved(const Rect& area, int toX, int toY);

private:
    ScreenBitmap& screen_;
    const ScreenBitmap& slide_;
    Rect clip_;  // the part of the slide's place that lies on the screen, in slide coordinates
    int x_;
    int y_;
};

}  // namespace lv
