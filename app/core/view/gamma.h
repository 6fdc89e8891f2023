#pragma once
// Display gamma: the settings "GammaR/G/B" (gamma × 1000) turned into 256-entry tables.

#include <array>
#include <cstdint>

namespace lv {

using GammaTable = std::array<std::uint8_t, 256>;

struct GammaTables {
    GammaTable red;
    GammaTable green;
    GammaTable blue;
};

// The stored value × 0.001, kept within 0.001 .. 16.
double GammaFromSetting(int stored);
// Entry i = int(255 × (i / 255)^(1 / gamma) + 0.5).
GammaTable BuildGammaTable(double gamma);
GammaTables BuildGammaTables(int storedRed, int storedGreen, int storedBlue);

}  // namespace lv
