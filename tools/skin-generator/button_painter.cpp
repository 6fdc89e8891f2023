#include "button_painter.h"

#include "icons.h"
#include "theme.h"

#include <QPainter>
#include <QPainterPath>

namespace lv::skingen {
namespace {

using skin::ButtonStyle;
using skin::ImageState;
using namespace palette;

struct Look {
    QColor fill;
    QColor edge;
    QColor icon;
    QColor text;
};

// The ordinary control look in each state: dark, lifted on hover, tinted by the area when pressed.
Look ControlLook(ImageState state, const QColor& accent)
{
    switch (state) {
    case ImageState::Hover: return {kControlHover, kControlHoverEdge, Mix(accent, Qt::white, 0.25), kText};
    case ImageState::Pressed: return {Mix(kControl, accent, 0.30), accent, Qt::white, Qt::white};
    case ImageState::Normal: break;
    }
    return {kControl, kControlEdge, accent, kText};
}

void RoundedBox(QPainter& p, const QRectF& r, qreal radius, const QColor& fill, const QColor& edge)
{
    p.setPen(edge.alpha() ? QPen(edge, 1) : Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
}

void DrawText(QPainter& p, const QRectF& r, const QString& text, const QFont& font, const QColor& colour, int flags)
{
    p.setFont(font);
    p.setPen(colour);
    const QString fitted = QFontMetricsF(font).elidedText(text, Qt::ElideRight, r.width());
    p.drawText(r, flags, fitted);
}

QString Caption(const skin::ButtonDefinition& b)
{
    return QtText(skin::ButtonCaption(b));
}

void PaintAreaTab(QPainter& p, const QRectF& r, const skin::ButtonDefinition& b, ImageState state, const QColor& area)
{
    if (state == ImageState::Hover)
        RoundedBox(p, r.adjusted(2, 2, -2, -2), 9, QColor(255, 255, 255, 18), QColor(255, 255, 255, 28));
    if (state == ImageState::Pressed) {
        RoundedBox(p, r.adjusted(2, 2, -2, -2), 9, Mix(kTitleBottom, area, 0.24), Mix(kTitleBottom, area, 0.5));
        p.setPen(Qt::NoPen);
        p.setBrush(area);
        p.drawRoundedRect(QRectF(r.center().x() - r.width() * 0.22, r.bottom() - 5, r.width() * 0.44, 3), 1.5, 1.5);
    }
    const qreal iconSide = r.height() * 0.42;
    const QColor iconColour = state == ImageState::Normal ? area : Mix(area, Qt::white, 0.35);
    DrawIcon(p, b.art.icon, QRectF(r.center().x() - iconSide / 2, r.top() + r.height() * 0.12, iconSide, iconSide),
             iconColour);
    DrawText(p, QRectF(r.left() + 2, r.top() + r.height() * 0.58, r.width() - 4, r.height() * 0.34), Caption(b),
             UiFont(r.height() * 0.25, state == ImageState::Pressed ? QFont::Bold : QFont::DemiBold),
             state == ImageState::Normal ? kTextDim : kText, Qt::AlignHCenter | Qt::AlignTop);
}

void PaintWindowButton(QPainter& p, const QRectF& r, const skin::ButtonDefinition& b, ImageState state)
{
    const bool quit = b.handler == skin::Handler::Quit;
    QColor fill = kControl, icon = kTextDim;
    if (state == ImageState::Hover) {
        fill = quit ? kDanger : kControlHoverEdge;
        icon = Qt::white;
    } else if (state == ImageState::Pressed) {
        fill = quit ? Mix(kDanger, Qt::black, 0.25) : kAccentDark;
        icon = Qt::white;
    }
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawEllipse(r.adjusted(0.5, 0.5, -0.5, -0.5));
    DrawIcon(p, b.art.icon, r.adjusted(r.width() * 0.22, r.height() * 0.22, -r.width() * 0.22, -r.height() * 0.22), icon);
}

void PaintIconButton(QPainter& p, const QRectF& r, const skin::ButtonDefinition& b, ImageState state,
                     const QColor& accent, qreal radius, bool quietWhenNormal)
{
    Look look = ControlLook(state, accent);
    if (state == ImageState::Normal)
        look.icon = quietWhenNormal ? kTextDim : kText;
    if (state == ImageState::Pressed) {
        look.fill = accent;
        look.edge = Mix(accent, Qt::white, 0.2);
        look.icon = kWindow;
    }
    if (!(quietWhenNormal && state == ImageState::Normal))
        RoundedBox(p, r, radius, look.fill, look.edge);
    const qreal inset = std::min(r.width(), r.height()) * 0.22;
    DrawIcon(p, b.art.icon, r.adjusted(inset, inset, -inset, -inset), look.icon);
}

void PaintTile(QPainter& p, const QRectF& r, const skin::ButtonDefinition& b, ImageState state, const QColor& accent)
{
    const Look look = ControlLook(state, accent);
    RoundedBox(p, r, 8, look.fill, look.edge);
    const qreal icon = 22;
    DrawIcon(p, b.art.icon, QRectF(r.center().x() - icon / 2, r.top() + 8, icon, icon), look.icon);
    DrawText(p, QRectF(r.left() + 4, r.top() + 34, r.width() - 8, r.height() - 36), Caption(b), UiFont(11.5, QFont::DemiBold),
             look.text, Qt::AlignHCenter | Qt::AlignTop);
}

void PaintWideAction(QPainter& p, const QRectF& r, const skin::ButtonDefinition& b, ImageState state, const QColor& accent)
{
    const Look look = ControlLook(state, accent);
    RoundedBox(p, r, 7, look.fill, look.edge);
    const qreal icon = std::min<qreal>(18, r.height() - 12);
    qreal x = r.left() + 10;
    if (!b.art.icon.empty()) {
        DrawIcon(p, b.art.icon, QRectF(x, r.center().y() - icon / 2, icon, icon), look.icon);
        x += icon + 9;
    }
    DrawText(p, QRectF(x, r.top(), r.right() - x - 6, r.height()), Caption(b), UiFont(12.5, QFont::DemiBold), look.text,
             Qt::AlignLeft | Qt::AlignVCenter);
}

void PaintPrimary(QPainter& p, const QRectF& r, const skin::ButtonDefinition& b, ImageState state, const QColor& accent)
{
    QColor fill = accent;
    if (state == ImageState::Hover)
        fill = Mix(accent, Qt::white, 0.16);
    else if (state == ImageState::Pressed)
        fill = Mix(accent, Qt::black, 0.22);
    QLinearGradient gradient(r.topLeft(), r.bottomLeft());
    gradient.setColorAt(0, Mix(fill, Qt::white, 0.08));
    gradient.setColorAt(1, Mix(fill, Qt::black, 0.06));
    p.setPen(QPen(Mix(fill, Qt::black, 0.25), 1));
    p.setBrush(gradient);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 7, 7);
    const QColor ink = kWindow;
    const QFont font = UiFont(13, QFont::Bold);
    const QString caption = Caption(b);
    const qreal icon = std::min<qreal>(18, r.height() - 12);
    const qreal textWidth = QFontMetricsF(font).horizontalAdvance(caption);
    const qreal total = (b.art.icon.empty() ? 0 : icon + 8) + textWidth;
    qreal x = r.center().x() - total / 2;
    if (!b.art.icon.empty()) {
        DrawIcon(p, b.art.icon, QRectF(x, r.center().y() - icon / 2, icon, icon), ink);
        x += icon + 8;
    }
    DrawText(p, QRectF(x, r.top(), r.right() - x, r.height()), caption, font, ink, Qt::AlignLeft | Qt::AlignVCenter);
}

void PaintChoice(QPainter& p, const QRectF& r, const skin::ButtonDefinition& b, ImageState state, const QColor& accent)
{
    if (state == ImageState::Hover)
        RoundedBox(p, r, 6, kControlHover, QColor(0, 0, 0, 0));
    if (state == ImageState::Pressed)
        RoundedBox(p, r, 6, Mix(kPanel, accent, 0.14), QColor(0, 0, 0, 0));
    // Page choices are radios too: one page shows at a time.
    const bool radio = b.group != 0 || b.handler == skin::Handler::SwitchScreen;
    const qreal side = 14;
    const QRectF mark(r.left() + 8, r.center().y() - side / 2, side, side);
    p.setBrush(state == ImageState::Pressed ? accent : QColor(0, 0, 0, 0));
    p.setPen(QPen(state == ImageState::Pressed ? accent : kTextDim, 1.5));
    if (radio)
        p.drawEllipse(mark);
    else
        p.drawRoundedRect(mark, 3.5, 3.5);
    if (state == ImageState::Pressed) {
        if (radio) {
            p.setPen(Qt::NoPen);
            p.setBrush(kWindow);
            p.drawEllipse(mark.center(), 3, 3);
        } else {
            DrawIcon(p, "check", mark.adjusted(1, 1, -1, -1), kWindow);
        }
    }
    qreal x = mark.right() + 10;
    if (!b.art.icon.empty() && b.art.icon != "check") {
        DrawIcon(p, b.art.icon, QRectF(x, r.center().y() - 8, 16, 16), state == ImageState::Normal ? kTextDim : accent);
        x += 24;
    }
    DrawText(p, QRectF(x, r.top(), r.right() - x - 4, r.height()), Caption(b), UiFont(12.5, QFont::Normal),
             state == ImageState::Normal ? kText : Qt::white, Qt::AlignLeft | Qt::AlignVCenter);
}

// A start-screen card in its area's colour: lifted under the pointer, tinted when pressed.
void PaintCard(QPainter& p, const QRectF& r, const skin::ButtonDefinition& b, ImageState state)
{
    const QColor colour = AreaColour(skin::AreaOfArgument(b.argument));
    const qreal tint = state == ImageState::Pressed ? 0.22 : state == ImageState::Hover ? 0.12 : 0.06;
    const qreal edge = state == ImageState::Normal ? 0.25 : 0.6;
    RoundedBox(p, r, 8, Mix(kPanel, colour, tint), Mix(kPanelEdge, colour, edge));
    DrawIcon(p, b.art.icon, QRectF(r.left() + 12, r.center().y() - 12, 24, 24), colour);
    const QString caption = Caption(b);
    const QString title = caption.section('\n', 0, 0);
    const QString line = caption.section('\n', 1);
    DrawText(p, QRectF(r.left() + 48, r.top() + 11, r.width() - 56, 20), title, UiFont(13, QFont::Bold), kText,
             Qt::AlignLeft | Qt::AlignVCenter);
    DrawText(p, QRectF(r.left() + 48, r.top() + 31, r.width() - 56, 18), line, UiFont(11.5),
             state == ImageState::Normal ? kTextDim : kText, Qt::AlignLeft | Qt::AlignVCenter);
}

void PaintLink(QPainter& p, const QRectF& r, const skin::ButtonDefinition& b, ImageState state, const QColor& accent)
{
    if (state != ImageState::Normal)
        RoundedBox(p, r, 6, state == ImageState::Pressed ? Mix(kPanel, accent, 0.22) : kControlHover, QColor(0, 0, 0, 0));
    DrawIcon(p, b.art.icon, QRectF(r.left() + 8, r.center().y() - 8, 16, 16), state == ImageState::Normal ? kTextDim : accent);
    QFont font = UiFont(12.5);
    font.setUnderline(state != ImageState::Normal);
    DrawText(p, QRectF(r.left() + 32, r.top(), r.width() - 36, r.height()), Caption(b), font,
             state == ImageState::Normal ? kText : Mix(accent, Qt::white, 0.3), Qt::AlignLeft | Qt::AlignVCenter);
}

void PaintReadout(QPainter& p, const QRectF& r, const skin::ButtonDefinition& b, ImageState state, const QColor& accent)
{
    RoundedBox(p, r, 7, state == ImageState::Pressed ? Mix(kWell, accent, 0.2) : kWell,
               state == ImageState::Hover ? kControlHoverEdge : kControlEdge);
    DrawText(p, r, Caption(b), UiFont(r.height() * 0.36, QFont::Bold), state == ImageState::Normal ? kTextDim : kText,
             Qt::AlignCenter);
}

// A list box's scroll slider stands upright: a plain groove without ticks.
void PaintUprightSliderTrack(QPainter& p, const QRectF& r, ImageState state)
{
    const QRectF groove(r.center().x() - 2.5, r.top() + 2, 5, r.height() - 4);
    p.setPen(QPen(state == ImageState::Normal ? kControlEdge : kControlHoverEdge, 1));
    p.setBrush(kWell);
    p.drawRoundedRect(groove, 2.5, 2.5);
}

void PaintSliderTrack(QPainter& p, const QRectF& r, ImageState state, const QColor& accent)
{
    if (r.height() > r.width()) {
        PaintUprightSliderTrack(p, r, state);
        return;
    }
    const QRectF groove(r.left() + 2, r.center().y() - 2.5, r.width() - 4, 5);
    p.setPen(QPen(state == ImageState::Normal ? kControlEdge : kControlHoverEdge, 1));
    p.setBrush(kWell);
    p.drawRoundedRect(groove, 2.5, 2.5);
    p.setPen(QPen(state == ImageState::Pressed ? accent : kTextFaint, 1));
    for (int i = 0; i <= 4; ++i) {
        const qreal x = groove.left() + 6 + (groove.width() - 12) * i / 4.0;
        p.drawLine(QPointF(x, groove.bottom() + 3), QPointF(x, groove.bottom() + 5));
    }
}

void PaintSliderThumb(QPainter& p, const QRectF& r, ImageState state, const QColor& accent)
{
    const QColor fill = state == ImageState::Pressed ? accent : state == ImageState::Hover ? Qt::white : QColor(0xD9, 0xDE, 0xE6);
    p.setPen(QPen(Mix(fill, Qt::black, 0.35), 1));
    p.setBrush(fill);
    const QPen line(Mix(fill, Qt::black, 0.3), 1);
    if (r.height() > r.width()) {
        p.drawRoundedRect(r.adjusted(2.5, 1.5, -2.5, -1.5), 3.5, 3.5);
        p.setPen(line);
        p.drawLine(QPointF(r.left() + 4.5, r.center().y()), QPointF(r.right() - 4.5, r.center().y()));
        return;
    }
    p.drawRoundedRect(r.adjusted(1.5, 0.5, -1.5, -0.5), 5, 5);
    p.setPen(line);
    p.drawLine(QPointF(r.center().x(), r.top() + 6), QPointF(r.center().x(), r.bottom() - 6));
}

// One row of a list box: plain at rest (the rows' area shows through), filled when selected
// or under the pointer.
void PaintListRow(QPainter& p, const QRectF& r, ImageState state, const QColor& accent)
{
    if (state == ImageState::Normal)
        return;
    p.setPen(Qt::NoPen);
    p.setBrush(state == ImageState::Pressed ? Mix(kWell, accent, 0.55) : kControlHover);
    p.drawRoundedRect(r.adjusted(1, 1, -1, 0), 3, 3);
}

// The rows' area: an edge lights up while the pointer is over it or a row is being picked.
void PaintListRows(QPainter& p, const QRectF& r, ImageState state, const QColor& accent)
{
    if (state == ImageState::Normal)
        return;
    p.setPen(QPen(state == ImageState::Pressed ? accent : kControlHoverEdge, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
}

}  // namespace

QImage PaintButton(const skin::ButtonDefinition& button, const QRect& rect, const QImage& panelBackground,
                   skin::ImageState state, const QColor& accent)
{
    QImage image = panelBackground.copy(rect).convertToFormat(QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QRectF r(0, 0, rect.width(), rect.height());
    switch (button.art.style) {
    case ButtonStyle::AreaTab: PaintAreaTab(p, r, button, state, accent); break;
    case ButtonStyle::WindowButton: PaintWindowButton(p, r, button, state); break;
    case ButtonStyle::ToolbarIcon: PaintIconButton(p, r, button, state, accent, 8, false); break;
    case ButtonStyle::SectionIcon: PaintIconButton(p, r, button, state, accent, 6, true); break;
    case ButtonStyle::SmallIcon: PaintIconButton(p, r, button, state, accent, 6, false); break;
    case ButtonStyle::Readout: PaintReadout(p, r, button, state, accent); break;
    case ButtonStyle::Tile: PaintTile(p, r, button, state, accent); break;
    case ButtonStyle::WideAction: PaintWideAction(p, r, button, state, accent); break;
    case ButtonStyle::Primary: PaintPrimary(p, r, button, state, accent); break;
    case ButtonStyle::Choice: PaintChoice(p, r, button, state, accent); break;
    case ButtonStyle::Link: PaintLink(p, r, button, state, accent); break;
    case ButtonStyle::Card: PaintCard(p, r, button, state); break;
    case ButtonStyle::SliderTrack: PaintSliderTrack(p, r, state, accent); break;
    case ButtonStyle::SliderThumb: PaintSliderThumb(p, r, state, accent); break;
    case ButtonStyle::ListRow: PaintListRow(p, r, state, accent); break;
    case ButtonStyle::ListRows: PaintListRows(p, r, state, accent); break;
    case ButtonStyle::Field:
    case ButtonStyle::None: break;
    }
    return image;
}

}  // namespace lv::skingen
