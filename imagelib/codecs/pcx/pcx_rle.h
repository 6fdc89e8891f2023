#pragma once
// The paintbrush run-length code: a byte of 0xC0 or more holds a count in its low six
// bits and repeats the byte after it; any other byte stands for itself.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace lv {

inline constexpr std::uint8_t kPcxRunFlag = 0xC0;
inline constexpr std::size_t kPcxMaxRun = 63;

// Expands coded bytes on demand. A run may be longer than what one call asks for: the
// rest stays pending for the next call, and the caller decides whether that is allowed.
class PcxRunDecoder {
public:
    explicit PcxRunDecoder(std::span<const std::uint8_t> coded)
        : coded_(coded)
    {
    }

    // Fills `count` bytes; false when the coded data ends first.
    bool fill(std::uint8_t* out, std::size_t count);

    // Bytes of the last run not yet handed out.
    std::size_t pendingRun() const { return pendingCount_; }
    // How many coded bytes have been consumed.
    std::size_t consumed() const { return at_; }

private:
    std::span<const std::uint8_t> coded_;
    std::size_t at_ = 0;
    std::size_t pendingCount_ = 0;
    std::uint8_t pendingValue_ = 0;
};

// Appends one coded line to `out`. Runs never continue past the end of `line`.
void EncodePcxLine(std::span<const std::uint8_t> line, std::vector<std::uint8_t>& out);

}  // namespace lv
