#pragma once
// The control registry of the list boxes: for each list box id, the screen panel that holds
// it (at the place of its region of that id) and the popup panel that draws it. The popup
// panel's buttons are, in order, the picture of one row, the rows' area, the slider's track
// and its thumb.

#include "app/skin/geometry.h"
#include "app/skin/screen_table.h"

#include <span>

namespace lv::skin {

inline constexpr int kAlbumListControl = 200;   // the albums of the album screen
inline constexpr int kFontListControl = 216;    // the fonts of the text screen
inline constexpr int kEffectsListControl = 217; // the artistic effects of screen 27

inline constexpr int kListRowPicture = 0;
inline constexpr int kListRowsArea = 1;
inline constexpr int kListTrack = 2;
inline constexpr int kListThumb = 3;

struct ListBoxEntry {
    int controlId;
    int hostPanel;
    int popupPanel;
};

std::span<const ListBoxEntry> ListBoxEntries();
// Null when the registry has no entry for the id.
const ListBoxEntry* FindListBox(int controlId);
// The entry whose popup panel this is, or null.
const ListBoxEntry* ListBoxOfPopup(int popupPanel);

struct ListBoxLayout {
    Rect rows;          // the rows' area in the popup panel
    int rowHeight = 0;  // the height of the row picture
    int visibleRows = 0;
};
ListBoxLayout ListLayoutOf(int popupPanel);

}  // namespace lv::skin
