#pragma once
// The slide show's photo loader: the photo in the display's colours, converted once as it
// is loaded, so every frame of its transitions and its time on screen cost no conversion.

#include "imagelib/dib.h"

#include <string>

namespace lv {

HDIB LoadSlidePhotoForDisplay(const std::string& path);

}  // namespace lv
