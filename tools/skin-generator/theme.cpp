#include "theme.h"

#include "app/skin/list_box_registry.h"

namespace lv::skingen {

QColor AreaColour(skin::ScreenArea area)
{
    switch (area) {
    case skin::ScreenArea::Acquire: return {0x2B, 0xC4, 0xB0};
    case skin::ScreenArea::Album: return {0xF2, 0xA8, 0x3B};
    case skin::ScreenArea::Edit: return {0x4C, 0x8D, 0xFF};
    case skin::ScreenArea::Projects: return {0xC0, 0x6C, 0xF2};
    case skin::ScreenArea::Share: return {0x44, 0xC2, 0x6E};
    case skin::ScreenArea::Start: break;
    }
    return palette::kAccent;
}

skin::ScreenArea AreaOfPanel(int panel)
{
    if (const skin::ListBoxEntry* list = skin::ListBoxOfPopup(panel))
        return skin::AreaOfScreen(list->hostPanel);
    if (panel == skin::kColourBarPanel || panel == skin::kLargeColourBarPanel)
        return skin::ScreenArea::Edit;
    return panel >= 29 ? skin::ScreenArea::Share : skin::AreaOfScreen(panel);
}

QFont UiFont(qreal pixelSize, int weight)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(int(pixelSize + 0.5));
    font.setWeight(QFont::Weight(weight));
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

QColor Mix(const QColor& a, const QColor& b, qreal t)
{
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t), float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t));
}

}  // namespace lv::skingen
