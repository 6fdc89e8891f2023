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
struct ChromaRows {
    const std::uint8_t* nearer;
    const std::uint8_t* farther;
};

ChromaRows chromaRowsFor(const std::uint8_t* plane, std::size_t half, int y)
{
    const int nearRow = y / 2;
    const int farRow = y % 2 == 0 ? std::max(nearRow - 1, 0) : std::min(nearRow + 1, kChromaSize - 1);
    return {plane + std::size_t(nearRow) * half, plane + std::size_t(farRow) * half};
}

__attribute__((target_clones("avx2", "default"))) void upsampleRow(const std::uint8_t* plane, std::size_t width, int y, std::uint8_t* out)
{
    const std::size_t half = width / 2;
    const auto [nearer, farther] = chromaRowsFor(plane, half, y);
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
__attribute__((target("avx2"))) inline __m256i interleavedPart(__m256i plane)
{
    constexpr auto m = [](int j) { return interleavedByte(Word, Plane, j % 16); };
    return _mm256_shuffle_epi8(plane, _mm256_setr_epi8(m(0), m(1), m(2), m(3), m(4), m(5), m(6), m(7), m(8), m(9), m(10),
                                                       m(11), m(12), m(13), m(14), m(15), m(0), m(1), m(2), m(3), m(4),
                                                       m(5), m(6), m(7), m(8), m(9), m(10), m(11), m(12), m(13), m(14),
                                                       m(15)));
}

// Output word `Word` of the 16 pixels in each 128-bit lane.
template <int Word>
__attribute__((target("avx2"))) inline __m256i interleavedWord(__m256i b, __m256i g, __m256i r)
{
    return _mm256_or_si256(_mm256_or_si256(interleavedPart<Word, 0>(b), interleavedPart<Word, 1>(g)), interleavedPart<Word, 2>(r));
}

// Eight bytes at `first` and eight at `second` as 16-bit lanes, one group per 128-bit lane.
__attribute__((target("avx2"))) inline __m256i lanesOf(const std::uint8_t* first, const std::uint8_t* second)
{
    return _mm256_cvtepu8_epi16(_mm_unpacklo_epi64(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(first)),
                                                   _mm_loadl_epi64(reinterpret_cast<const __m128i*>(second))));
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

// convertSimply's sums in 16-bit lanes. Each factor is split into a whole part, added as
// is, and a fraction whose multiplier fits a 16-bit lane; every product and sum stays
// exact, so the results are the library's to the bit (packing to bytes clamps).
struct Bgr16 {
    __m256i b, g, r;
};

__attribute__((target("avx2"))) inline Bgr16 bgrOf(__m256i l, __m256i blue, __m256i red)
{
    static_assert(fixed(1.77200) == 2 * 25297 + (1 << kScale) && fixed(1.40200) == 26345 + (1 << kScale) &&
                  fixed(0.71414) == (1 << kScale) - 18734 && fixed(0.34414) == 22554);
    const __m256i centre = _mm256_set1_epi16(128);
    const __m256i cb = _mm256_sub_epi16(blue, centre), cr = _mm256_sub_epi16(red, centre);
    // (x * 25297 + 2^14) >> 15 is (x * 50594 + 2^15) >> 16.
    const __m256i cbToB = _mm256_set1_epi16(25297);
    const __m256i crToR = _mm256_set1_epi32(13172 | 13173 << 16);                               // pairs (cr, cr)
    const __m256i toG = _mm256_set1_epi32(std::int32_t(std::uint16_t(-22554)) | 18734 << 16);  // pairs (cb, cr)
    return {_mm256_add_epi16(_mm256_add_epi16(l, cb), _mm256_mulhrs_epi16(cb, cbToB)),
            _mm256_sub_epi16(_mm256_add_epi16(l, pairSums(cb, cr, toG)), cr),
            _mm256_add_epi16(_mm256_add_epi16(l, cr), pairSums(cr, cr, crToR))};
}

// 3 * nearer + farther for a whole chroma row (a multiple of 16 samples).
__attribute__((target("avx2"))) void sumRows(ChromaRows rows, std::size_t half, std::int16_t* sum)
{
    for (std::size_t j = 0; j < half; j += 16) {
        const __m256i n = _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(rows.nearer + j)));
        const __m256i f = _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(rows.farther + j)));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(sum + j), _mm256_add_epi16(_mm256_add_epi16(n, _mm256_add_epi16(n, n)), f));
    }
}

