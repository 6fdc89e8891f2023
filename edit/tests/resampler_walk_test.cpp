// The resampler's fast walk against the plain one it replaced: every angle from 1 to 359 on
// odd and even sizes, colour and grey, must give the same bytes. `referenceResample` is the
// earlier walk, kept as it was.

#include "edit/compositing.h"
#include "edit/placement/document_geometry.h"
#include "edit/placement/picture_spin.h"
#include "edit/placement/picture_turns.h"
#include "edit/placement/placement_matrix.h"
#include "edit/placement/resampler.h"
#include "edit/tests/layer_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace lv::testing {
namespace {

template <int Bytes>
void referenceRows(const HDIB& source, HDIB& out, const std::vector<double>& colX, const std::vector<double>& colY,
                   double rowXk, double rowYk, double vOrigin, double centreX, double centreY, const std::uint8_t* fill)
{
    const int sw = source.width(), sh = source.height();
    for (int j = 0; j < out.height(); ++j) {
        const double v = j - vOrigin;
        const double rowX = rowXk * v + centreX, rowY = rowYk * v + centreY;
        std::uint8_t* dst = out.row(j);
        for (int i = 0; i < out.width(); ++i, dst += Bytes) {
            const double fx = colX[std::size_t(i)] + rowX, fy = colY[std::size_t(i)] + rowY;
            if (!(fx > -1.0 && fy > -1.0 && fx < 8.0 * sw && fy < 8.0 * sh)) {
                std::memcpy(dst, fill, Bytes);
                continue;
            }
            const int sx = int(fx), sy = int(fy);
            const int wx = sx & 7, wy = sy & 7, c0 = sx >> 3, r0 = sy >> 3;
            const int c1 = std::min(c0 + 1, sw - 1), r1 = std::min(r0 + 1, sh - 1);
            const std::uint8_t *p00 = source.row(r0) + c0 * Bytes, *p10 = source.row(r0) + c1 * Bytes;
            const std::uint8_t *p01 = source.row(r1) + c0 * Bytes, *p11 = source.row(r1) + c1 * Bytes;
            const int w00 = (8 - wx) * (8 - wy), w10 = wx * (8 - wy), w01 = (8 - wx) * wy, w11 = wx * wy;
            for (int b = 0; b < Bytes; ++b)
                dst[b] = std::uint8_t((w00 * p00[b] + w10 * p10[b] + w01 * p01[b] + w11 * p11[b] + 32) >> 6);
        }
    }
}

HDIB referenceResample(const HDIB& source, std::uint32_t background, const Placement& m)
{
    const int sw = source.width(), sh = source.height();
    double minCol = 0, maxCol = 0, minRow = 0, maxRow = 0;
    const double rows[4] = {0, 0, double(sh), double(sh)};
    const double cols[4] = {0, double(sw), 0, double(sw)};
    for (int i = 0; i < 4; ++i) {
        const double row = m[0] * rows[i] + m[1] * cols[i] + m[2];
        const double col = m[3] * rows[i] + m[4] * cols[i] + m[5];
        minRow = i == 0 ? row : std::min(minRow, row);
        maxRow = i == 0 ? row : std::max(maxRow, row);
        minCol = i == 0 ? col : std::min(minCol, col);
        maxCol = i == 0 ? col : std::max(maxCol, col);
    }
    const double spanCol = maxCol - minCol, spanRow = maxRow - minRow;
    const int w = std::max(1, Truncate(spanCol + 0.5)), h = std::max(1, Truncate(spanRow + 0.5));
    HDIB out = BlankPictureLike(source, w, h);
    const double k = 8.0 / (m[0] * m[4] - m[1] * m[3]);
    const double uOrigin = (spanCol - 1) / 2, vOrigin = (spanRow - 1) / 2;
    std::vector<double> colX(static_cast<std::size_t>(w)), colY(static_cast<std::size_t>(w));
    for (int i = 0; i < w; ++i) {
        colX[std::size_t(i)] = k * m[0] * (i - uOrigin);
        colY[std::size_t(i)] = k * m[1] * (i - uOrigin);
    }
    const double centreX = 4.0 * (sw - 1) + 0.5, centreY = 4.0 * (sh - 1) + 0.5;
    const std::uint8_t fill[3] = {std::uint8_t(background >> 16), std::uint8_t(background >> 8), std::uint8_t(background)};
    if (source.bitCount() == 24)
        referenceRows<3>(source, out, colX, colY, k * m[3], k * m[4], vOrigin, centreX, centreY, fill);
    else
        referenceRows<1>(source, out, colX, colY, k * m[3], k * m[4], vOrigin, centreX, centreY, fill);
    return out;
}

HDIB noise(int width, int height, int bits)
{
    HDIB dib = bits == 24 ? AllocatePicture(width, height, 24, 0) : MakeGreyPicture(width, height);
    std::uint32_t seed = std::uint32_t(width * 7919 + height);
    for (int y = 0; y < height; ++y)
        for (std::size_t b = 0; b < dib.stride(); ++b) {
            seed = seed * 1664525u + 1013904223u;
            dib.row(y)[b] = std::uint8_t(seed >> 24);
        }
    return dib;
}

bool samePixels(const HDIB& a, const HDIB& b)
{
    if (a.width() != b.width() || a.height() != b.height())
        return false;
    const std::size_t used = std::size_t(a.width()) * std::size_t(a.bitCount() / 8);
    for (int y = 0; y < a.height(); ++y)
        if (std::memcmp(a.row(y), b.row(y), used) != 0)
            return false;
    return true;
}

TEST(ResamplerWalk, EveryWholeAngleMatchesThePlainWalkOnOddAndEvenSizes)
{
    // Widths whose rows end in padding, both parities, a single row and column, and a source
    // wide enough for the vector path's interior.
    const int sizes[][2] = {{37, 23}, {40, 26}, {64, 1}, {1, 9}, {101, 77}};
    for (const auto& size : sizes)
        for (const int bits : {24, 8}) {
            const HDIB source = noise(size[0], size[1], bits);
            for (int angle = 1; angle < 360; ++angle) {
                const Placement spin = RotatePlacement(size[0] / 2.0, size[1] / 2.0, -angle * kApplyRadiansPerDegree);
                Rect placed;
                const HDIB fast = ResamplePlaced(source, placed, 0x3366CC, spin);
                ASSERT_TRUE(samePixels(fast, referenceResample(source, 0x3366CC, spin)))
                    << size[0] << "x" << size[1] << " at " << bits << " bits, " << angle << " degrees";
            }
        }
}

TEST(ResamplerWalk, ScaledTurnedAndMirroredPlacementsMatchThePlainWalk)
{
    const HDIB source = noise(53, 40, 24);
    const Placement placements[] = {
        ScalePlacement(3, 4, 1.7, 0.6),
        Compose(RotatePlacement(10.5, 7, 0.3), ScalePlacement(0, 0, 0.4, 2.25)),
        Compose(MirrorPlacement(false, 26.5), RotatePlacement(26.5, 20, 1.1)),
        Compose(TranslatePlacement(-5.25, 3.5), RotatePlacement(0, 0, -2.9)),
    };
    for (const Placement& m : placements) {
        Rect placed;
        EXPECT_TRUE(samePixels(ResamplePlaced(source, placed, 0xFFFFFF, m), referenceResample(source, 0xFFFFFF, m)));
    }
}

TEST(PictureSpin, IsTheSpunOneLayerDocumentsCompositeToTheByte)
{
    for (const int bits : {24, 8})
        for (const auto& size : {std::pair{41, 30}, std::pair{40, 29}})
            for (const double degrees : {1.0, 17.0, 90.0, 133.5, 271.0, -17.0}) {
                HDIB picture = noise(size.first, size.second, bits);
                picture.header().biXPelsPerMeter = 3780;
                const HDIB spun = SpinPicture(picture, degrees, 2);
                auto stack = CreateLayerStackFromImage(DibDuplicate(picture));
                CompositeLayers(*stack);
                ASSERT_TRUE(SpinDocument(*stack, degrees));
                ASSERT_TRUE(spun) << degrees;
                const HDIB& composite = stack->composite;
                EXPECT_EQ(spun.size(), composite.size());
                EXPECT_EQ(std::memcmp(spun.data(), composite.data(), std::min(spun.size(), composite.size())), 0)
                    << bits << " bits, " << size.first << "x" << size.second << ", " << degrees << " degrees";
            }
}

}  // namespace
}  // namespace lv::testing
