#pragma once
// A colour as three bytes: the active and secondary colours, palette entries.

#include <cstdint>

namespace lv {

struct RgbTriple {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const RgbTriple&, const RgbTriple&) = default;
};

}  // namespace lv
