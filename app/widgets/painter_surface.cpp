#include "app/widgets/painter_surface.h"

#include "app/widgets/dib_image.h"

#include <QPainter>

namespace lv::app {

bool PainterSurface::drawPicture(const HDIB& picture, int x, int y)
{
    const QImage image = DibToImage(picture);
    if (image.isNull())
        return false;
    painter_.drawImage(QPoint(x, y), image);
    return true;
}

}  // namespace lv::app
