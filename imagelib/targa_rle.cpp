#include "imagelib/targa_rle.h"

#include <algorithm>
#include <cstring>

namespace lv {

bool TargaPacketDecoder::fill(std::uint8_t* out, std::size_t pixels)
{
    const std::size_t size = coded_.size();
    while (pixels > 0) {
        if (pendingCount_ == 0) {
            if (at_ >= size)
                return false;
            const std::uint8_t header = coded_[at_++];
            pendingRun_ = header & 0x80;
            pendingCount_ = (header & 0x7F) + 1u;
        }
        const std::size_t n = std::min(pendingCount_, pixels);
        if (pendingRun_) {
            if (size - at_ < pixelSize_)
                return false;
            const std::uint8_t* pixel = coded_.data() + at_;
            if (pixelSize_ == 1) {
                std::memset(out, *pixel, n);
            } else {
                for (std::size_t i = 0; i < n; ++i)
                    std::memcpy(out + i * pixelSize_, pixel, pixelSize_);
            }
            pendingCount_ -= n;
            if (pendingCount_ == 0)
                at_ += pixelSize_;
        } else {
            if ((size - at_) / pixelSize_ < n)
                return false;
            std::memcpy(out, coded_.data() + at_, n * pixelSize_);
            at_ += n * pixelSize_;
            pendingCount_ -= n;
        }
        out += n * pixelSize_;
        pixels -= n;
    }
    return true;
}

void EncodeTargaRow(std::span<const std::uint8_t> row, std::size_t pixelSize, std::vector<std::uint8_t>& out)
{
    const std::size_t count = row.size() / pixelSize;
    const auto pixel = [&](std::size_t i) { return row.data() + i * pixelSize; };
    const auto same = [&](std::size_t a, std::size_t b) {
        const std::uint8_t *p = pixel(a), *q = pixel(b);
        for (std::size_t k = 0; k < pixelSize; ++k)
            if (p[k] != q[k])
                return false;
        return true;
    };
    std::size_t i = 0;
    while (i < count) {
        if (i + 1 < count && same(i, i + 1)) {
            std::size_t run = 2;
            while (i + run < count && run < kTargaMaxPacket && same(i, i + run))
                ++run;
            out.push_back(std::uint8_t(0x80 | (run - 1)));
            out.insert(out.end(), pixel(i), pixel(i) + pixelSize);
            i += run;
        } else {
            std::size_t raw = 1;
            while (i + raw < count && raw < kTargaMaxPacket && !(i + raw + 1 < count && same(i + raw, i + raw + 1)))
                ++raw;
            out.push_back(std::uint8_t(raw - 1));
            out.insert(out.end(), pixel(i), pixel(i + raw));
            i += raw;
        }
    }
}

}  // namespace lv
