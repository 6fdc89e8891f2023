#pragma once
// Small builders of pictures and files for the image library's tests.

#include "common/byte_source.h"
#include "imagelib/codecs/codec_result.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/progress.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <span>
#include <tuple>
#include <vector>

namespace lv::testing {

struct Rgb {
    std::uint8_t r, g, b;
    bool operator==(const Rgb&) const = default;
};

// A picture with a table of `colours` entries; the table is filled with a ramp unless given.
inline HDIB MakePicture(int width, int height, unsigned bits, unsigned colours = 0)
{
    HDIB dib = AllocatePicture(width, height, bits, colours);
    for (unsigned i = 0; i < colours; ++i)
        dib.colors()[i] = {std::uint8_t(i * 3), std::uint8_t(255 - i), std::uint8_t(i * 7), 0};
    return dib;
}

inline HDIB MakeGreyPicture(int width, int height)
{
    HDIB dib = AllocatePicture(width, height, 8, 256);
    for (int i = 0; i < 256; ++i)
        dib.colors()[i] = {std::uint8_t(i), std::uint8_t(i), std::uint8_t(i), 0};
    return dib;
}

// The mean difference of the samples of two pictures of the same shape.
inline double MeanDifference(const HDIB& a, const HDIB& b)
{
    double total = 0;
    const std::size_t rowBytes = std::size_t(a.width()) * std::size_t(a.bitCount() / 8);
    for (int y = 0; y < a.height(); ++y)
        for (std::size_t i = 0; i < rowBytes; ++i)
            total += std::abs(int(a.row(y)[i]) - int(b.row(y)[i]));
    return total / double(rowBytes * std::size_t(a.height()));
}

// The colour table, red, green and blue.
inline std::vector<Rgb> ColoursOf(const HDIB& dib)
{
    std::vector<Rgb> colours;
    for (std::uint32_t i = 0; i < dib.clrUsed(); ++i)
        colours.push_back({dib.colors()[i].rgbRed, dib.colors()[i].rgbGreen, dib.colors()[i].rgbBlue});
    return colours;
}

// Width and height, compared as one.
// Pins a result too long to spell out in a test.
inline std::uint64_t Fnv1a(std::span<const std::uint8_t> bytes)
{
    std::uint64_t hash = 14695981039346656037ull;
    for (const std::uint8_t b : bytes)
        hash = (hash ^ b) * 1099511628211ull;
    return hash;
}

inline std::tuple<int, int> SizeOf(const HDIB& dib) { return {dib.width(), dib.height()}; }

// Memory row y is the bottom row for y = 0; these address pixels by memory row.
inline Rgb Pixel24(const HDIB& dib, int x, int y)
{
    const std::uint8_t* p = dib.row(y) + 3 * x;
    return {p[2], p[1], p[0]};
}

// The pixels at (x, memory row) places, to compare several at once.
inline std::vector<Rgb> PixelsAt(const HDIB& dib, std::initializer_list<std::pair<int, int>> places)
{
    std::vector<Rgb> pixels;
    for (const auto& [x, y] : places)
        pixels.push_back(Pixel24(dib, x, y));
    return pixels;
}

inline void SetPixel24(HDIB& dib, int x, int y, Rgb c)
{
    std::uint8_t* p = dib.row(y) + 3 * x;
    p[0] = c.b, p[1] = c.g, p[2] = c.r;
}

// A photo-like 24-bit picture: smooth gradients with some texture, deterministic.
inline HDIB MakePhotoLike(int width, int height)
{
    HDIB dib = AllocatePicture(width, height, 24, 0);
    std::uint32_t seed = 12345;
    for (int y = 0; y < height; ++y) {
        std::uint8_t* p = dib.row(y);
        for (int x = 0; x < width; ++x, p += 3) {
            seed = seed * 1103515245u + 12345u;
            const int noise = int((seed >> 16) & 15) - 8;
            const auto clamp = [](int v) { return std::uint8_t(v < 0 ? 0 : v > 255 ? 255 : v); };
            p[0] = clamp(x * 255 / width + noise);
            p[1] = clamp(y * 255 / height + noise);
            p[2] = clamp((x + y) * 255 / (width + height) + (x / 37 % 2) * 40 + noise);
        }
    }
    return dib;
}

// Row bytes that give run-length coders work: a run longer than any packet, bytes of 0xC0
// and more, pairs and singles; 8-bit values stay inside a short table; row ends are zero.
inline void FillPatterned(HDIB& dib)
{
    const unsigned limit = dib.bitCount() == 8 && dib.clrUsed() < 256 ? dib.clrUsed() : 256;
    const std::size_t bits = std::size_t(dib.width()) * std::size_t(dib.bitCount());
    for (int y = 0; y < dib.height(); ++y) {
        for (std::size_t i = 0; i < dib.stride(); ++i)
            dib.row(y)[i] = std::uint8_t((i < 150 ? 0x5A : i % 9 < 4 ? 0xC7 : i * 37 + std::size_t(y) * 11) % limit);
        // The bits after the row's last pixel are zero, as every producer leaves them.
        if (bits % 8)
            dib.row(y)[bits / 8] &= std::uint8_t(0xFF << (8 - bits % 8));
        std::fill(dib.row(y) + (bits + 7) / 8, dib.row(y) + dib.stride(), 0);
    }
}

// A picture reader run over bytes in memory.
template <typename Reader>
ReadResult ReadFromBytes(const std::vector<std::uint8_t>& bytes, Reader read)
{
    MemorySource source(bytes);
    return read(source);
}

// Cancellation switched on for a scope, as the application does around long work.
class CancellationOn {
public:
    CancellationOn() { SetCancellationEnabled(true); }
    ~CancellationOn() { SetCancellationEnabled(false); }
    CancellationOn(const CancellationOn&) = delete;
    CancellationOn& operator=(const CancellationOn&) = delete;
};

inline bool SamePixels(const HDIB& a, const HDIB& b)
{
    if (!a || !b || a.width() != b.width() || a.height() != b.height() || a.bitCount() != b.bitCount())
        return false;
    const std::size_t rowBytes = (std::size_t(a.width()) * std::size_t(a.bitCount()) + 7) / 8;
    for (int y = 0; y < a.height(); ++y)
        if (!std::equal(a.row(y), a.row(y) + rowBytes, b.row(y)))
            return false;
    return true;
}

// Little-endian byte builder for hand-made files.
class Bytes {
public:
    Bytes& u8(std::uint8_t v) { data.push_back(v); return *this; }
    Bytes& u16(std::uint16_t v) { return u8(std::uint8_t(v)).u8(std::uint8_t(v >> 8)); }
    Bytes& u32(std::uint32_t v) { return u16(std::uint16_t(v)).u16(std::uint16_t(v >> 16)); }
    Bytes& bytes(std::initializer_list<std::uint8_t> list) { data.insert(data.end(), list); return *this; }
    Bytes& bytes(const std::vector<std::uint8_t>& more) { data.insert(data.end(), more.begin(), more.end()); return *this; }
    Bytes& text(const char* s) { while (*s) u8(std::uint8_t(*s++)); return *this; }
    Bytes& zeros(std::size_t n) { data.insert(data.end(), n, 0); return *this; }
    std::size_t size() const { return data.size(); }
    std::vector<std::uint8_t> data;
};

}  // namespace lv::testing
