#include "imagelib/codecs/targa/targa_rle.h"

#include <algorithm>
#include <cstring>

namespace lv {
namespace {

// Repeats the pixel at `out` until `count` pixels are there, doubling the copied stretch.
void repeatPixel(std::uint8_t* out, std::size_t pixelSize, std::size_t count)
{
    const std::size_t total = count * pixelSize;
    for (std::size_t done = pixelSize; done < total;) {
        const std::size_t n = std::min(done, total - done);
        std::memcpy(out + done, out, n);
        done += n;
    }
}

template <std::size_t PixelSize>
bool samePixel(const std::uint8_t* a, const std::uint8_t* b)
{
    return std::memcmp(a, b, PixelSize) == 0;
}

template <std::size_t PixelSize>
void encodeRow(std::span<const std::uint8_t> row, std::vector<std::uint8_t>& out)
{
    const std::size_t count = row.size() / PixelSize;
    const auto pixel = [&](std::size_t i) { return row.data() + i * PixelSize; };
    const auto same = [&](std::size_t a, std::size_t b) { return samePixel<PixelSize>(pixel(a), pixel(b)); };
    std::size_t i = 0;
    while (i < count) {
        if (i + 1 < count && same(i, i + 1)) {
            std::size_t run = 2;
            while (i + run < count && run < kTargaMaxPacket && same(i, i + run))
                ++run;
            out.push_back(std::uint8_t(0x80 | (run - 1)));
            out.insert(out.end(), pixel(i), pixel(i) + PixelSize);
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

}  // namespace

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
                std::memcpy(out, pixel, pixelSize_);
                repeatPixel(out, pixelSize_, n);
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
    // The pixel size is fixed per call, so each size gets its own loop with inline compares.
    if (pixelSize == 3)
        encodeRow<3>(row, out);
    else
        encodeRow<1>(row, out);
}

}  // namespace lv
