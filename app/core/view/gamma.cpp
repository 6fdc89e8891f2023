#include "app/core/view/gamma.h"

#include <algorithm>
#include <cmath>

namespace lv {

double GammaFromSetting(int stored)
{
    return std::clamp(stored * 0.001, 0.001, 16.0);
}

GammaTable BuildGammaTable(double gamma)
{
    GammaTable table{};
    for (int i = 0; i < 256; ++i)
        table[i] = static_cast<std::uint8_t>(255.0 * std::pow(i / 255.0, 1.0 / gamma) + 0.5);
    return table;
}

GammaTables BuildGammaTables(int storedRed, int storedGreen, int storedBlue)
{
    return {BuildGammaTable(GammaFromSetting(storedRed)), BuildGammaTable(GammaFromSetting(storedGreen)),
            BuildGammaTable(GammaFromSetting(storedBlue))};
}

}  // namespace lv
