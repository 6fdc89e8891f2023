#pragma once
// Rectangles and points in document pixels. Whether rows count from the top or from the
// bottom, and whether right and bottom are inclusive, is said by each function using them.

#include <cstdint>

namespace lv {

struct DocumentRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    bool operator==(const DocumentRect&) const = default;
};

struct DocumentPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const DocumentPoint&) const = default;
};

}  // namespace lv
