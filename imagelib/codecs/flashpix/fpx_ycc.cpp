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

// Sixteen 8-bit samples as 16-bit lanes, less `minus`.
__attribute__((target("avx2"))) inline __m256i widened(const std::uint8_t* p, __m256i minus)
{
    return _mm256_sub_epi16(_mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p))), minus);
}

// (pair . factors + kHalf) >> kScale for each 16-bit pair, exact in 32 bits.
__attribute__((target("avx2"))) inline __m256i roundedSums(__m256i pairs, __m256i factors)
{
    return _mm256_srai_epi32(_mm256_add_epi32(_mm256_madd_epi16(pairs, factors), _mm256_set1_epi32(kHalf)), kScale);
}

// The same for the 16-bit pairs of `a` and `b` taken in turn, back in 16-bit lanes in
// the order of `a`.
__attribute__((target("avx2"))) inline __m256i pairSums(__m256i a, __m256i b, __m256i factors)
{
    return _mm256_packs_epi32(roundedSums(_mm256_unpacklo_epi16(a, b), factors),
                              roundedSums(_mm256_unpackhi_epi16(a, b), factors));
}

// Sixteen 16-bit sums as bytes in order; packing saturates as the clamp does.
__attribute__((target("avx2"))) inline __m128i clampedBytes(__m256i sums)
{
    return _mm256_castsi256_si128(_mm256_permute4x64_epi64(_mm256_packus_epi16(sums, sums), 0xD8));
}

// The same sums sixteen pixels at a time in 16-bit lanes. Each factor is split into a
// whole part, added as is, and a fraction whose multiplier fits a 16-bit lane; every
// product and sum stays exact, so the results are the library's to the bit.
__attribute__((target("avx2"))) std::size_t convertAvx2(const std::uint8_t* luma, const std::uint8_t* blue,
                                                        const std::uint8_t* red, std::size_t count, std::uint8_t* bgr)
{
    static_assert(fixed(1.77200) == 2 * 25297 + (1 << kScale) && fixed(1.40200) == 26345 + (1 << kScale) &&
                  fixed(0.71414) == (1 << kScale) - 18734 && fixed(0.34414) == 22554);
    const __m256i zero = _mm256_setzero_si256(), centre = _mm256_set1_epi16(128);
    // (x * 25297 + 2^14) >> 15 is (x * 50594 + 2^15) >> 16.
    const __m256i cbToB = _mm256_set1_epi16(25297);
    const __m256i crToR = _mm256_set1_epi32(13172 | 13173 << 16);                               // pairs (cr, cr)
    const __m256i toG = _mm256_set1_epi32(std::int32_t(std::uint16_t(-22554)) | 18734 << 16);  // pairs (cb, cr)
    std::size_t x = 0;
    for (; x + 16 <= count; x += 16, bgr += 48) {
        const __m256i l = widened(luma + x, zero);
        const __m256i cb = widened(blue + x, centre), cr = widened(red + x, centre);
        const __m256i b = _mm256_add_epi16(_mm256_add_epi16(l, cb), _mm256_mulhrs_epi16(cb, cbToB));
        const __m256i r = _mm256_add_epi16(_mm256_add_epi16(l, cr), pairSums(cr, cr, crToR));
        const __m256i g = _mm256_sub_epi16(_mm256_add_epi16(l, pairSums(cb, cr, toG)), cr);
        const __m128i vb = clampedBytes(b), vg = clampedBytes(g), vr = clampedBytes(r);
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
