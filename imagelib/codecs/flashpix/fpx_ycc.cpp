#include "imagelib/codecs/flashpix/fpx_ycc.h"

#include "imagelib/codecs/flashpix/fpx_layout.h"

#include <algorithm>
#include <array>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace lv::flashpix {
namespace {

constexpr int kChromaSize = kTileSize / 2;
constexpr int kMaxWidth = 256 * kTileSize;

// The library's fixed-point colour factors: 16 fraction bits, rounded.
constexpr int kScale = 16;
constexpr int fixed(double x)
{
    return int(x * (1 << kScale) + 0.5);
}
constexpr int kHalf = 1 << (kScale - 1);

// One chroma row made full size: the nearer sample row weighs 3, the farther 1, then
// across the same 3 : 1 with the library's alternating rounding; each tile's first and
// last columns see only themselves.
__attribute__((target_clones("avx2", "default"))) void upsampleRow(const std::uint8_t* plane, std::size_t width, int y, std::uint8_t* out)
{
    const std::size_t half = width / 2;
    const int nearRow = y / 2;
    const int farRow = y % 2 == 0 ? std::max(nearRow - 1, 0) : std::min(nearRow + 1, kChromaSize - 1);
    const std::uint8_t* nearer = plane + std::size_t(nearRow) * half;
    const std::uint8_t* farther = plane + std::size_t(farRow) * half;
    std::array<std::int16_t, kMaxWidth / 2 + 2> sums;
    std::int16_t* sum = sums.data() + 1;
    for (std::size_t j = 0; j < half; ++j)
        sum[j] = std::int16_t(3 * nearer[j] + farther[j]);
    sum[-1] = sum[0];
    sum[half] = sum[half - 1];
    for (std::size_t j = 0; j < half; ++j) {
        out[2 * j] = std::uint8_t((3 * sum[j] + sum[j - 1] + 8) >> 4);
        out[2 * j + 1] = std::uint8_t((3 * sum[j] + sum[j + 1] + 7) >> 4);
    }
    for (std::size_t j = 0; j < half; j += kChromaSize) {
        out[2 * j] = std::uint8_t((4 * sum[j] + 8) >> 4);
        const std::size_t last = j + kChromaSize - 1;
        out[2 * last + 1] = std::uint8_t((4 * sum[last] + 7) >> 4);
    }
}

// Pixels [from, count) into blue-green-red.
void convertSimply(const std::uint8_t* luma, const std::uint8_t* blue, const std::uint8_t* red, std::size_t from,
                   std::size_t count, std::uint8_t* bgr)
{
    for (std::size_t x = from; x < count; ++x) {
        const int l = luma[x], cb = blue[x] - 128, cr = red[x] - 128;
        bgr[3 * x] = std::uint8_t(std::clamp(l + ((fixed(1.77200) * cb + kHalf) >> kScale), 0, 255));
        bgr[3 * x + 1] = std::uint8_t(std::clamp(l + ((-fixed(0.34414) * cb + kHalf - fixed(0.71414) * cr) >> kScale), 0, 255));
        bgr[3 * x + 2] = std::uint8_t(std::clamp(l + ((fixed(1.40200) * cr + kHalf) >> kScale), 0, 255));
    }
}

#if defined(__x86_64__) || defined(__i386__)
// Byte j of the shuffle that takes plane `plane`'s share of output word `word` of 16
// interleaved pixels; -1 (zero) for the bytes of the other planes.
constexpr std::int8_t interleavedByte(int word, int plane, int j)
{
    const int k = 16 * word + j;
    return k % 3 == plane ? std::int8_t(k / 3) : std::int8_t(-1);
}

template <int Word, int Plane>
__attribute__((target("avx2"))) inline __m128i interleavedPart(__m128i plane)
{
    constexpr auto m = [](int j) { return interleavedByte(Word, Plane, j); };
    return _mm_shuffle_epi8(plane, _mm_setr_epi8(m(0), m(1), m(2), m(3), m(4), m(5), m(6), m(7), m(8), m(9), m(10), m(11),
                                                 m(12), m(13), m(14), m(15)));
}

template <int Word>
__attribute__((target("avx2"))) inline __m128i interleavedWord(__m128i b, __m128i g, __m128i r)
{
    return _mm_or_si128(_mm_or_si128(interleavedPart<Word, 0>(b), interleavedPart<Word, 1>(g)), interleavedPart<Word, 2>(r));
}

__attribute__((target("avx2"))) inline __m256i widened(const std::uint8_t* p)
{
    return _mm256_cvtepu8_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)));
}

