#pragma once
// The skin's colours: one dark, calm palette. The skin generator paints the skin files with
// them and the program's own widgets (captions, rulers, scroll controls) follow them.

#include <QColor>

namespace lv::app::palette {

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
// The layer palette's rows, and the background of the eye and lock pictures drawn on them.
inline const QColor kLayerRowFace{0xD8, 0xDB, 0xE0};

}  // namespace lv::app::palette
