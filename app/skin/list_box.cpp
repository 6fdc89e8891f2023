#include "app/skin/list_box.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace lv::skin {

int SkinnedControlKind(std::string_view className)
{
    constexpr std::array<std::string_view, 5> kKinds = {"TSCOMMANDBUTTON", "TSRADIOBUTTON", "TSCHECKBOX", "TSCROLLBAR",
                                                         "TSLISTBOX"};
    const auto it = std::find(kKinds.begin(), kKinds.end(), className);
    return it == kKinds.end() ? kNotASkinnedControl : int(it - kKinds.begin());
}

ListBox::ListBox(int controlId, int visibleRows)
    : block_(std::make_unique<ListBoxBlock>())
    , visibleRows_(std::max(visibleRows, 1))
{
    block_->controlId = controlId;
}

int ListBox::addString(std::string_view text)
{
    ListBoxBlock& b = *block_;
    if (b.count >= kListBoxMaxItems || text.size() >= std::size_t(kListBoxItemBytes))
        return kListRefused;
    auto& item = b.items[std::size_t(b.count)];
    std::memcpy(item.data(), text.data(), text.size());
    item[text.size()] = '\0';
    const int index = b.count++;
    changed();
    return index;
}

void ListBox::resetContent()
{
    block_->count = 0;
    block_->firstVisible = 0;
    block_->selected = kNoSelection;
    changed();
}

void ListBox::changed() const
{
    if (listener_)
        listener_();
}

std::string_view ListBox::text(int index) const
{
    if (index < 0 || index >= block_->count)
        return {};
    const auto& item = block_->items[std::size_t(index)];
    return {item.data(), ::strnlen(item.data(), item.size())};
}

int ListBox::getText(int index, std::span<char> out) const
{
    if (index < 0 || index >= block_->count)
        return kListError;
    const std::string_view item = text(index);
    if (!out.empty()) {
        const std::size_t copied = std::min(item.size(), out.size() - 1);
        std::memcpy(out.data(), item.data(), copied);
        out[copied] = '\0';
    }
    return int(item.size()) + 1;
}

int ListBox::send(int message, int index, std::string_view text, std::span<char> out)
{
    switch (message) {
    case kListAddString: return addString(text);
    case kListResetContent: resetContent(); return 0;
    case kListGetSelection: return selection();
    case kListGetText: return getText(index, out);
    case kListGetCount: return count();
    default: return kListError;
    }
}

void ListBox::setSelection(int index)
{
    block_->selected = index >= 0 && index < block_->count ? index : kNoSelection;
    if (block_->selected != kNoSelection && index < firstVisible())
        block_->firstVisible = index;
    else if (block_->selected != kNoSelection && index >= firstVisible() + visibleRows_)
        block_->firstVisible = index - visibleRows_ + 1;
    changed();
}

int ListBox::sliderMaximum() const
{
    return std::max(block_->count - visibleRows_, 0);
}

void ListBox::scrollTo(int first)
{
    const int clamped = std::clamp(first, 0, sliderMaximum());
    if (clamped == block_->firstVisible)
        return;
    block_->firstVisible = clamped;
    changed();
}

std::optional<ListNotification> ListBox::pick(int row)
{
    if (row < 0 || row >= visibleRows_)
        return std::nullopt;
    const int index = firstVisible() + row;
    if (index >= count())
        return std::nullopt;
    block_->selected = index;
    changed();
    const int message = std::exchange(picked_, true) ? kListPickNotification : kListFirstPickNotification;
    return ListNotification{message, 0x10000u | std::uint32_t(controlId() & 0xFFFF), controlId()};
}

int ListRowAt(const Rect& rows, int rowHeight, Point point)
{
    if (rowHeight <= 0 || !rows.contains(point))
        return -1;
    return (point.y - rows.top) / rowHeight;
}

}  // namespace lv::skin
