#pragma once
// A rectangle as four integers; right and bottom are exclusive.

#include <cstdint>

namespace lv {

struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    std::int32_t width() const { return right - left; }
    std::int32_t height() const { return bottom - top; }
    bool operator==(const Rect&) const = default;
};

}  // namespace lv
