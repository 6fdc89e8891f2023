#pragma once
// The front-to-back accumulation shared by the on-screen composite and the merge: a table
// of the contributing layers built once per call, and a row kernel in 8.8 fixed point.

#include "edit/layer_stack.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace lv {

struct BlendEntry {
    std::int64_t left = 0;    // document column of the first pixel
    std::int64_t bottom = 0;  // document row (from the bottom) of the first row
    std::int32_t width = 0;
    std::int32_t height = 0;
    int bytesPerPixel = 1;  // 1 or 3
    const std::uint8_t* image = nullptr;  // row 0 (the bottom row)
    std::size_t imageStride = 0;
    const std::uint8_t* mask = nullptr;
    std::size_t maskStride = 0;
    std::int32_t scaledOpacity = 0;  // (opacity × 256 + 50) / 100
    std::uint32_t opacity = 0;       // percent
    bool isMask = false;
    int maskRun = 0;  // mask layers just in front of this one
    int layerIndex = 0;

    bool coversRow(std::int64_t row) const { return row >= bottom && row < bottom + height; }
};

enum class BlendSelection { Visible, VisibleLinked };

class BlendTable {
public:
    // Used records with `visible` set and non-zero opacity (and `linked` when asked), front
    // first. Records whose pictures break the stack's invariants are left out.
    BlendTable(const LayerStack& stack, BlendSelection selection);

    std::span<const BlendEntry> entries() const { return {entries_.data(), std::size_t(count_)}; }
    bool empty() const { return count_ == 0; }
    bool allMasks() const;
    // Whether some selected record was passed over for being hidden or at 0 %.
    bool skippedAny() const { return skipped_; }
    // Mask layers with no other layer behind them affect nothing.
    void dropTrailingMasks();

private:
    std::array<BlendEntry, kMaxLayers> entries_{};
    int count_ = 0;
    bool skipped_ = false;
};

// Per-pixel sums of one row: colour S (per channel, memory order blue, green, red) and coverage A.
class RowSums {
public:
    void reset(int count, int channels);
    int count() const { return count_; }
    std::int32_t* sum(int channel) { return sums_[std::size_t(channel)].data(); }
    std::int32_t* coverage() { return coverage_.data(); }
    std::int32_t* factor() { return factor_.data(); }

private:
    std::array<std::vector<std::int32_t>, 3> sums_;
    std::vector<std::int32_t> coverage_;
    std::vector<std::int32_t> factor_;  // the mask-layer factor g, -1 where a mask layer blocks
    int count_ = 0;
};

// Accumulates every non-mask entry over document row `row`, columns x0 .. x0 + sums.count() - 1,
// into `sums` (reset by the caller). `channels` is 3 for a colour result, 1 for a grey one.
// Stops early once every pixel of the row is fully covered.
void AccumulateRow(const BlendTable& table, std::int64_t row, std::int64_t x0, int channels, RowSums& sums);

}  // namespace lv