// upsampleRow's output pixels [2 j, 2 j + 32) from the sums, as 16-bit lanes: `low` holds
// pixels 0-7 and 16-23, `high` 8-15 and 24-31. `j` is a multiple of 16.
__attribute__((target("avx2"))) inline void upsampled(const std::int16_t* sum, std::size_t j, __m256i& low, __m256i& high)
{
    const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(sum + j));
    __m256i before = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(sum + j - 1));
    __m256i after = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(sum + j + 1));
    if (j % kChromaSize == 0)
        before = _mm256_blendv_epi8(before, s, _mm256_setr_epi16(-1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0));
    else
        after = _mm256_blendv_epi8(after, s, _mm256_setr_epi16(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, -1));
    const __m256i three = _mm256_add_epi16(s, _mm256_add_epi16(s, s));
    const __m256i even = _mm256_srli_epi16(_mm256_add_epi16(_mm256_add_epi16(three, before), _mm256_set1_epi16(8)), 4);
    const __m256i odd = _mm256_srli_epi16(_mm256_add_epi16(_mm256_add_epi16(three, after), _mm256_set1_epi16(7)), 4);
    low = _mm256_unpacklo_epi16(even, odd);
    high = _mm256_unpackhi_epi16(even, odd);
}

// TileRowToBgr with the upsampling and the colour in one pass, 32 pixels at a time.
__attribute__((target("avx2"))) void rowToBgrAvx2(const YccRow& row, std::size_t width, int y, std::size_t count,
                                                  std::uint8_t* bgr)
{
    const std::size_t half = width / 2;
    // One spare sum either side: the loads reach them, the tile edges replace them.
    std::array<std::int16_t, kMaxWidth / 2 + 2> blueSums, redSums;
    std::int16_t* blueSum = blueSums.data() + 1;
    std::int16_t* redSum = redSums.data() + 1;
    blueSum[-1] = blueSum[half] = redSum[-1] = redSum[half] = 0;
    sumRows(chromaRowsFor(row.blue, half, y), half, blueSum);
    sumRows(chromaRowsFor(row.red, half, y), half, redSum);
    const std::uint8_t* luma = row.luma + std::size_t(y) * row.width;
    std::size_t x = 0;
    for (; x + 32 <= count; x += 32) {
        __m256i blueLow, blueHigh, redLow, redHigh;
        upsampled(blueSum, x / 2, blueLow, blueHigh);
        upsampled(redSum, x / 2, redLow, redHigh);
        const Bgr16 low = bgrOf(lanesOf(luma + x, luma + x + 16), blueLow, redLow);
        const Bgr16 high = bgrOf(lanesOf(luma + x + 8, luma + x + 24), blueHigh, redHigh);
        // Each lane now holds 16 pixels in order: the first 16, then the next.
        const __m256i b = _mm256_packus_epi16(low.b, high.b), g = _mm256_packus_epi16(low.g, high.g),
                      r = _mm256_packus_epi16(low.r, high.r);
        const __m256i words[3] = {interleavedWord<0>(b, g, r), interleavedWord<1>(b, g, r), interleavedWord<2>(b, g, r)};
        std::uint8_t* out = bgr + 3 * x;
        for (int w = 0; w < 3; ++w) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 16 * w), _mm256_castsi256_si128(words[w]));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 48 + 16 * w), _mm256_extracti128_si256(words[w], 1));
        }
    }
    // The last few pixels of a picture narrower than its tiles.
    const auto chroma = [](const std::int16_t* sum, std::size_t at) {
        const std::size_t j = at / 2;
        const int s = sum[j];
        if (at % 2 == 0)
            return std::uint8_t((3 * s + (j % kChromaSize == 0 ? s : sum[j - 1]) + 8) >> 4);
        return std::uint8_t((3 * s + (j % kChromaSize == kChromaSize - 1 ? s : sum[j + 1]) + 7) >> 4);
    };
    std::array<std::uint8_t, 32> blueTail, redTail;
    for (std::size_t at = x; at < count; ++at) {
        blueTail[at - x] = chroma(blueSum, at);
        redTail[at - x] = chroma(redSum, at);
    }
    convertSimply(luma + x, blueTail.data(), redTail.data(), 0, count - x, bgr + 3 * x);
}
#endif

}  // namespace

void TileRowToBgr(const YccRow& row, int y, std::size_t pixels, std::uint8_t* bgr)
{
    const std::size_t width = std::min<std::size_t>(row.width, kMaxWidth);
    const std::size_t count = std::min(pixels, width);
#if defined(__x86_64__) || defined(__i386__)
    static const bool avx2 = __builtin_cpu_supports("avx2");
    if (avx2)
        return rowToBgrAvx2(row, width, y, count, bgr);
#endif
    std::array<std::uint8_t, kMaxWidth> blue, red;
    upsampleRow(row.blue, width, y, blue.data());
    upsampleRow(row.red, width, y, red.data());
    convertSimply(row.luma + std::size_t(y) * row.width, blue.data(), red.data(), 0, count, bgr);
}

}  // namespace lv::flashpix
