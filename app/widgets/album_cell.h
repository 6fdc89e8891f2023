#pragma once
// One cell of an album grid ("albumpicwnd"): a child window with the child id 105 + its
// number. What it shows and what its mouse does belong to the grid that owns it.

#include "album/album_view.h"

#include <QKeyEvent>
#include <QWheelEvent>
#include <QWidget>

namespace lv::app {

inline constexpr char kAlbumCellClass[] = "albumpicwnd";
inline constexpr int kFirstCellId = 105;

// The keys held at a click or arrow key, as the album's selection rules take them: Shift
// before Ctrl.
album::ClickKeys ClickKeysOf(Qt::KeyboardModifiers modifiers);

// The rows a wheel event scrolls (a notch is a row, down positive); the part of a notch a
// touchpad sends stays in `rest` for the next event.
int WheelRows(const QWheelEvent& event, int& rest);

class AlbumCellOwner {
public:
    virtual ~AlbumCellOwner() = default;
    virtual void paintCell(int cell, QPainter& painter, const QRect& rect) = 0;
    // Press, move, release and double click, in the cell's coordinates.
    virtual void cellMouse(int cell, QMouseEvent& event) = 0;
    virtual void cellLeft(int /*cell*/) {}
    virtual void cellKey(int /*cell*/, QKeyEvent& event) { event.ignore(); }
    // Ignored, the wheel goes on to the cell's parent.
    virtual void cellWheel(int /*cell*/, QWheelEvent& event) { event.ignore(); }
    // Files dragged from the desktop over the cell; true when the grid takes them.
    virtual bool cellAcceptsDrop(const QMimeData&) { return false; }
    virtual void cellDropped(const QMimeData&) {}
};

class AlbumCell final : public QWidget {
public:
    AlbumCell(QWidget& parent, AlbumCellOwner& owner, int number);

    int number() const { return number_; }
    int childId() const { return kFirstCellId + number_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    AlbumCellOwner& owner_;
    int number_;
};

}  // namespace lv::app
