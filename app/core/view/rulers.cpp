#include "app/core/view/rulers.h"

#include "app/core/view/zoom.h"

#include <algorithm>

namespace lv {
namespace {

constexpr int kSmallestMinorSpacing = 4;

// Screen distance of `step` document pixels (at least one pixel).
int spacing(int step, int zoom)
{
    return std::max(ScaledLength(step, zoom), 1);
}

}  // namespace

int RulerStep(int zoom, int minimumSpacing)
{
    for (int power = 1; power <= 100000; power *= 10)
        for (const int factor : {1, 2, 5})
            if (spacing(factor * power, zoom) >= minimumSpacing)
                return factor * power;
    return 1000000;
}

std::vector<RulerTick> RulerTicks(int zoom, int origin, int length, int from, int to, int minimumSpacing)
{
    const int step = RulerStep(zoom, minimumSpacing);
    // The finest division of the step whose ticks keep apart on screen.
    int minor = step;
    for (const int parts : {10, 5, 2})
        if (step % parts == 0 && spacing(step / parts, zoom) >= kSmallestMinorSpacing) {
            minor = step / parts;
            break;
        }
    std::vector<RulerTick> ticks;
    // The first document pixel at or after `from`, rounded down to a minor tick.
    const int firstValue = std::max(DocumentOffset(std::max(from - origin, 0), zoom) / minor * minor, 0);
    for (int value = firstValue; value <= length; value += minor) {
        const int position = origin + ScaledLength(value, zoom);
        if (position >= to)
            break;
        if (position >= from)
            ticks.push_back({position, value, value % step == 0});
    }
    return ticks;
}

}  // namespace lv
