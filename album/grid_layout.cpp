#include "album/grid_layout.h"

#include <algorithm>

namespace lv::album {

Rect GridLayout::cell(int k) const
{
    const int column = k % std::max(1, columns);
    const int row = k / std::max(1, columns);
    const int left = x + (cellWidth + gapX) * column;
    const int top = y + (cellHeight + gapY) * row;
    return {left, top, left + cellWidth, top + cellHeight};
}

Rect GridLayout::bounds() const
{
    const Rect last = cell(std::max(0, cellCount() - 1));
    return {x, y, last.right, last.bottom};
}

int GridLayout::cellAt(int px, int py) const
{
    if (px < x || py < y || cellWidth <= 0 || cellHeight <= 0)
        return -1;
    const int column = (px - x) / (cellWidth + gapX);
    const int row = (py - y) / (cellHeight + gapY);
    if (column >= columns || row >= rows)
        return -1;
    const Rect r = cell(row * columns + column);
    if (px >= r.right || py >= r.bottom)
        return -1;
    return row * columns + column;
}

const GridLayout& GridLayouts::of(int category) const
{
    return layouts_[std::size_t(std::clamp(category, 0, kCategoryCount - 1))];
}

const GridLayout& GridLayouts::place(int category, const GridPlacement& placement)
{
    GridLayout& layout = layouts_[std::size_t(std::clamp(category, 0, kCategoryCount - 1))];
    const GridShape shape = GridForCategory(category);
    layout.columns = shape.columns;
    layout.rows = shape.rows;
    layout.x = placement.first.left;
    layout.y = placement.first.top;
    layout.cellWidth = placement.first.width();
    layout.cellHeight = placement.first.height();
    if (placement.right)
        layout.gapX = placement.right->left - placement.first.right;
    if (placement.below)
        layout.gapY = placement.below->top - placement.first.bottom;
    layout.name = placement.name.value_or(Rect{});
    return layout;
}

}  // namespace lv::album
