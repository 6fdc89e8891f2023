#include "imagelib/codecs/bmp/bmp_rle.h"

#include "imagelib/codecs/bmp/bmp.h"

#include <algorithm>
#include <cstring>
#include <span>
#include <vector>

namespace lv {
namespace {

// Hands out the file's bytes one at a time, reading them in chunks.
class ChunkedBytes {
public:
    explicit ChunkedBytes(ByteSource& source)
        : source_(source)
        , chunk_(kBmpRleChunkSize)
    {
    }
    // False at the end of the file.
    bool next(std::uint8_t& byte)
    {
        const auto one = take(1);
        if (one.empty())
            return false;
        byte = one[0];
        return true;
    }
    // Up to `wanted` buffered bytes (at least one unless the file has ended), consumed.
    std::span<const std::uint8_t> take(std::size_t wanted)
    {
        if (at_ == filled_) {
            filled_ = source_.read(chunk_.data(), chunk_.size());
            at_ = 0;
        }
        const std::size_t n = std::min(wanted, filled_ - at_);
        const std::span<const std::uint8_t> bytes(chunk_.data() + at_, n);
        at_ += n;
        return bytes;
    }

private:
    ByteSource& source_;
    std::vector<std::uint8_t> chunk_;
    std::size_t at_ = 0;
    std::size_t filled_ = 0;
};

// Where the next pixel goes. The output is one stream through the padded rows: some
// encoders spell out the padding as pixels, so a row holds as many pixels as its stride
// has room for, and those beyond the width are dropped to keep the padding zero. A full
// row wraps only when another pixel arrives, so an end-of-line code right after a full
// row doesn't skip a row.
class PixelCursor {
public:
    explicit PixelCursor(HDIB& picture)
        : picture_(picture)
        , width_(picture.width())
        , height_(picture.height())
        , capacity_(int(picture.stride() * 8 / std::size_t(picture.bitCount())))
        , fourBit_(picture.bitCount() == 4)
    {
    }
    bool done() const { return y_ >= height_; }
    void put(std::uint8_t value)
    {
        if (x_ == capacity_)
            nextLine();
        if (done())
            return;
        if (x_ >= width_) {
            ++x_;
            return;
        }
        std::uint8_t* row = picture_.row(y_);
        if (!fourBit_)
            row[x_] = value;
        else if (x_ & 1)
            row[x_ >> 1] = std::uint8_t((row[x_ >> 1] & 0xF0) | (value & 0x0F));
        else
            row[x_ >> 1] = std::uint8_t((row[x_ >> 1] & 0x0F) | (value << 4));
        ++x_;
    }
    // `count` 8-bit pixels at once, as putting them one by one would: a row stretch at a time,
    // `write` given where the stretch goes, how many of its pixels show and how many it takes.
    template<typename Write>
    void putMany(int count, Write write)
    {
        while (count > 0) {
            if (x_ == capacity_)
                nextLine();
            if (done())
                return;
            const int n = std::min(count, capacity_ - x_);
            write(picture_.row(y_) + x_, std::clamp(width_ - x_, 0, n), n);
            x_ += n;
            count -= n;
        }
    }
    void fill(std::uint8_t value, int count)
    {
        putMany(count, [value](std::uint8_t* to, int shown, int) { std::memset(to, value, std::size_t(shown)); });
    }
    void copy(const std::uint8_t* from, int count)
    {
        putMany(count, [&from](std::uint8_t* to, int shown, int n) {
            std::memcpy(to, from, std::size_t(shown));
            from += n;
        });
    }
    void nextLine()
    {
        x_ = 0;
        ++y_;
    }

private:
    HDIB& picture_;
    int width_;
    int height_;
    int capacity_;
    bool fourBit_;
    int x_ = 0;
    int y_ = 0;
};

}  // namespace

void DecodeBmpRle(ByteSource& source, HDIB& picture)
{
    const bool fourBit = picture.bitCount() == 4;
    ChunkedBytes in(source);
    PixelCursor out(picture);
    std::uint8_t count = 0, value = 0;
    while (!out.done() && in.next(count) && in.next(value)) {
        if (count > 0 && !fourBit) {
            out.fill(value, count);
            continue;
        }
        if (count > 0) {
            for (int i = 0; i < count; ++i)
                out.put(std::uint8_t(i & 1 ? value & 0x0F : value >> 4));
            continue;
        }
        switch (value) {
        case 0:
            out.nextLine();
            break;
        case 1:
            return;
        case 2: {
            // The offsets are consumed; the output position stays where it is.
            std::uint8_t ignored;
            if (!in.next(ignored) || !in.next(ignored))
                return;
            break;
        }
        default: {
            // Literal bytes; the stretch ends on a 16-bit boundary.
            const int bytes = fourBit ? (value + 1) / 2 : value;
            std::uint8_t data = 0;
            if (fourBit) {
                for (int i = 0; i < bytes; ++i) {
                    if (!in.next(data))
                        return;
                    out.put(data >> 4);
                    if (2 * i + 1 < value)
                        out.put(data & 0x0F);
                }
            } else {
                // Straight from the buffer, in as many pieces as it holds them.
                for (int left = bytes; left > 0;) {
                    const auto piece = in.take(std::size_t(left));
                    if (piece.empty())
                        return;
                    out.copy(piece.data(), int(piece.size()));
                    left -= int(piece.size());
                }
            }
            if (bytes & 1 && !in.next(data))
                return;
        }
        }
    }
}

}  // namespace lv