// Sixteen sums in two halves as bytes, in order; packing saturates as the clamp does.
__attribute__((target("avx2"))) inline __m128i clampedBytes(__m256i first, __m256i second)
{
    const __m256i words = _mm256_permute4x64_epi64(_mm256_packus_epi32(first, second), 0xD8);
    return _mm_packus_epi16(_mm256_castsi256_si128(words), _mm256_extracti128_si256(words, 1));
}

// The same sums sixteen pixels at a time in 32-bit lanes, woven straight into pixels.
__attribute__((target("avx2"))) std::size_t convertAvx2(const std::uint8_t* luma, const std::uint8_t* blue,
                                                        const std::uint8_t* red, std::size_t count, std::uint8_t* bgr)
{
    const __m256i centre = _mm256_set1_epi32(128), half = _mm256_set1_epi32(kHalf);
    const __m256i cbToB = _mm256_set1_epi32(fixed(1.77200)), cbToG = _mm256_set1_epi32(-fixed(0.34414));
    const __m256i crToG = _mm256_set1_epi32(-fixed(0.71414)), crToR = _mm256_set1_epi32(fixed(1.40200));
    std::size_t x = 0;
    for (; x + 16 <= count; x += 16, bgr += 48) {
        __m256i b[2], g[2], r[2];
        for (int k = 0; k < 2; ++k) {
            const std::size_t at = x + 8 * std::size_t(k);
            const __m256i l = widened(luma + at);
            const __m256i cb = _mm256_sub_epi32(widened(blue + at), centre);
            const __m256i cr = _mm256_sub_epi32(widened(red + at), centre);
            b[k] = _mm256_add_epi32(l, _mm256_srai_epi32(_mm256_add_epi32(_mm256_mullo_epi32(cb, cbToB), half), kScale));
            g[k] = _mm256_add_epi32(
                l, _mm256_srai_epi32(_mm256_add_epi32(_mm256_add_epi32(_mm256_mullo_epi32(cb, cbToG), half),
                                                      _mm256_mullo_epi32(cr, crToG)),
                                     kScale));
            r[k] = _mm256_add_epi32(l, _mm256_srai_epi32(_mm256_add_epi32(_mm256_mullo_epi32(cr, crToR), half), kScale));
        }
        const __m128i vb = clampedBytes(b[0], b[1]), vg = clampedBytes(g[0], g[1]), vr = clampedBytes(r[0], r[1]);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(bgr), interleavedWord<0>(vb, vg, vr));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(bgr + 16), interleavedWord<1>(vb, vg, vr));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(bgr + 32), interleavedWord<2>(vb, vg, vr));
    }
    return x;
}
#endif

}  // namespace

void TileRowToBgr(const YccRow& row, int y, std::size_t pixels, std::uint8_t* bgr)
{
    std::array<std::uint8_t, kMaxWidth> blue, red;
    const std::size_t width = std::min<std::size_t>(row.width, kMaxWidth);
    const std::size_t count = std::min(pixels, width);
    upsampleRow(row.blue, width, y, blue.data());
    upsampleRow(row.red, width, y, red.data());
    const std::uint8_t* luma = row.luma + std::size_t(y) * row.width;
    std::size_t x = 0;
#if defined(__x86_64__) || defined(__i386__)
    static const bool avx2 = __builtin_cpu_supports("avx2");
    if (avx2)
        x = convertAvx2(luma, blue.data(), red.data(), count, bgr);
#endif
    convertSimply(luma, blue.data(), red.data(), x, count, bgr);
}

}  // namespace lv::flashpix
