#pragma once
// The skinned list box: not a window but a block of items that a popup panel draws. Screens
// talk to it with the list messages; a pick in its panel selects an item and tells the
// screen that owns it.

#include "app/skin/geometry.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string_view>

namespace lv::skin {

// Skinned control kinds by class name; −1 for any other name.
inline constexpr int kNotASkinnedControl = -1;
int SkinnedControlKind(std::string_view className);

inline constexpr int kListBoxKind = 4;
inline constexpr int kListBoxMaxItems = 2000;
inline constexpr int kListBoxItemBytes = 300;  // with the terminating zero

// The messages, and their answers beyond the ordinary ones.
inline constexpr int kListAddString = 384;
inline constexpr int kListResetContent = 388;
inline constexpr int kListGetSelection = 392;
inline constexpr int kListGetText = 393;
inline constexpr int kListGetCount = 395;
inline constexpr int kListRefused = -2;  // full, or a text too long
inline constexpr int kListError = -1;    // no such item, or a message the list does not know
inline constexpr int kNoSelection = -1;

// The notifications to the owner screen: the first pick of a list box, then every later one.
inline constexpr int kListFirstPickNotification = 1124;
inline constexpr int kListPickNotification = 1126;

// The block as it lies in memory: a header of 336 bytes, then the items.
struct ListBoxBlock {
    std::int32_t controlId = 0;
    std::int32_t kind = kListBoxKind;
    std::int32_t count = 0;
    std::int32_t firstVisible = 0;
    std::int32_t selected = kNoSelection;
    std::array<std::uint8_t, 316> spare{};
    std::array<std::array<char, kListBoxItemBytes>, kListBoxMaxItems> items{};
};
static_assert(sizeof(ListBoxBlock) == 600336);

struct ListNotification {
    int message = 0;          // 1124 or 1126
    std::uint32_t wParam = 0; // high word 1, the control id in the low word
    int controlId = 0;
};

class ListBox {
public:
    ListBox(int controlId, int visibleRows);

    int controlId() const { return block_->controlId; }
    int visibleRows() const { return visibleRows_; }

    // 384: the new item's index, or −2 when the list holds 2000 items or the text has 300
    // bytes or more.
    int addString(std::string_view text);
    // 388
    void resetContent();
    // 392: −1 when nothing is selected.
    int selection() const { return block_->selected; }
    // 393: copies item `index` into `out` (cut to fit, always terminated) and answers its
    // length counting the terminating zero; −1 for an index outside the list.
    int getText(int index, std::span<char> out) const;
    // 395
    int count() const { return block_->count; }
    // The messages as one entry point: `index` for 393, `text` for 384, `out` for 393;
    // −1 for any other message.
    int send(int message, int index = 0, std::string_view text = {}, std::span<char> out = {});

    // The item's text, empty outside the list.
    std::string_view text(int index) const;
    // The program selects an item (−1: none) without a notification, and shows it.
    void setSelection(int index);

    // Scrolling: the first visible item stays within 0 .. count − visible rows.
    int firstVisible() const { return block_->firstVisible; }
    void scrollTo(int first);
    // The slider's positions: 0 .. count − visible rows (never below 0), at the first visible.
    int sliderMaximum() const;

    // A pick on visible row `row`: selects the item there and answers the notification for
    // the owner screen; nothing for a row without an item.
    std::optional<ListNotification> pick(int row);

    const ListBoxBlock& block() const { return *block_; }

    // Called after every change of the items, the selection or the scrolling (the panel
    // that draws the list repaints); none for a change that changed nothing. One listener at
    // a time; removing it takes effect only for the owner that set it.
    void setChangeListener(const void* owner, std::function<void()> listener)
    {
        listenerOwner_ = owner;
        listener_ = std::move(listener);
    }
    void removeChangeListener(const void* owner)
    {
        if (owner == listenerOwner_)
            setChangeListener(nullptr, {});
    }

private:
    void changed() const;

    std::unique_ptr<ListBoxBlock> block_;
    int visibleRows_;
    bool picked_ = false;
    const void* listenerOwner_ = nullptr;
    std::function<void()> listener_;
};

// The visible row under a point of a rows area of rows `rowHeight` high; −1 outside it.
int ListRowAt(const Rect& rows, int rowHeight, Point point);

}  // namespace lv::skin
