#pragma once
// The cursor shown while photos are dragged out of an album grid (cursor 1001): a small
// stack of pictures beside the arrow.

#include <QCursor>

namespace lv::app {

QCursor AlbumDragCursor();

}  // namespace lv::app
