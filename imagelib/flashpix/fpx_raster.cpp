#include "imagelib/flashpix/fpx_raster.h"

#include "imagelib/dib_alloc.h"
#include "imagelib/flashpix/fpx_layout.h"

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
// (a + b + c + d + 2) >> 2 for 16 bytes at once. Averaging the two rounded-up pair means
// overshoots by one exactly when their sum is odd and either pair's sum was odd.
__attribute__((target("ssse3"))) __m128i meanOfFour(__m128i a, __m128i b, __m128i c, __m128i d)
{
    const __m128i p = _mm_avg_epu8(a, b), q = _mm_avg_epu8(c, d);
    const __m128i oddHalves = _mm_or_si128(_mm_xor_si128(a, b), _mm_xor_si128(c, d));
    const __m128i overshoot = _mm_and_si128(_mm_and_si128(_mm_xor_si128(p, q), oddHalves), _mm_set1_epi8(1));
    return _mm_sub_epi8(_mm_avg_epu8(p, q), overshoot);
}

// Blue-green-red, eight output pixels from 48 bytes of each row at a time: every byte's
// mean with the same channel of the next pixel, then the even pixels' means picked out.
__attribute__((target("ssse3"))) void halveColourPairsSsse3(const std::uint8_t* top, const std::uint8_t* bottom,
                                                             std::uint8_t* out, int count)
{
    const __m128i pickFirst = _mm_setr_epi8(0, 1, 2, 6, 7, 8, 12, 13, 14, -1, -1, -1, -1, -1, -1, -1);
    const __m128i pickSecond = _mm_setr_epi8(-1, -1, -1, -1, -1, -1, -1, -1, -1, 2, 3, 4, 8, 9, 10, 14);
    const __m128i pickSecondTail = _mm_setr_epi8(15, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1);
    const __m128i pickThird = _mm_setr_epi8(-1, 0, 4, 5, 6, 10, 11, 12, -1, -1, -1, -1, -1, -1, -1, -1);
    int x = 0;
    // The loads reach 3 bytes past the 48, so the last block is left to the plain loop.
    for (; x + 9 <= count; x += 8) {
        const std::uint8_t* t = top + 6 * x;
        const std::uint8_t* b = bottom + 6 * x;
        __m128i means[3];
        for (int r = 0; r < 3; ++r) {
            const auto load = [](const std::uint8_t* at) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at)); };
            means[r] = meanOfFour(load(t + 16 * r), load(b + 16 * r), load(t + 16 * r + 3), load(b + 16 * r + 3));
        }
        const __m128i first = _mm_or_si128(_mm_shuffle_epi8(means[0], pickFirst), _mm_shuffle_epi8(means[1], pickSecond));
        const __m128i rest = _mm_or_si128(_mm_shuffle_epi8(means[1], pickSecondTail), _mm_shuffle_epi8(means[2], pickThird));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 3 * x), first);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + 3 * x + 16), rest);
    }
    halvePairsSimply<3>(top + 6 * x, bottom + 6 * x, out + 3 * x, count - x);
}

bool haveSsse3()
{
    static const bool have = __builtin_cpu_supports("ssse3");
    return have;
}
#endif

template <int C>
void halvePairs(const std::uint8_t* top, const std::uint8_t* bottom, std::uint8_t* out, int count)
{
#if defined(__x86_64__) || defined(__i386__)
    if constexpr (C == 3)
        if (haveSsse3())
            return halveColourPairsSsse3(top, bottom, out, count);
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
        for (int x = width; x < kTileSize; ++x)
            std::memcpy(out + std::size_t(x) * c, in + std::size_t(width - 1) * c, c);
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
