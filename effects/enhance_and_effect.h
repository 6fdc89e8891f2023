#pragma once
// The effects library's entry point: one-click enhancements and artistic effects on a
// 24-bit or 8-bit grey picture.

#include "imagelib/dib.h"

#include <cstdint>

namespace lv::effects {

struct EffectOptions {
    int threads = 0;  // worker threads for the big passes; 0 uses every processor
};

// Computes `operation` with `count` parameters (each 0–100; values outside are clamped)
// and returns a new picture of the same size and depth, resolution and colour table; the
// input is neither changed nor freed. Null for a null, malformed or palette picture, an
// unknown operation, a parameter count the operation does not take, or a null parameter
// array with a positive count. `reserved` is ignored. Neighbourhood effects on pictures
// narrower or lower than 2 pixels return an unchanged copy.
HDIB DoEnhanceAndEffect(const HDIB& picture, std::int32_t operation, const std::int32_t* parameters, std::int32_t count,
                        const void* reserved);
HDIB DoEnhanceAndEffect(const HDIB& picture, std::int32_t operation, const std::int32_t* parameters, std::int32_t count,
                        const void* reserved, const EffectOptions& options);

}  // namespace lv::effects
