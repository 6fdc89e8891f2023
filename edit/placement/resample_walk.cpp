#include "edit/placement/resample_walk.h"

#include "common/processors.h"
#include "common/worker_pool.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define LV_WALK_SSSE3 1
#endif

namespace lv {
namespace {

struct Source {
    const std::uint8_t* first;  // row 0
    std::ptrdiff_t step;        // from one row to the next
    int width, height;
    double limitX, limitY;
};

inline bool inside(const Source& s, double fx, double fy)
{
    // Truncation toward zero sends (-1, 0) to 0, which lies inside.
    return fx > -1.0 && fy > -1.0 && fx < s.limitX && fy < s.limitY;
}

// Samples move monotonically along a row, so those inside form one run [first, end). It is
// estimated from the row's end points and then settled with the exact test.
std::pair<int, int> insideRun(const Source& s, const double* colX, const double* colY, int w, double rowX,
                              double rowY)
{
    const auto in = [&](int i) { return inside(s, colX[i] + rowX, colY[i] + rowY); };
    double lo = 0, hi = w;
    const auto narrow = [&](double a0, double a1, double low, double high) {
        const double slope = w > 1 ? (a1 - a0) / (w - 1) : 0;
        if (slope == 0) {
            if (!(a0 > low && a0 < high))
                hi = -1;
            return;
        }
        double t1 = (low - a0) / slope, t2 = (high - a0) / slope;
        if (t1 > t2)
            std::swap(t1, t2);
        lo = std::max(lo, t1);
        hi = std::min(hi, t2 + 1);
    };
    narrow(colX[0] + rowX, colX[w - 1] + rowX, -1.0, s.limitX);
    narrow(colY[0] + rowY, colY[w - 1] + rowY, -1.0, s.limitY);
    if (lo < hi && lo >= 0 && hi <= w) {
        const int probe = std::clamp(int((lo + hi) / 2), 0, w - 1);
        if (in(probe)) {
            int first = std::clamp(int(lo), 0, probe);
            if (in(first))
                while (first > 0 && in(first - 1))
                    --first;
            else
                while (!in(first))
                    ++first;
            int end = std::clamp(int(hi) + 1, probe + 1, w);
            if (in(end - 1))
                while (end < w && in(end))
                    ++end;
            else
                while (!in(end - 1))
                    --end;
            return {first, end};
        }
    }
    // Too thin a run to estimate: look at every sample.
    int first = 0;
    while (first < w && !in(first))
        ++first;
    int end = first;
    while (end < w && in(end))
        ++end;
    return {first, end};
}

template <int Bytes>
inline void interpolate(const Source& s, double fx, double fy, std::uint8_t* dst)
{
    const int sx = int(fx);
    const int sy = int(fy);
    const int wx = sx & 7;
    const int wy = sy & 7;
    const int c0 = sx >> 3;
    const int r0 = sy >> 3;
    const int c1 = std::min(c0 + 1, s.width - 1);
    const int r1 = std::min(r0 + 1, s.height - 1);
    const std::uint8_t* low = s.first + r0 * s.step;
    const std::uint8_t* high = s.first + r1 * s.step;
    const std::uint8_t* p00 = low + c0 * Bytes;
    const std::uint8_t* p10 = low + c1 * Bytes;
    const std::uint8_t* p01 = high + c0 * Bytes;
    const std::uint8_t* p11 = high + c1 * Bytes;
    const int w00 = (8 - wx) * (8 - wy), w10 = wx * (8 - wy), w01 = (8 - wx) * wy, w11 = wx * wy;
    for (int b = 0; b < Bytes; ++b)
        dst[b] = std::uint8_t((w00 * p00[b] + w10 * p10[b] + w01 * p01[b] + w11 * p11[b] + 32) >> 6);
}

template <int Bytes>
void walkPlain(const Source& s, const double* colX, const double* colY, double rowX, double rowY, int first,
               int end, std::uint8_t* row)
{
    for (int i = first; i < end; ++i)
        interpolate<Bytes>(s, colX[i] + rowX, colY[i] + rowY, row + i * Bytes);
}

#ifdef LV_WALK_SSSE3
// Both source rows' two neighbours in one register, paired by channel, times the four weights:
// each sum fits 16 bits (at most 64 × 255 + 32), so the integers are the plain walk's.
__attribute__((target("ssse3"))) void walkColourSsse3(const Source& s, const double* colX, const double* colY,
                                                      double rowX, double rowY, int first, int end,
                                                      std::uint8_t* row)
{
    const __m128i pairUp = _mm_setr_epi8(0, 3, 1, 4, 2, 5, -1, -1, 8, 11, 9, 12, 10, 13, -1, -1);
    const __m128i half = _mm_set1_epi16(32);
    // Interior: the right neighbour and two bytes past it exist, and so does the row below.
    const double interiorX = 8.0 * (s.width - 2);
    const double interiorY = 8.0 * (s.height - 1);
    for (int i = first; i < end; ++i) {
        const double fx = colX[i] + rowX;
        const double fy = colY[i] + rowY;
        std::uint8_t* dst = row + i * 3;
        if (!(fx < interiorX && fy < interiorY)) {
            interpolate<3>(s, fx, fy, dst);
            continue;
        }
        const int sx = int(fx);
        const int sy = int(fy);
        const int wx = sx & 7;
        const int wy = sy & 7;
        const std::uint8_t* p00 = s.first + (sy >> 3) * s.step + (sx >> 3) * 3;
        const __m128i both = _mm_unpacklo_epi64(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p00)),
                                                _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p00 + s.step)));
        const int top = 8 - wy;
        const std::int16_t upper = std::int16_t(((8 - wx) * top) | ((wx * top) << 8));
        const std::int16_t lower = std::int16_t(((8 - wx) * wy) | ((wx * wy) << 8));
        const __m128i weights = _mm_setr_epi16(upper, upper, upper, 0, lower, lower, lower, 0);
        const __m128i sums = _mm_maddubs_epi16(_mm_shuffle_epi8(both, pairUp), weights);
        const __m128i total = _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(sums, _mm_srli_si128(sums, 8)), half), 6);
        const std::uint32_t pixel = std::uint32_t(_mm_cvtsi128_si32(_mm_packus_epi16(total, total)));
        // The fourth byte lands on the next pixel, written after; the last pixel writes three.
        std::memcpy(dst, &pixel, i + 1 < end ? 4 : 3);
    }
}

