#pragma once
// The brush's stamp: how much of the tool each cell of a dab gets. Made once per tool or
// setting change, at most 32 × 32 cells.

#include "edit/paint/paint_options.h"

#include <cstdint>
#include <vector>

namespace lv {

enum class StampKind {
    Hard,      // the shape's cells, fully on
    Soft,      // the shape blurred by the 5 × 5 kernel (brush; eraser and clone with soft edge)
    Airbrush,  // the shape blurred by the wider 9 × 9 kernel
};

inline constexpr int kLargestDab = 32;

struct BrushStamp {
    int size = 0;                     // cells on each side
    std::vector<std::uint8_t> alpha;  // row by row from the top, 0..255
    std::uint8_t at(int x, int y) const { return alpha[std::size_t(y) * std::size_t(size) + std::size_t(x)]; }
};

// The cells of a shape of `size` × `size` (1 where the shape is), row by row from the top.
// The custom shape takes the dark pixels of `custom` scaled to the size; without a picture
// it is the circle.
std::vector<std::uint8_t> BrushShapeCells(int shape, int size, const HDIB* custom);

// What a stamp is made from; equal keys make equal stamps.
struct StampKey {
    StampKind kind = StampKind::Hard;
    int shape = 1;
    int size = 16;    // the brush size; a hard stamp is limited to 1..32 cells
    int weight = 100;  // the softness weight (soft) or the airbrush pressure
    const HDIB* custom = nullptr;
    bool operator==(const StampKey&) const = default;
};

BrushStamp BuildBrushStamp(const StampKey& key);

// Keeps the last stamp so a stroke only rebuilds it when the tool or a setting changed.
class StampCache {
public:
    const BrushStamp& get(const StampKey& key);
    int builds() const { return builds_; }

private:
    StampKey key_;
    BrushStamp stamp_;
    int builds_ = 0;
};

}  // namespace lv
