#pragma once
// Where the album page draws its cells: one record per category, taken from the skin of
// the page that shows it (the first cell, its neighbours to the right and below, and the
// name field). Cell k lies at column k mod columns, row k / columns.

#include "album/album_operations.h"
#include "album/catalogue.h"
#include "common/geometry.h"

#include <array>
#include <cstdint>
#include <optional>

namespace lv::album {

// Red 155, green 158, blue 162 as a COLORREF.
inline constexpr std::uint32_t kCellBackground = 0x00A29E9Bu;

struct GridLayout {
    int rows = 3;
    int columns = 1;
    int x = 100;  // the first cell's top-left, in the page's coordinates
    int y = 100;
    int cellWidth = 100;
    int cellHeight = 100;
    int gapX = 10;
    int gapY = 10;
    Rect name{100, 70, 200, 90};  // empty: the category has no name field
    std::uint32_t background = kCellBackground;

    int cellCount() const { return rows * columns; }
    GridShape shape() const { return {columns, rows}; }
    bool hasNameField() const { return name.width() > 0 && name.height() > 0; }
    Rect cell(int k) const;
    // The rectangle all cells and the gaps between them cover.
    Rect bounds() const;
    // The cell under a point of the page, or −1 (outside the grid or in a gap).
    int cellAt(int px, int py) const;
};

// Where a page's skin puts the grid. Missing neighbours leave the gaps as they were.
struct GridPlacement {
    Rect first;
    std::optional<Rect> right;  // the next cell to the right
    std::optional<Rect> below;  // the cell under the first
    std::optional<Rect> name;
};

class GridLayouts {
public:
    // Every category starts with the default record: 3 rows × 1 column of 100 × 100 cells.
    const GridLayout& of(int category) const;
    // The page of the category is shown: its shape (5 × 2 for the user's albums, 6 × 1 for
    // gradients and textures) and the skin's geometry.
    const GridLayout& place(int category, const GridPlacement& placement);

private:
    std::array<GridLayout, kCategoryCount> layouts_{};
};

}  // namespace lv::album