bool haveSsse3()
{
    static const bool have = __builtin_cpu_supports("ssse3");
    return have;
}
#endif

template <int Bytes>
void walkBand(const Source& s, HDIB& out, const ResampleWalk& walk, int rowBegin, int rowEnd)
{
    const int w = out.width();
    const double* colX = walk.colX.data();
    const double* colY = walk.colY.data();
    for (int j = rowBegin; j < rowEnd; ++j) {
        const double v = j - walk.vOrigin;
        const double rowX = walk.rowXk * v + walk.centreX;
        const double rowY = walk.rowYk * v + walk.centreY;
        std::uint8_t* row = out.row(j);
        const auto [first, end] = insideRun(s, colX, colY, w, rowX, rowY);
#ifdef LV_WALK_SSSE3
        if (Bytes == 3 && haveSsse3())
            walkColourSsse3(s, colX, colY, rowX, rowY, first, end, row);
        else
#endif
            walkPlain<Bytes>(s, colX, colY, rowX, rowY, first, end, row);
        for (int i = 0; i < first; ++i)
            std::memcpy(row + i * Bytes, walk.fill, Bytes);
        for (int i = end; i < w; ++i)
            std::memcpy(row + i * Bytes, walk.fill, Bytes);
    }
}

}  // namespace

void WalkRows(const HDIB& source, HDIB& out, const ResampleWalk& walk, int threads)
{
    const Source s{source.row(0), source.height() > 1 ? source.row(1) - source.row(0) : 0, source.width(),
                   source.height(), 8.0 * source.width(), 8.0 * source.height()};
    const int h = out.height();
    const int used = std::clamp(threads <= 0 ? ProcessorCount() : threads, 1, std::max(1, h / 16));
    ParallelFor(h, used, [&](int begin, int end) {
        if (source.bitCount() == 24)
            walkBand<3>(s, out, walk, begin, end);
        else
            walkBand<1>(s, out, walk, begin, end);
    });
}

}  // namespace lv
