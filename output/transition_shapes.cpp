#include "output/transition_shapes.h"

#include <numeric>

namespace lv::shapes {

double TurnFraction(double dx, double dy)
{
    const double ax = std::abs(dx), ay = std::abs(dy);
    if (ax == 0 && ay == 0)
        return 0;
    // The angle to the nearer horizontal or vertical axis, in turns.
    const double z = std::min(ax, ay) / std::max(ax, ay);
    const double nearAxis = (0.785398 * z + 0.273 * z * (1 - z)) / 6.283185;
    const double fromVertical = ax >= ay ? 0.25 - nearAxis : nearAxis;
    if (dx >= 0)
        return dy <= 0 ? fromVertical : 0.5 - fromVertical;
    return dy > 0 ? 0.5 + fromVertical : 1.0 - fromVertical;
}

std::vector<int> RandomPermutation(int n, ShowRandom& random)
{
    std::vector<int> order(std::size_t(std::max(n, 0)));
    std::iota(order.begin(), order.end(), 0);
    for (int i = n - 1; i > 0; --i)
        std::swap(order[std::size_t(i)], order[std::size_t(random.below(i + 1))]);
    return order;
}

}  // namespace lv::shapes
