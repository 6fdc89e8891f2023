#pragma once
// Animated pictures made of photos or layers: the frames in order, each shown for a time,
// with K blended in-between frames for a fade from each frame to the next, all fitted
// (centred, shape kept, black around) into one size; written as animated GIF or WebP.

#include "imagelib/dib.h"

#include <span>
#include <string>
#include <vector>

namespace lv::animation {

inline constexpr int kMinDelayMs = 20;  // browsers slow anything faster down
inline constexpr int kMaxDelayMs = 60000;
inline constexpr int kMaxFade = 30;
inline constexpr int kMaxFrames = 500;  // after the fades are added
inline constexpr int kMinSide = 16;
inline constexpr int kMaxSide = 4096;

struct AnimationOptions {
    int delayMs = 500;   // how long each frame shows; in-between frames share it (below)
    int loop = 0;        // how many times it plays; 0 forever
    int width = 0;       // 0: the first frame's size (limited to kMaxSide)
    int height = 0;
    int fade = 0;        // blended frames between each frame and the next
    bool sharedPalette = true;  // GIF: one median-cut palette for all frames, else one per frame
    int quality = 80;           // WebP
};

struct Frame {
    HDIB picture;  // 24-bit, the animation's size
    int delayMs = 0;
};

// Nothing when the options are outside the limits above; otherwise the reason.
std::string CheckOptions(const AnimationOptions& options, int inputFrames);

// The frames to write: each input fitted, and the fade's in-betweens after each but the last,
// each shown for delay ÷ (K + 1) (at least kMinDelayMs). Empty when memory runs out.
std::vector<Frame> BuildFrames(std::span<const HDIB> pictures, const AnimationOptions& options);

}  // namespace lv::animation
