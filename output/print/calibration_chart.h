#pragma once
// The calibration chart: a grey ramp and steps, red, green and blue ramps, skin tones and a
// small landscape, so a print can be held next to the screen and compared.

#include "imagelib/dib.h"

namespace lv::print {

// A 24-bit chart of the given size (at least 300 × 200), 300 dots per inch; null when memory runs out.
HDIB MakeCalibrationChart(int width, int height);

// The skin tones on the chart, light to dark (red, green, blue).
inline constexpr unsigned char kSkinTones[6][3] = {{255, 224, 196}, {241, 194, 167}, {224, 172, 138},
                                                   {198, 134, 99},  {141, 85, 54},   {89, 55, 40}};

}  // namespace lv::print
