// Button rows of the skinned controls' panels 35–39: the popup panels of the list boxes
// (row picture, rows, slider track, slider thumb; see list_box_registry.h) and the colour
// panel's tool bars of the two window sizes. See button_table.h for the columns.

#include "app/skin/button_table_data.h"

namespace lv::skin::data {

using H = Handler;
using K = ButtonKind;
using S = ButtonStyle;

constexpr ButtonDefinition kPanel35Rows[] = {
    {H::None, 0, 0, -1, K::Region, 0, 0, {"", "", S::ListRow}, Rect::fromSize(6, 24, 164, 17), {}},
    {H::ListBoxPick, 0, 0, -1, K::Drag, 0, 0, {"", "Álbuns", S::ListRows}, Rect::fromSize(6, 24, 164, 85), {}},
    {H::ListBoxScroll, 0, 0, -1, K::SliderTrack, 0, 0, {"", "Álbuns", S::SliderTrack}, Rect::fromSize(174, 24, 12, 85), {}},
    {H::ListBoxScroll, 0, 0, -1, K::SliderThumb, 0, 0, {"", "Álbuns", S::SliderThumb}, Rect::fromSize(174, 24, 12, 22), {}},
};
const std::span<const ButtonDefinition> kPanel35 = kPanel35Rows;

constexpr ButtonDefinition kPanel36Rows[] = {
    {H::None, 0, 0, -1, K::Region, 0, 0, {"", "", S::ListRow}, Rect::fromSize(6, 24, 172, 17), {}},
    {H::ListBoxPick, 0, 0, -1, K::Drag, 0, 0, {"", "Fontes", S::ListRows}, Rect::fromSize(6, 24, 172, 119), {}},
    {H::ListBoxScroll, 0, 0, -1, K::SliderTrack, 0, 0, {"", "Fontes", S::SliderTrack}, Rect::fromSize(182, 24, 12, 119), {}},
    {H::ListBoxScroll, 0, 0, -1, K::SliderThumb, 0, 0, {"", "Fontes", S::SliderThumb}, Rect::fromSize(182, 24, 12, 24), {}},
};
const std::span<const ButtonDefinition> kPanel36 = kPanel36Rows;

constexpr ButtonDefinition kPanel37Rows[] = {
    // Rows tall enough for a small picture of each effect beside its name.
    {H::None, 0, 0, -1, K::Region, 0, 0, {"", "", S::ListRow}, Rect::fromSize(6, 24, 172, 28), {}},
    {H::ListBoxPick, 0, 0, -1, K::Drag, 0, 0, {"", "Efeitos", S::ListRows}, Rect::fromSize(6, 24, 172, 84), {}},
    {H::ListBoxScroll, 0, 0, -1, K::SliderTrack, 0, 0, {"", "Efeitos", S::SliderTrack}, Rect::fromSize(182, 24, 12, 84), {}},
    {H::ListBoxScroll, 0, 0, -1, K::SliderThumb, 0, 0, {"", "Efeitos", S::SliderThumb}, Rect::fromSize(182, 24, 12, 22), {}},
};
const std::span<const ButtonDefinition> kPanel37 = kPanel37Rows;

constexpr ButtonDefinition kPanel38Rows[] = {
    {H::SwapColours, 0, 0, 35095, K::Push, 0, 0, {"swap", "", S::SmallIcon}, Rect::fromSize(0, 0, 22, 20), {}},
    {H::DefaultColours, 0, 0, 35320, K::Push, 0, 0, {"colours-default", "", S::SmallIcon}, Rect::fromSize(0, 22, 22, 20), {}},
};
const std::span<const ButtonDefinition> kPanel38 = kPanel38Rows;

constexpr ButtonDefinition kPanel39Rows[] = {
    {H::SwapColours, 0, 0, 35095, K::Push, 0, 0, {"swap", "", S::SmallIcon}, Rect::fromSize(0, 0, 30, 29), {}},
    {H::DefaultColours, 0, 0, 35320, K::Push, 0, 0, {"colours-default", "", S::SmallIcon}, Rect::fromSize(0, 33, 30, 29), {}},
};
const std::span<const ButtonDefinition> kPanel39 = kPanel39Rows;

}  // namespace lv::skin::data
