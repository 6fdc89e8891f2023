#include "imagelib/dib_geometry.h"
#include "imagelib/drawing_surface.h"

namespace lv {
namespace {

// Half the spare room, when there are at least two pixels of it.
int centringOffset(int room)
{
    return (room & ~1) > 0 ? room / 2 : 0;
}

}  // namespace

bool DibDraw(DrawingSurface& surface, const HDIB& image, int x, int y)
{
    return image && surface.drawPicture(image, x, y);
}

bool DibDrawFitted(DrawingSurface& surface, const HDIB& image, const Rect& target, Rect* drawn)
{
    if (!image)
        return false;
    HDIB scaled;
    if (image.width() != target.width() || image.height() != target.height()) {
        scaled = DibScaledCopy(image, target.width(), target.height(), true);
        if (!scaled)
            return false;
    }
    const HDIB& shown = scaled ? scaled : image;
    const int left = target.left + centringOffset(target.width() - shown.width());
    const int top = target.top + centringOffset(target.height() - shown.height());
    if (drawn)
        *drawn = {left, top, left + shown.width(), top + shown.height()};
    return DibDraw(surface, shown, left, top);
}

}  // namespace lv
