#include "imagelib/codecs/flashpix/fpx_raster.h"

#include "imagelib/dib_alloc.h"
#include "imagelib/codecs/flashpix/fpx_layout.h"

#include <algorithm>
#include <cstring>
#include <new>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace lv::flashpix {
namespace {

// The mean of 2 x 2 blocks of grey or blue-green-red pixels, for `count` output pixels
// whose blocks lie wholly in the rows.
template <int C>
void halvePairsSimply(const std::uint8_t* top, const std::uint8_t* bottom, std::uint8_t* out, int count)
{
    for (int x = 0; x < count; ++x)
        for (int k = 0; k < C; ++k) {
            const int at = 2 * x * C + k;
            out[x * C + k] = std::uint8_t((top[at] + top[at + C] + bottom[at] + bottom[at + C] + 2) >> 2);
        }
}

#if defined(__x86_64__) || defined(__i386__)
// (a + b + c + d + 2) >> 2 for 32 bytes at once. Averaging the two rounded-up pair means
// overshoots by one exactly when their sum is odd and either pair's sum was odd.
__attribute__((target("avx2"))) __m256i meanOfFour(__m256i a, __m256i b, __m256i c, __m256i d)
{
    const __m256i p = _mm256_avg_epu8(a, b), q = _mm256_avg_epu8(c, d);
    const __m256i oddHalves = _mm256_or_si256(_mm256_xor_si256(a, b), _mm256_xor_si256(c, d));
    const __m256i overshoot = _mm256_and_si256(_mm256_and_si256(_mm256_xor_si256(p, q), oddHalves), _mm256_set1_epi8(1));
    return _mm256_sub_epi8(_mm256_avg_epu8(p, q), overshoot);
}

// 16 bytes at `first` in the low lane, 16 at `second` in the high one.
__attribute__((target("avx2"))) __m256i inLanes(const std::uint8_t* first, const std::uint8_t* second)
{
    return _mm256_loadu2_m128i(reinterpret_cast<const __m128i*>(second), reinterpret_cast<const __m128i*>(first));
}

// Blue-green-red, sixteen output pixels at a time: each 128-bit lane takes 48 bytes of each
// row, works out every byte's mean with the same channel of the next pixel, and picks out
// the even pixels' means.
__attribute__((target("avx2"))) void halveColourPairsAvx2(const std::uint8_t* top, const std::uint8_t* bottom,
                                                           std::uint8_t* out, int count)
{
    const __m256i pickFirst = _mm256_setr_epi8(0, 1, 2, 6, 7, 8, 12, 13, 14, -1, -1, -1, -1, -1, -1, -1,  //
                                               0, 1, 2, 6, 7, 8, 12, 13, 14, -1, -1, -1, -1, -1, -1, -1);
    const __m256i pickSecond = _mm256_setr_epi8(-1, -1, -1, -1, -1, -1, -1, -1, -1, 2, 3, 4, 8, 9, 10, 14,  //
                                                -1, -1, -1, -1, -1, -1, -1, -1, -1, 2, 3, 4, 8, 9, 10, 14);
    const __m256i pickSecondTail = _mm256_setr_epi8(15, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1,  //
                                                    15, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1);
    const __m256i pickThird = _mm256_setr_epi8(-1, 0, 4, 5, 6, 10, 11, 12, -1, -1, -1, -1, -1, -1, -1, -1,  //
                                               -1, 0, 4, 5, 6, 10, 11, 12, -1, -1, -1, -1, -1, -1, -1, -1);
    int x = 0;
    // The loads reach 3 bytes past the 96, so the last block is left to the plain loop.
    for (; x + 17 <= count; x += 16) {
        const std::uint8_t* t = top + 6 * x;
        const std::uint8_t* b = bottom + 6 * x;
        __m256i means[3];
        for (int r = 0; r < 3; ++r) {
            const int at = 16 * r;
            means[r] = meanOfFour(inLanes(t + at, t + 48 + at), inLanes(b + at, b + 48 + at),
                                  inLanes(t + at + 3, t + 48 + at + 3), inLanes(b + at + 3, b + 48 + at + 3));
        }
        const __m256i first = _mm256_or_si256(_mm256_shuffle_epi8(means[0], pickFirst), _mm256_shuffle_epi8(means[1], pickSecond));
        const __m256i rest = _mm256_or_si256(_mm256_shuffle_epi8(means[1], pickSecondTail), _mm256_shuffle_epi8(means[2], pickThird));
        std::uint8_t* o = out + 3 * x;
        _mm_storeu_si128(reinterpret_cast<__m128i*>(o), _mm256_castsi256_si128(first));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(o + 16), _mm256_castsi256_si128(rest));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(o + 24), _mm256_extracti128_si256(first, 1));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(o + 40), _mm256_extracti128_si256(rest, 1));
    }
    halvePairsSimply<3>(top + 6 * x, bottom + 6 * x, out + 3 * x, count - x);
}

