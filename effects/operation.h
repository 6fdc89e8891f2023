#pragma once
// What every operation of the library declares and receives.

#include "effects/raster.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace lv::effects {

struct PictureStatistics;

// Parameters after checking: each clamped to 0–100.
struct Parameters {
    std::array<int, 3> values{50, 50, 50};
    int count = 0;
    int operator[](int i) const { return values[std::size_t(i)]; }
    // -1 … 1, 0 at the neutral value 50.
    double signedStrength(int i) const { return (values[std::size_t(i)] - 50) / 50.0; }
    // 0 … 1.
    double strength(int i) const { return values[std::size_t(i)] / 100.0; }
};

// Where the raster being computed sits, in working pixels: the whole picture at `scale`
// working pixels per picture pixel, and the raster's top-left corner within it. Anything
// tied to positions (tile grids, noise, the centre of a distortion) uses these, so a
// part computed alone matches the same part of the whole.
struct Context {
    int fullWidth = 0;
    int fullHeight = 0;
    int originX = 0;
    int originY = 0;
    double scale = 1.0;
    const PictureStatistics* statistics = nullptr;
    int threads = 1;

    // Working pixels of one "effect unit": a pixel of an 800-pixel-wide picture, so
    // artistic effects look alike on small and large pictures.
    double effectUnit() const;
};

// Margins are in working pixels; this one means "the whole picture".
inline constexpr int kWholePicture = 1 << 30;

struct OperationSpec {
    int code = 0;
    int minCount = 1;           // parameters accepted
    int maxCount = 1;
    bool neighbourhood = false; // leaves pictures narrower or lower than 2 pixels alone
    bool colourOnly = false;    // grey pictures are widened for it and brought back by luma
    bool usesStatistics = false;
    int (*margin)(const Parameters&, const Context&) = nullptr;  // null: no neighbourhood
    void (*run)(ConstRaster in, Raster out, const Parameters&, const Context&) = nullptr;
};

// Every operation of the library, enhancements first.
std::span<const OperationSpec> AllOperations();
const OperationSpec* FindOperation(int code);

// The family tables the whole list is made of.
std::span<const OperationSpec> EnhancementOperations();
std::span<const OperationSpec> ToneEffects();
std::span<const OperationSpec> EdgeEffects();
std::span<const OperationSpec> PaintEffects();
std::span<const OperationSpec> TileEffects();
std::span<const OperationSpec> DistortEffects();
std::span<const OperationSpec> BlurEffects();
std::span<const OperationSpec> NoiseEffects();

}  // namespace lv::effects
