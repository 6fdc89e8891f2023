#pragma once
// Targa run-length packets: a header byte with bit 7 set repeats the one pixel after it
// (low seven bits + 1) times; otherwise (header + 1) pixels follow as they are.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace lv {

inline constexpr std::size_t kTargaMaxPacket = 128;

// Expands packets of `pixelSize`-byte pixels. A packet is expanded whole: what one call
// doesn't take is handed out by the next, so packets may cross row ends.
class TargaPacketDecoder {
public:
    TargaPacketDecoder(std::span<const std::uint8_t> coded, std::size_t pixelSize)
        : coded_(coded)
        , pixelSize_(pixelSize)
    {
    }

    // Fills `pixels` pixels; false when the coded data ends first.
    bool fill(std::uint8_t* out, std::size_t pixels);

private:
    std::span<const std::uint8_t> coded_;
    std::size_t pixelSize_;
    std::size_t at_ = 0;
    std::size_t pendingCount_ = 0;
    bool pendingRun_ = false;  // a run repeats the pixel at `at_`; a raw packet's pixels start there
};

// Appends the packets of one row of 1- or 3-byte pixels. Two equal neighbours start a run;
// a raw packet collects pixels while each differs from the next; packets hold at most 128.
void EncodeTargaRow(std::span<const std::uint8_t> row, std::size_t pixelSize, std::vector<std::uint8_t>& out);

}  // namespace lv
