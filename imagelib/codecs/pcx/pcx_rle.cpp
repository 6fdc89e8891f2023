#include "imagelib/codecs/pcx/pcx_rle.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace lv {
namespace {

// How many bytes from `in` on equal the first, at most `limit`; eight compared at a time,
// since flat pictures are mostly long runs.
std::size_t runLength(const std::uint8_t* in, std::size_t limit)
{
    if (limit < 2 || in[1] != in[0])
        return 1;  // photos: mostly no run at all
    const std::uint64_t pattern = 0x0101010101010101ull * in[0];
    std::size_t n = 2;
    for (; n + 8 <= limit; n += 8) {
        std::uint64_t word;
        std::memcpy(&word, in + n, 8);
        if (const std::uint64_t diff = word ^ pattern) {
            const int bit = std::endian::native == std::endian::little ? std::countr_zero(diff) : std::countl_zero(diff);
            return n + std::size_t(bit / 8);
        }
    }
    while (n < limit && in[n] == in[0])
        ++n;
    return n;
}

}  // namespace

bool PcxRunDecoder::fill(std::uint8_t* out, std::size_t count)
{
    std::uint8_t* const end = out + count;
    if (pendingCount_ > 0) {
        const std::size_t n = std::min(pendingCount_, count);
        std::memset(out, pendingValue_, n);
        out += n;
        pendingCount_ -= n;
    }
    const std::uint8_t* in = coded_.data() + at_;
    const std::uint8_t* const inEnd = coded_.data() + coded_.size();
    while (out < end) {
        if (in == inEnd) {
            at_ = coded_.size();
            return false;
        }
        const std::uint8_t b = *in++;
        if (b < kPcxRunFlag) {
            *out++ = b;
            continue;
        }
        if (in == inEnd) {
            at_ = coded_.size();
            return false;
        }
        const std::size_t runLength = b & 0x3F;
        const std::uint8_t value = *in++;
        if (runLength == 1) {  // the escape of a single high byte: the common case in photos
            *out++ = value;
            continue;
        }
        const std::size_t n = std::min<std::size_t>(runLength, std::size_t(end - out));
        std::memset(out, value, n);
        out += n;
        pendingCount_ = runLength - n;
        pendingValue_ = value;
    }
    at_ = std::size_t(in - coded_.data());
    return true;
}

void EncodePcxLine(std::span<const std::uint8_t> line, std::vector<std::uint8_t>& out)
{
    // At worst every byte takes two: write through a pointer into room made beforehand.
    const std::size_t start = out.size();
    out.resize(start + 2 * line.size());
    std::uint8_t* o = out.data() + start;
    const std::uint8_t* in = line.data();
    const std::uint8_t* const end = in + line.size();
    while (in < end) {
        const std::uint8_t value = *in;
        const std::size_t run = runLength(in, std::min<std::size_t>(kPcxMaxRun, std::size_t(end - in)));
        // The count byte is always stored and kept only when needed: photos make that
        // choice unpredictable, so it isn't a branch.
        *o = std::uint8_t(kPcxRunFlag | run);
        o += run > 1 || value >= kPcxRunFlag;
        *o++ = value;
        in += run;
    }
    out.resize(std::size_t(o - out.data()));
}

}  // namespace lv