bool haveAvx2()
{
    static const bool have = __builtin_cpu_supports("avx2");
    return have;
}
#endif

template <int C>
void halvePairs(const std::uint8_t* top, const std::uint8_t* bottom, std::uint8_t* out, int count)
{
#if defined(__x86_64__) || defined(__i386__)
    if constexpr (C == 3)
        if (haveAvx2())
            return halveColourPairsAvx2(top, bottom, out, count);
#endif
    halvePairsSimply<C>(top, bottom, out, count);
}

}  // namespace

std::optional<Raster> Raster::View(const HDIB& picture)
{
    const ImageType type = DibGetType(picture);
    if (type != IMG_GREY8 && type != IMG_RGB24)
        return std::nullopt;
    Raster raster;
    raster.width = picture.width();
    raster.height = picture.height();
    raster.channels = type == IMG_GREY8 ? 1 : 3;
    raster.top_ = picture.row(picture.height() - 1);
    raster.stride_ = -std::ptrdiff_t(picture.stride());
    return raster;
}

std::optional<Raster> Raster::Make(int width, int height, int channels)
{
    Raster raster;
    raster.width = width;
    raster.height = height;
    raster.channels = channels;
    try {
        raster.own_ = std::make_unique_for_overwrite<std::uint8_t[]>(std::size_t(width) * std::size_t(height) * std::size_t(channels));
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    raster.top_ = raster.own_.get();
    raster.stride_ = std::ptrdiff_t(width) * channels;
    return raster;
}

std::optional<Raster> MakeHalf(const Raster& source)
{
    return Raster::Make((source.width + 1) / 2, (source.height + 1) / 2, source.channels);
}

void CopyTile(const Raster& source, int tileX, int tileY, std::uint8_t* tile)
{
    const std::size_t c = std::size_t(source.channels);
    const int x0 = tileX * kTileSize;
    const int width = std::min(kTileSize, source.width - x0);
    for (int y = 0; y < kTileSize; ++y) {
        const std::uint8_t* in = source.row(std::min(tileY * kTileSize + y, source.height - 1)) + std::size_t(x0) * c;
        std::uint8_t* out = tile + std::size_t(y) * kTileSize * c;
        std::memcpy(out, in, std::size_t(width) * c);
        const std::uint8_t* last = in + std::size_t(width - 1) * c;
        for (std::uint8_t* pixel = out + std::size_t(width) * c; pixel < out + std::size_t(kTileSize) * c; pixel += c)
            for (std::size_t k = 0; k < c; ++k)
                pixel[k] = last[k];
    }
}

void HalveRows(const Raster& source, int first, int end, Raster& half)
{
    const int c = source.channels;
    const int pairs = source.width / 2;
    for (int y = first; y < end; ++y) {
        const std::uint8_t* top = source.row(2 * y);
        const std::uint8_t* bottom = source.row(std::min(2 * y + 1, source.height - 1));
        std::uint8_t* out = half.ownRow(y);
        if (c == 3)
            halvePairs<3>(top, bottom, out, pairs);
        else
            halvePairs<1>(top, bottom, out, pairs);
        // An odd last column pairs with itself.
        if (source.width % 2 != 0)
            for (int k = 0; k < c; ++k) {
                const std::size_t at = std::size_t(source.width - 1) * std::size_t(c) + std::size_t(k);
                out[std::size_t(pairs) * std::size_t(c) + std::size_t(k)] = std::uint8_t((2 * top[at] + 2 * bottom[at] + 2) >> 2);
            }
    }
}

bool TileIsOneColour(const Raster& source, int tileX, int tileY)
{
    const int c = source.channels;
    const int x0 = tileX * kTileSize, y0 = tileY * kTileSize;
    const int w = std::min(kTileSize, source.width - x0), h = std::min(kTileSize, source.height - y0);
    const std::uint8_t* first = source.row(y0) + std::size_t(x0) * std::size_t(c);
    // The first row must repeat its first pixel; every other row must equal the first row.
    for (int x = 1; x < w; ++x)
        if (std::memcmp(first, first + x * c, std::size_t(c)) != 0)
            return false;
    for (int y = 1; y < h; ++y)
        if (std::memcmp(first, source.row(y0 + y) + std::size_t(x0) * std::size_t(c), std::size_t(w) * std::size_t(c)) != 0)
            return false;
    return true;
}

}  // namespace lv::flashpix
