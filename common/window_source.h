#pragma once
// A stretch of another source seen as a source of its own: position 0 is the stretch's
// first byte and its end is the stretch's end. Lets a decoder that seeks to absolute
// positions read a stream embedded in a larger file.

#include "common/byte_source.h"

#include <algorithm>

namespace lv {

class WindowSource final : public ByteSource {
public:
    // The stretch is cut to what the inner source holds.
    WindowSource(ByteSource& inner, std::uint64_t start, std::uint64_t size)
        : inner_(inner)
        , start_(std::min(start, inner.size()))
        , size_(std::min(size, inner.size() - start_))
    {
    }

    std::size_t read(void* destination, std::size_t count) override
    {
        count = std::size_t(std::min<std::uint64_t>(count, size_ - position_));
        if (count == 0 || (inner_.position() != start_ + position_ && !inner_.seek(start_ + position_)))
            return 0;
        const std::size_t got = inner_.read(destination, count);
        position_ += got;
        return got;
    }
    bool seek(std::uint64_t position) override
    {
        if (position > size_)
            return false;
        position_ = position;
        return true;
    }
    std::uint64_t position() const override { return position_; }
    std::uint64_t size() const override { return size_; }

private:
    ByteSource& inner_;
    std::uint64_t start_;
    std::uint64_t size_;
    std::uint64_t position_ = 0;
};

}  // namespace lv
