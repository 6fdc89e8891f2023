#include "app/skin/list_box_registry.h"

#include "app/skin/button_table.h"

#include <algorithm>
#include <array>

namespace lv::skin {
namespace {

constexpr std::array<ListBoxEntry, 3> kEntries = {{
    {kAlbumListControl, 18, kAlbumListPanel},
    {kFontListControl, 11, kFontListPanel},
    {kEffectsListControl, 27, kEffectsListPanel},
}};

}  // namespace

std::span<const ListBoxEntry> ListBoxEntries()
{
    return kEntries;
}

const ListBoxEntry* FindListBox(int controlId)
{
    const auto it = std::find_if(kEntries.begin(), kEntries.end(), [&](const ListBoxEntry& e) { return e.controlId == controlId; });
    return it == kEntries.end() ? nullptr : &*it;
}

const ListBoxEntry* ListBoxOfPopup(int popupPanel)
{
    const auto it = std::find_if(kEntries.begin(), kEntries.end(), [&](const ListBoxEntry& e) { return e.popupPanel == popupPanel; });
    return it == kEntries.end() ? nullptr : &*it;
}

ListBoxLayout ListLayoutOf(int popupPanel)
{
    const auto buttons = PanelButtons(popupPanel);
    if (buttons.size() <= std::size_t(kListThumb))
        return {};
    ListBoxLayout layout;
    layout.rows = buttons[kListRowsArea].small;
    layout.rowHeight = buttons[kListRowPicture].small.height();
    layout.visibleRows = layout.rowHeight > 0 ? layout.rows.height() / layout.rowHeight : 0;
    return layout;
}

}  // namespace lv::skin
