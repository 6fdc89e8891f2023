#pragma once
// The skin's small pictures known by resource id (app/skin/skin_bitmaps.h).

#include <QImage>

namespace lv::skingen {

// The picture of `id` at its size, or a null image for an id that is not one of them.
QImage PaintSkinBitmap(int id);

}  // namespace lv::skingen
