#include "app/widgets/colour_panel.h"

#include "app/widgets/qt_geometry.h"
#include "common/settings_keys.h"
#include "app/skin/colour_panel_layout.h"
#include "app/skin/handlers.h"
#include "app/widgets/qt_text.h"
#include "app/widgets/shared_style.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace lv::app {
namespace {

constexpr int kActiveTooltip = 35321;
constexpr int kSecondaryTooltip = 35322;
constexpr int kActiveTitle = 35323;
constexpr int kSecondaryTitle = 35324;
constexpr int kLabelFontHeight = 13;

constexpr int kLabelHeight = 16;

QColor ToQColor(RgbTriple c)
{
    return QColor(c.red, c.green, c.blue);
}

RgbTriple ToTriple(const QColor& c)
{
    return {std::uint8_t(c.red()), std::uint8_t(c.green()), std::uint8_t(c.blue())};
}

QString ValueText(RgbTriple c)
{
    return QStringLiteral("%1, %2, %3").arg(c.red).arg(c.green).arg(c.blue);
}

}  // namespace

ColourPair DefaultColourPair()
{
    using namespace setting;
    return {{std::uint8_t(kActR.def), std::uint8_t(kActG.def), std::uint8_t(kActB.def)},
            {std::uint8_t(kAltR.def), std::uint8_t(kAltG.def), std::uint8_t(kAltB.def)}};
}

ColourPanel::ColourPanel(QWidget& parent, bool large, const skin::LoadedPanel& bar, Get get, Set set)
    : QWidget(&parent)
    , get_(std::move(get))
    , set_(std::move(set))
{
    setObjectName(kColourPanelName);
    const skin::ColourPanelLayout layout = skin::ColourPanelLayoutFor(large ? skin::SkinVariant::Large : skin::SkinVariant::Small);
    captions_ = layout.captions;
    active_ = new ColourSwatch(*this, kActiveSwatch);
    active_->setGeometry(ToQRect(layout.active));
    secondary_ = new ColourSwatch(*this, kSecondarySwatch);
    secondary_->setGeometry(ToQRect(layout.secondary));
    toolbar_ = new MiniToolbar(*this, bar, [this](int command) {
        if (command == int(skin::Handler::SwapColours))
            swap();
        else if (command == int(skin::Handler::DefaultColours))
            useDefaults();
    });
    toolbar_->move(ToQPoint(layout.toolbar));
}

void ColourPanel::set(const ColourPair& colours)
{
    set_(colours);
    refresh();
}

void ColourPanel::swap()
{
    const ColourPair now = get_();
    set({now.secondary, now.active});
}

void ColourPanel::useDefaults()
{
    set(DefaultColourPair());
}

void ColourPanel::refresh()
{
    active_->update();
    secondary_->update();
    update();
}

void ColourPanel::choose(int swatch)
{
    if (dialog_)
        return;
    const ColourPair now = get_();
    const bool active = swatch == kActiveSwatch;
    auto* dialog = new QColorDialog(ToQColor(active ? now.active : now.secondary), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setOption(QColorDialog::DontUseNativeDialog);
    dialog->setWindowTitle(StringText(active ? kActiveTitle : kSecondaryTitle));
    connect(dialog, &QColorDialog::colorSelected, this, [this, active](const QColor& chosen) {
        ColourPair colours = get_();
        (active ? colours.active : colours.secondary) = ToTriple(chosen);
        set(colours);
    });
    dialog_ = dialog;
    dialog->open();
}

ColourSwatch* ColourPanel::swatchAt(QPoint point) const
{
    for (ColourSwatch* swatch : {active_, secondary_})
        if (swatch->geometry().contains(point))
            return swatch;
    return nullptr;
}

bool ColourPanel::event(QEvent* event)
{
    if (int(event->type()) == kSwatchColourRequest) {
        auto* request = static_cast<SwatchColourRequest*>(event);
        const ColourPair now = get_();
        request->setColour(ToQColor(request->controlId() == kActiveSwatch ? now.active : now.secondary));
        return true;
    }
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        if (const ColourSwatch* swatch = swatchAt(help->pos()))
            QToolTip::showText(help->globalPos(),
                               StringText(swatch == active_ ? kActiveTooltip : kSecondaryTooltip), this, swatch->geometry());
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

void ColourPanel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (const ColourSwatch* swatch = swatchAt(event->position().toPoint()))
        choose(swatch->controlId());
}

void ColourPanel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    // A dark and a light ring, so black and white swatches both stand out from the skin.
    for (const ColourSwatch* swatch : {active_, secondary_}) {
        const QRect r = swatch->geometry();
        p.setPen(Qt::black);
        p.drawRect(r.adjusted(-1, -1, 0, 0));
        p.setPen(SharedBrushColour());
        p.drawRect(r.adjusted(-2, -2, 1, 1));
    }
    if (!captions_)
        return;
    const ColourPair now = get_();
    p.setFont(FontOfHeight(QStringLiteral("Arial"), kLabelFontHeight));
    p.setPen(SharedBrushColour());
    const auto caption = [&](const ColourSwatch* swatch, int stringId, RgbTriple colour) {
        const QRect r = swatch->geometry();
        const QRect text(r.left() - 12, r.bottom() + 5, r.width() + 24, kLabelHeight);
        p.drawText(text, Qt::AlignCenter, StringText(stringId));
        p.drawText(text.translated(0, kLabelHeight), Qt::AlignCenter, ValueText(colour));
    };
    caption(active_, kActiveTitle, now.active);
    caption(secondary_, kSecondaryTitle, now.secondary);
}

}  // namespace lv::app
