#include "app/widgets/shared_style.h"

#include <QFontMetrics>

namespace lv::app {

QColor SharedBrushColour()
{
    return QColor(kSharedRed, kSharedGreen, kSharedBlue);
}

QFont SharedFont()
{
    return FontOfHeight(QStringLiteral("Arial"), kSharedFontHeight);
}

QFont FontOfHeight(const QString& family, int height)
{
    QFont font(family);
    font.setWeight(QFont::Normal);
    int pixels = std::max(height, 1);
    font.setPixelSize(pixels);
    while (pixels > 1 && QFontMetrics(font).height() > height)
        font.setPixelSize(--pixels);
    return font;
}

}  // namespace lv::app
