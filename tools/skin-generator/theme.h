#pragma once
// The look of the program: one dark, calm palette with an accent colour per main area.

#include "app/widgets/qt_text.h"
#include "app/skin/screen_areas.h"

#include <QColor>
#include <QFont>
#include <QString>

namespace lv::skingen {

using app::QtText;
using app::StringText;

namespace palette {
inline const QColor kWindow{0x14, 0x16, 0x1B};
inline const QColor kTitleTop{0x22, 0x26, 0x2E};
inline const QColor kTitleBottom{0x1A, 0x1D, 0x23};
inline const QColor kPanel{0x1D, 0x21, 0x28};
inline const QColor kPanelEdge{0x2C, 0x32, 0x3C};
inline const QColor kSubPanel{0x22, 0x27, 0x2F};
inline const QColor kWell{0x10, 0x12, 0x16};
inline const QColor kControl{0x27, 0x2C, 0x35};
inline const QColor kControlEdge{0x33, 0x3A, 0x45};
inline const QColor kControlHover{0x30, 0x37, 0x42};
inline const QColor kControlHoverEdge{0x4D, 0x57, 0x68};
inline const QColor kText{0xEE, 0xF1, 0xF5};
inline const QColor kTextDim{0x9A, 0xA3, 0xB1};
inline const QColor kTextFaint{0x62, 0x6B, 0x79};
inline const QColor kAccent{0x4C, 0x8D, 0xFF};
inline const QColor kAccentDark{0x2F, 0x6C, 0xE0};
inline const QColor kDanger{0xE5, 0x48, 0x4D};
}  // namespace palette

// The colour of a main area; the Internet pages share the colour of Compartilhar.
QColor AreaColour(skin::ScreenArea area);
// The area a panel belongs to (panels 29–34 belong to Compartilhar).
skin::ScreenArea AreaOfPanel(int panel);

// Liberation Sans: metric-compatible with the fonts the dialogs name, installed everywhere we build.
QFont UiFont(qreal pixelSize, int weight = QFont::Normal);

// A colour mixed towards another; t = 0 gives `a`, 1 gives `b`.
QColor Mix(const QColor& a, const QColor& b, qreal t);

}  // namespace lv::skingen
