#include "album/album_view.h"

#include <algorithm>

namespace lv::album {

void AlbumView::setShape(GridShape shape)
{
    shape_ = {std::max(1, shape.columns), std::max(1, shape.rows)};
    head_ = std::clamp(head_, 0, maxHead());
}

void AlbumView::open(int storedSelected, int storedHead)
{
    selected_ = count() == 0 ? 0 : std::clamp(storedSelected, 0, count() - 1);
    if (AlbumEntry* e = album_->entry(selected_); e && count() > 0)
        e->setSelected(true);
    // The rows that keep the selected photo in view.
    const int row = selected_ / shape_.columns;
    const int lo = std::max(0, row + 1 - shape_.rows);
    head_ = std::min(std::clamp(storedHead, lo, std::max(lo, row)), maxHead());
}

int AlbumView::totalRows() const
{
    return (count() + shape_.columns - 1) / shape_.columns;
}

int AlbumView::maxHead() const
{
    return std::max(0, totalRows() - shape_.rows);
}

int AlbumView::photoAtCell(int cell) const
{
    if (cell < 0 || cell >= shape_.columns * shape_.rows)
        return -1;
    const int index = cell + shape_.columns * head_;
    return index < count() ? index : -1;
}

int AlbumView::cellOfPhoto(int index) const
{
    const int cell = index - shape_.columns * head_;
    return index >= 0 && index < count() && cell >= 0 && cell < shape_.columns * shape_.rows ? cell : -1;
}

void AlbumView::setFlag(int index, bool selected, std::vector<int>& changed)
{
    AlbumEntry* e = album_->entry(index);
    if (!e || index < 0 || index >= count() || e->selected() == selected)
        return;
    e->setSelected(selected);
    changed.push_back(index);
}

std::vector<int> AlbumView::click(int index, ClickKeys keys)
{
    std::vector<int> changed;
    if (index < 0 || index >= count())
        return changed;
    if (album_->readOnly())
        keys = ClickKeys::None;
    const int anchor = selected_;
    selected_ = index;
    switch (keys) {
    case ClickKeys::None:
        for (int i = 0; i < count(); ++i)
            setFlag(i, i == index, changed);
        break;
    case ClickKeys::Shift: {
        const int from = std::min(anchor, index);
        const int to = std::max(anchor, index);
        for (int i = 0; i < count(); ++i)
            setFlag(i, i >= from && i <= to, changed);
        break;
    }
    case ClickKeys::Ctrl:
        setFlag(index, !album_->entry(index)->selected(), changed);
        break;
    }
    return changed;
}

std::vector<int> AlbumView::step(int delta, ClickKeys keys)
{
    if (count() == 0)
        return {};
    const int target = std::clamp(selected_ + delta, 0, count() - 1);
    std::vector<int> changed = click(target, keys);
    ensureVisible(target);
    return changed;
}

std::vector<int> AlbumView::releaseWithoutDrag()
{
    return validSelected() ? selectOnly(selected_) : std::vector<int>{};
}

std::vector<int> AlbumView::selectOnly(int index)
{
    std::vector<int> changed;
    if (index < 0 || index >= count())
        return changed;
    selected_ = index;
    for (int i = 0; i < count(); ++i)
        setFlag(i, i == index, changed);
    return changed;
}

bool AlbumView::scrollTo(int row)
{
    const int clamped = std::clamp(row, 0, maxHead());
    if (clamped == head_)
        return false;
    head_ = clamped;
    return true;
}

bool AlbumView::ensureVisible(int index)
{
    if (index < 0 || index >= count())
        return false;
    const int row = index / shape_.columns;
    if (row < head_)
        return scrollTo(row);
    if (row >= head_ + shape_.rows)
        return scrollTo(row - shape_.rows + 1);
    return false;
}

std::vector<int> AlbumView::selectedPhotos() const
{
    std::vector<int> out;
    for (int i = 0; i < count(); ++i)
        if (album_->entry(i)->selected())
            out.push_back(i);
    return out;
}

int AlbumView::selectedCount() const
{
    return int(selectedPhotos().size());
}

bool AlbumView::dropOn(int target)
{
    if (album_->readOnly() || count() == 0 || !validSelected())
        return false;
    target = std::clamp(target, 0, count() - 1);
    if (target == selected_)
        return false;
    album_->move(selected_, target);
    album_->setModified(true);
    selected_ = target;
    return true;
}

void AlbumView::afterRemoval()
{
    selected_ = count() == 0 ? 0 : std::clamp(selected_, 0, count() - 1);
    head_ = std::clamp(head_, 0, maxHead());
    if (count() > 0)
        album_->entry(selected_)->setSelected(true);
}

void AlbumView::appended()
{
    if (count() == 0)
        return;
    selectOnly(count() - 1);
    ensureVisible(selected_);
}

}  // namespace lv::album
