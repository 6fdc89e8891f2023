#pragma once
// The slide show's random numbers: the C library's classic linear congruential generator
// (0 to 32767), kept by the show rather than process-wide so a show's choices depend only
// on its seed.

#include <cstdint>

namespace lv {

class ShowRandom {
public:
    static constexpr int kMax = 32767;

    explicit ShowRandom(std::uint32_t seed = 1)
        : state_(seed)
    {
    }
    int next()
    {
        state_ = state_ * 214013u + 2531011u;
        return int((state_ >> 16) & 0x7FFFu);
    }
    // A number from 0 to n - 1 (0 when n < 2), from two draws so large n are all reachable.
    int below(int n)
    {
        if (n < 2)
            return 0;
        const int high = next();
        return int(((std::uint32_t(high) << 15) | std::uint32_t(next())) % std::uint32_t(n));
    }
    // A fraction from 0 up to (not including) 1.
    double fraction() { return below(1 << 30) / double(1 << 30); }

private:
    std::uint32_t state_;
};

}  // namespace lv
