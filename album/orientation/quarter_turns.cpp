#include "album/orientation/quarter_turns.h"

#include <array>

namespace lv::orientation {
namespace {

// Each orientation as the 2×2 matrix it applies to pixel positions (x right, y down).
struct Matrix {
    int a, b, c, d;
    bool operator==(const Matrix&) const = default;
};

constexpr std::array<Matrix, 8> kMatrices = {{
    {1, 0, 0, 1},    // 1
    {-1, 0, 0, 1},   // 2 mirrored left to right
    {-1, 0, 0, -1},  // 3 half turn
    {1, 0, 0, -1},   // 4 mirrored top to bottom
    {0, 1, 1, 0},    // 5 transposed
    {0, -1, 1, 0},   // 6 quarter turn clockwise
    {0, -1, -1, 0},  // 7 transversed
    {0, 1, -1, 0},   // 8 quarter turn anticlockwise
}};

Matrix MatrixOf(int orientation)
{
    return orientation >= 1 && orientation <= 8 ? kMatrices[std::size_t(orientation - 1)] : kMatrices[0];
}

}  // namespace

int Combine(int first, int second)
{
    const Matrix f = MatrixOf(first), s = MatrixOf(second);
    const Matrix product{s.a * f.a + s.b * f.c, s.a * f.b + s.b * f.d, s.c * f.a + s.d * f.c, s.c * f.b + s.d * f.d};
    for (std::size_t i = 0; i < kMatrices.size(); ++i)
        if (kMatrices[i] == product)
            return int(i) + 1;
    return 1;
}

int TransformForTurn(int stored, Turn turn)
{
    switch (turn) {
    case Turn::Left: return Combine(stored, 8);
    case Turn::Right: return Combine(stored, 6);
    case Turn::Upright: return Combine(stored, 1);
    }
    return 1;
}

}  // namespace lv::orientation
