// Transitions through an 8 x 8 ordered-dither matrix: the slide shows through a pattern
// that fills in level by level.

#include "output/transition_families.h"
#include "output/transition_shapes.h"

#include <algorithm>
#include <array>
#include <vector>

namespace lv {

namespace {

constexpr std::uint8_t kBayer[8][8] = {
    {0, 32, 8, 40, 2, 34, 10, 42},  {48, 16, 56, 24, 50, 18, 58, 26},
    {12, 44, 4, 36, 14, 46, 6, 38}, {60, 28, 52, 20, 62, 30, 54, 22},
    {3, 35, 11, 43, 1, 33, 9, 41},  {51, 19, 59, 27, 49, 17, 57, 25},
    {15, 47, 7, 39, 13, 45, 5, 37}, {63, 31, 55, 23, 61, 29, 53, 21},
};

}  // namespace

TransitionPtr MakeTransparent(int width, int height)
{
    // A pixel shows from the first level above its matrix value: for levels 4, 8, ... 64
    // that is step value / 4. The pattern repeats from the slide's corner. The levels are
    // not paced: each is shown on its own screen refresh.
    class Unpaced final : public InPlaceReveal {
    public:
        using InPlaceReveal::InPlaceReveal;
        bool paced() const override { return false; }
    };
    return std::make_unique<Unpaced>(width, height, 16, [&](int y, std::uint32_t* out) {
        for (int x = 0; x < width; ++x)
            out[x] = kBayer[y % 8][x % 8] / 4u;
    });
}

TransitionPtr MakeRandomCrosswise(int width, int height, ShowRandom& random)
{
    // The matrix's values reordered by a random permutation, made by picking the k-th
    // value not yet taken, then shown through levels 6, 12, ... 60 and a last full one.
    std::array<int, 64> permutation{};
    std::vector<int> left(64);
    for (int i = 0; i < 64; ++i)
        left[std::size_t(i)] = i;
    for (int i = 0; i < 64; ++i) {
        const auto k = std::size_t(random.next() % (64 - i));
        permutation[std::size_t(i)] = left[k];
        left.erase(left.begin() + std::ptrdiff_t(k));
    }
    const int steps = 11;
    return shapes::RevealByStep(width, height, steps, [&](int x, int y) {
        return std::min(permutation[kBayer[y % 8][x % 8]] / 6, steps - 1);
    });
}

}  // namespace lv
