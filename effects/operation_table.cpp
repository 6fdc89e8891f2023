#include "effects/operation.h"

#include <algorithm>
#include <vector>

namespace lv::effects {

double Context::effectUnit() const
{
    const double pictureSide = std::max(fullWidth, fullHeight) / (scale > 0 ? scale : 1.0);
    return scale * std::max(1.0, pictureSide / 800.0);
}

std::span<const OperationSpec> AllOperations()
{
    static const std::vector<OperationSpec> all = [] {
        std::vector<OperationSpec> list;
        for (const auto family : {EnhancementOperations(), ToneEffects(), EdgeEffects(), PaintEffects(), TileEffects(),
                                  DistortEffects(), BlurEffects(), NoiseEffects()})
            list.insert(list.end(), family.begin(), family.end());
        return list;
    }();
    return all;
}

const OperationSpec* FindOperation(int code)
{
    const auto all = AllOperations();
    const auto found = std::find_if(all.begin(), all.end(), [code](const OperationSpec& s) { return s.code == code; });
    return found == all.end() ? nullptr : &*found;
}

}  // namespace lv::effects
