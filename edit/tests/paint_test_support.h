#pragma once
// Reading a painted document back in the tests: pixels and mask values by top-down
// document point, for a layer placed at the document's origin.

#include "edit/tests/tool_test_support.h"

namespace lv::testing {

// The fake window's layer: blue, with a yellow square in the top-left 10 × 10.
inline constexpr Rgb kBlue{0, 0, 200};
inline constexpr Rgb kYellow{250, 250, 0};

inline Rgb LayerPixel(const LayerStack& stack, int layer, Point p)
{
    const HDIB& image = stack.layers[std::size_t(layer)].image.read();
    return Pixel24(image, p.x, image.height() - 1 - p.y);
}

inline int LayerCover(const LayerStack& stack, int layer, Point p)
{
    const HDIB& mask = stack.layers[std::size_t(layer)].mask.read();
    return mask.row(mask.height() - 1 - p.y)[p.x];
}

inline void SetLayerCover(LayerStack& stack, int layer, Point p, std::uint8_t value)
{
    HDIB& mask = stack.layers[std::size_t(layer)].mask.write();
    mask.row(mask.height() - 1 - p.y)[p.x] = value;
}

// Every pixel and mask value of a layer, for comparing whole states.
inline std::vector<std::uint8_t> LayerBytes(const LayerStack& stack, int layer)
{
    const LayerRecord& l = stack.layers[std::size_t(layer)];
    std::vector<std::uint8_t> bytes(l.image.read().data(), l.image.read().data() + l.image.read().size());
    bytes.insert(bytes.end(), l.mask.read().data(), l.mask.read().data() + l.mask.read().size());
    return bytes;
}

}  // namespace lv::testing
