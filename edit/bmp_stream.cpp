#include "edit/bmp_stream.h"

#include "common/little_endian.h"
#include "imagelib/codecs/bmp/bmp.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace lv {
namespace {

constexpr std::uint32_t kBiRle8 = 1;
constexpr std::size_t kMaxRun = 255;

constexpr std::uint64_t kOnes = 0x0101010101010101ull;
constexpr std::uint64_t kHighs = 0x8080808080808080ull;

std::uint64_t load8(const std::uint8_t* p)
{
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

// Index (0..7) of the first zero byte of a little-endian word that has one.
std::size_t firstZeroByte(std::uint64_t word)
{
    return std::size_t(std::countr_zero((word - kOnes) & ~word & kHighs)) / 8;
}

// How many bytes from `at` equal row[at], at most `limit`; eight at a time.
std::size_t runFrom(const std::uint8_t* at, std::size_t limit)
{
    const std::uint64_t pattern = kOnes * at[0];
    std::size_t n = 1;
    for (; n + 8 <= limit; n += 8) {
        const std::uint64_t differ = load8(at + n) ^ pattern;
        if (differ != 0)
            return n + std::size_t(std::countr_zero(differ)) / 8;
    }
    while (n < limit && at[n] == at[0])
        ++n;
    return n;
}

// How many bytes from `at` before two equal neighbours start, at most `limit`.
std::size_t literalFrom(const std::uint8_t* at, std::size_t available, std::size_t limit)
{
    std::size_t n = 1;
    for (; n + 9 <= available && n + 8 <= limit; n += 8) {
        const std::uint64_t same = load8(at + n) ^ load8(at + n + 1);  // a zero byte: a pair starts there
        if ((same - kOnes) & ~same & kHighs)
            return n + firstZeroByte(same);
    }
    while (n < limit && !(n + 1 < available && at[n] == at[n + 1]))
        ++n;
    return n;
}

// Encodes one row at `out`, which has room for two bytes per pixel (the worst case);
// returns the end of what was written.
std::uint8_t* encodeRow(const std::uint8_t* row, std::size_t width, std::uint8_t* out)
{
    std::size_t x = 0;
    while (x < width) {
        const std::size_t run = runFrom(row + x, std::min(kMaxRun, width - x));
        if (run >= 2) {
            *out++ = std::uint8_t(run);
            *out++ = row[x];
            x += run;
            continue;
        }
        // A literal stretch goes on until two equal bytes start a run.
        const std::size_t literal = literalFrom(row + x, width - x, std::min(kMaxRun, width - x));
        if (literal < 3) {  // literal codes hold at least three bytes
            for (std::size_t i = 0; i < literal; ++i) {
                *out++ = 1;
                *out++ = row[x + i];
            }
        } else {
            *out++ = 0;
            *out++ = std::uint8_t(literal);
            std::memcpy(out, row + x, literal);
            out += literal;
            if (literal & 1)
                *out++ = 0;  // literal stretches end on a 16-bit boundary
        }
        x += literal;
    }
    return out;
}

}  // namespace

std::vector<std::uint8_t> EncodeRle8(const HDIB& picture)
{
    std::vector<std::uint8_t> out;
    const int height = picture.height();
    const std::size_t width = std::size_t(picture.width());
    std::vector<std::uint8_t> row(2 * width + 2);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* end = encodeRow(picture.row(y), width, row.data());
        *end++ = 0;
        *end++ = y + 1 < height ? 0 : 1;
        out.insert(out.end(), row.data(), end);
    }
    return out;
}

bool WriteBmpStream(ByteSink& sink, const HDIB& picture, bool runLength)
{
    if (!picture || (runLength && picture.bitCount() != 8))
        return false;
    const std::vector<std::uint8_t> encoded = runLength ? EncodeRle8(picture) : std::vector<std::uint8_t>{};
    const std::uint32_t rowBytes =
        runLength ? std::uint32_t(encoded.size()) : std::uint32_t(picture.stride() * std::size_t(picture.height()));
    const std::uint32_t tableBytes = 4 * picture.clrUsed();
    const std::uint32_t dataOffset = std::uint32_t(kBmpFileHeaderSize + kDibHeaderSize) + tableBytes;

    std::uint8_t head[kBmpFileHeaderSize + kDibHeaderSize] = {'B', 'M'};
    StoreLE32(head + 2, dataOffset + rowBytes);
    StoreLE32(head + 10, dataOffset);
    const BitmapInfoHeader& h = picture.header();
    std::uint8_t* info = head + kBmpFileHeaderSize;
    StoreLE32(info, std::uint32_t(kDibHeaderSize));
    StoreLE32(info + 4, std::uint32_t(h.biWidth));
    StoreLE32(info + 8, std::uint32_t(h.biHeight));
    StoreLE16(info + 12, 1);
    StoreLE16(info + 14, h.biBitCount);
    StoreLE32(info + 16, runLength ? kBiRle8 : 0);
    StoreLE32(info + 20, rowBytes);
    StoreLE32(info + 24, std::uint32_t(h.biXPelsPerMeter));
    StoreLE32(info + 28, std::uint32_t(h.biYPelsPerMeter));
    StoreLE32(info + 32, h.biClrUsed);
    StoreLE32(info + 36, h.biClrImportant);
    if (!sink.write(head, sizeof head) || !sink.write(picture.colors(), tableBytes))
        return false;
    return runLength ? sink.write(encoded.data(), encoded.size()) : sink.write(picture.pixels(), rowBytes);
}

}  // namespace lv
