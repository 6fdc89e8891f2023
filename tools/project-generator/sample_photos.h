#pragma once
// Pictures drawn by code that stand in the templates' photo placeholders until the user
// drops a photo there, so a template in the gallery looks like a finished project.

#include "layer_art.h"

namespace lv::artwork {

enum class SampleScene { Hills, Beach, Garden };

// An opaque picture of the scene at any size.
LayerArt SamplePhoto(SampleScene scene, int width, int height);

}  // namespace lv::artwork
