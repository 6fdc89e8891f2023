#include "imagelib/pcx_rle.h"

#include <algorithm>
#include <cstring>

namespace lv {

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
    const std::size_t size = line.size();
    std::size_t i = 0;
    while (i < size) {
        const std::uint8_t value = line[i];
        std::size_t run = 1;
        while (i + run < size && run < kPcxMaxRun && line[i + run] == value)
            ++run;
        if (run > 1) {
            out.push_back(std::uint8_t(kPcxRunFlag | run));
            out.push_back(value);
        } else if (value >= kPcxRunFlag) {
            out.push_back(kPcxRunFlag | 1);
            out.push_back(value);
        } else {
            out.push_back(value);
        }
        i += run;
    }
}

}  // namespace lv
