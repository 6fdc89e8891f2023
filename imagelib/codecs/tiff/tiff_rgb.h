#pragma once
// TIFF files hold red before blue, pictures blue before red: every 24-bit row is turned on
// its way in and out, so the turn is done two pixels to a word instead of byte by byte.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace lv {

#if defined(__x86_64__) || defined(__i386__)
// Byte j of the shuffle that makes output word `word` of 16 pixels from input word
// `from`: the index within `from`, or -1 (zero) when the byte comes from another word.
constexpr std::int8_t turnedByte(int word, int from, int j)
{
    const int k = 16 * word + j, source = k - k % 3 + 2 - k % 3;
    return source / 16 == from ? std::int8_t(source % 16) : std::int8_t(-1);
}

template <int Word, int From>
__attribute__((target("ssse3"))) inline __m128i turnedPart(__m128i in)
{
    constexpr auto b = [](int j) { return turnedByte(Word, From, j); };
    return _mm_shuffle_epi8(in, _mm_setr_epi8(b(0), b(1), b(2), b(3), b(4), b(5), b(6), b(7), b(8), b(9), b(10), b(11),
                                              b(12), b(13), b(14), b(15)));
}

// Sixteen pixels, three words, at a time: all three are read before any is written, so a
// row turned in place is safe. Returns the pixels done.
__attribute__((target("ssse3"))) inline std::size_t swapRedAndBlueSsse3(const std::uint8_t*& in, std::uint8_t*& out,
                                                                         std::size_t pixels)
{
    std::size_t x = 0;
    for (; x + 16 <= pixels; x += 16, in += 48, out += 48) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 16));
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 32));
        const __m128i first = _mm_or_si128(turnedPart<0, 0>(a), turnedPart<0, 1>(b));
        const __m128i second = _mm_or_si128(_mm_or_si128(turnedPart<1, 0>(a), turnedPart<1, 1>(b)), turnedPart<1, 2>(c));
        const __m128i third = _mm_or_si128(turnedPart<2, 1>(b), turnedPart<2, 2>(c));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), first);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 16), second);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 32), third);
    }
    return x;
}

inline bool haveSsse3()
{
    static const bool have = __builtin_cpu_supports("ssse3");
    return have;
}
#endif

// Copies `pixels` 3-byte pixels from `in` to `out` with the first and third bytes of each
// exchanged; `in` and `out` may be the same row.
inline void CopySwappingRedAndBlue(const std::uint8_t* in, std::uint8_t* out, std::size_t pixels)
{
    std::size_t x = 0;
#if defined(__x86_64__) || defined(__i386__)
    if (haveSsse3())
        x = swapRedAndBlueSsse3(in, out, pixels);
#endif
    if constexpr (std::endian::native == std::endian::little) {
        // Eight bytes are read for two pixels, so a third must follow them.
        for (; x + 3 <= pixels; x += 2, in += 6, out += 6) {
            std::uint64_t v;
            std::memcpy(&v, in, 8);
            const std::uint64_t turned = (v & 0x0000FF0000FF00u) | (v & 0x0000FF0000FFu) << 16 | (v >> 16 & 0x0000FF0000FFu);
            std::memcpy(out, &turned, 6);
        }
    }
    for (; x < pixels; ++x, in += 3, out += 3) {
        const std::uint8_t first = in[0];
        out[0] = in[2];
        out[1] = in[1];
        out[2] = first;
    }
}

}  // namespace lv
