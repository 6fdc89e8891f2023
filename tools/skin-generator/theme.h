#pragma once
// The look of the program: the skin palette with an accent colour per main area.

#include "app/widgets/qt_text.h"
#include "app/widgets/skin_palette.h"
#include "app/skin/screen_areas.h"

#include <QColor>
#include <QFont>
#include <QString>

namespace lv::skingen {

using app::QtText;
using app::StringText;

namespace palette = app::palette;

// The colour of a main area; the Internet pages share the colour of Compartilhar.
QColor AreaColour(skin::ScreenArea area);
// The area a panel belongs to (panels 29–34 belong to Compartilhar).
skin::ScreenArea AreaOfPanel(int panel);

// Liberation Sans: metric-compatible with the fonts the dialogs name, installed everywhere we build.
QFont UiFont(qreal pixelSize, int weight = QFont::Normal);

// A colour mixed towards another; t = 0 gives `a`, 1 gives `b`.
QColor Mix(const QColor& a, const QColor& b, qreal t);

}  // namespace lv::skingen
