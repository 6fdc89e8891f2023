#pragma once
// Folding many layers of an imported document into one, as they look stacked with
// normal blending; only for files with more layers than a document holds.

#include "edit/psd/psd_document.h"

#include <vector>

namespace lv {

// A layer the document's size, empty (transparent) at first, that layers are laid over one
// by one from the bottom up.
class PsdLayerFold {
public:
    PsdLayerFold(std::int32_t width, std::int32_t height);

    // Lays `layer` over what is there, by its mask, opacity and position; hidden layers add nothing.
    void layOver(const PsdLayer& layer);

    // The result as a layer at the document's corner; empty pictures when memory runs out.
    PsdLayer take(std::string name);

private:
    std::int32_t width_;
    std::int32_t height_;
    std::vector<float> colour_;  // red, green, blue per pixel, top row first
    std::vector<float> alpha_;
};

}  // namespace lv
