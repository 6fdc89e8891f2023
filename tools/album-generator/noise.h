#pragma once
// Smooth value noise for the textures: the same numbers on every machine and every run.

#include <cstdint>

namespace lv::artwork {

// Noise in 0..1, smooth between whole coordinates.
float ValueNoise(float x, float y, std::uint32_t seed);
// Octaves of noise, each twice as fine and half as strong; 0..1.
float Fractal(float x, float y, int octaves, std::uint32_t seed);
// The same noise wrapping every `period` units, so textures tile.
float TiledFractal(float x, float y, int octaves, int period, std::uint32_t seed);

}  // namespace lv::artwork
