#pragma once
// How the album page looks at the open album: which photo is selected (the anchor of range
// selection and the photo commands act on), which row of the grid is the first shown, and
// the selection rules of clicks, drags and deletions. The selected flags live in the entries.

#include "album/album.h"
#include "album/album_operations.h"

#include <vector>

namespace lv::album {

enum class ClickKeys { None, Shift, Ctrl };

class AlbumView {
public:
    AlbumView(Album& album, GridShape shape)
        : album_(&album)
        , shape_(shape)
    {
    }

    GridShape shape() const { return shape_; }
    void setShape(GridShape shape);

    // The album was opened: the selected photo is the stored one clamped to the album (0 when
    // empty) and marked; the first row is the stored one, within the rows that show it.
    void open(int storedSelected, int storedHead);

    int selected() const { return selected_; }
    int head() const { return head_; }
    int count() const { return int(album_->count()); }
    bool validSelected() const { return selected_ >= 0 && selected_ < count(); }

    int totalRows() const;
    // The last first row that still fills the view as far as the album reaches.
    int maxHead() const;
    // The photo cell k shows, or −1.
    int photoAtCell(int cell) const;
    // The cell showing a photo, or −1 when it is scrolled away.
    int cellOfPhoto(int index) const;

    // A left click on a photo; answers the photos whose selected flag changed.
    std::vector<int> click(int index, ClickKeys keys);
    // The button came up on the selected photo without a drag and without Shift or Ctrl.
    std::vector<int> releaseWithoutDrag();
    // Only this photo selected, and it becomes the selected photo.
    std::vector<int> selectOnly(int index);

    // The arrow keys: the selection moves by `delta` photos (clamped to the album) as a click
    // with the same keys would, and the view follows it. Answers the flags that changed.
    std::vector<int> step(int delta, ClickKeys keys);

    // Scrolling; false when the first row did not change.
    bool scrollTo(int row);
    bool scrollBy(int rows) { return scrollTo(head_ + rows); }
    bool ensureVisible(int index);

    std::vector<int> selectedPhotos() const;
    int selectedCount() const;

    // A drag of the selected photo ended over `target` (clamped to the last photo): the entry
    // moves there and becomes the selected photo. False when nothing moved.
    bool dropOn(int target);

    // Photos were taken out: the selected photo is the old index clamped to the new last one,
    // the first row moves up when the album no longer reaches it, and that photo is marked.
    void afterRemoval();
    // A photo was appended: it is the only selection, and scrolled into view.
    void appended();

private:
    void setFlag(int index, bool selected, std::vector<int>& changed);

    Album* album_;
    GridShape shape_;
    int selected_ = 0;
    int head_ = 0;
};

}  // namespace lv::album
