#include "app/widgets/readout.h"

#include "app/widgets/qt_geometry.h"
#include "app/widgets/shared_style.h"

#include <QFontMetrics>
#include <QPainter>

namespace lv::app {
namespace {

// One font for every readout, as the design has it: made by the first paint, dropped when a
// readout is destroyed.
skin::SharedReadoutFont& ReadoutFontCache()
{
    static skin::SharedReadoutFont font;
    return font;
}

int TextFlags(unsigned style)
{
    switch (skin::ReadoutAlignment(style)) {
    case skin::ReadoutAlign::Centre: return Qt::AlignHCenter;
    case skin::ReadoutAlign::Right: return Qt::AlignRight;
    case skin::ReadoutAlign::Left: break;
    }
    return Qt::AlignLeft;
}

}  // namespace

Readout::Readout(QWidget& parent, unsigned style)
    : QWidget(&parent)
    , style_(style)
{
    setObjectName(kReadoutClass);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

Readout::~Readout()
{
    ReadoutFontCache().release();
}

int Readout::SharedFontHeight()
{
    return ReadoutFontCache().height().value_or(0);
}

void Readout::setText(const QString& text)
{
    if (text == text_)
        return;
    text_ = text;
    update();
}

void Readout::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), QColor::fromRgb(skin::kReadoutBackground));
    const QFont font = FontOfHeight(QString::fromLatin1(skin::kReadoutFont), ReadoutFontCache().heightForPaint(height()));
    p.setFont(font);
    p.setPen(QColor::fromRgb(skin::kReadoutText));
    const int textHeight = QFontMetrics(font).boundingRect(QStringLiteral("Gg")).height();
    const skin::Rect r = skin::ReadoutTextRect({width(), height()}, textHeight);
    p.drawText(ToQRect(r), TextFlags(style_) | Qt::AlignVCenter, text_);
}

}  // namespace lv::app
