#include "app/widgets/mini_toolbar.h"

#include "app/widgets/dib_image.h"
#include "app/widgets/qt_geometry.h"
#include "app/widgets/qt_text.h"
#include "common/string_table.h"

#include <QCursor>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace lv::app {
namespace {

std::vector<skin::BarButton> BarButtons(const skin::LoadedPanel& panel)
{
    std::vector<skin::BarButton> buttons;
    for (const skin::LoadedButton& b : panel.buttons)
        buttons.push_back({int(b.definition.handler), b.definition.tooltip, b.rect});
    return buttons;
}

}  // namespace

MiniToolbar::MiniToolbar(QWidget& parent, const skin::LoadedPanel& panel, Command command)
    : QWidget(&parent)
    , bar_(BarButtons(panel))
    , background_(DibToImage(panel.background))
    , command_(std::move(command))
    , pointer_([this] { return mapFromGlobal(QCursor::pos()); })
{
    setObjectName(kMiniToolbarClass);
    setMouseTracking(true);
    for (const skin::LoadedButton& b : panel.buttons)
        pictures_.push_back({DibToImage(b.images[0]), DibToImage(b.images[1]), DibToImage(b.images[2])});
    resize(background_.size());
    hotTimer_.setObjectName(QStringLiteral("timer %1").arg(skin::kBarHotTimer));
    hotTimer_.setParent(this);
    connect(&hotTimer_, &QTimer::timeout, this, [this] { apply(bar_.tick(rect().contains(pointer_()))); });
}

void MiniToolbar::apply(const skin::BarChange& change)
{
    if (change.repaint)
        update();
    if (change.timer == skin::BarChange::Timer::Start)
        hotTimer_.start(skin::kBarHotMilliseconds);
    else if (change.timer == skin::BarChange::Timer::Stop)
        hotTimer_.stop();
    if (change.command && command_)
        command_(*change.command);
}

bool MiniToolbar::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const int button = bar_.buttonAt(FromQPoint(help->pos()));
    if (button >= 0 && bar_.button(button).tooltip >= 0)
        QToolTip::showText(help->globalPos(), StringText(bar_.button(button).tooltip), this,
                           ToQRect(bar_.button(button).rect));
    else
        QToolTip::hideText();
    return true;
}

void MiniToolbar::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, background_);
    for (int i = 0; i < int(bar_.size()); ++i) {
        const auto& pictures = pictures_[std::size_t(i)];
        const skin::BarState state = bar_.state(i);
        const QImage& picture = state == skin::BarState::Pressed ? pictures[1]
                              : state == skin::BarState::Hot     ? pictures[2]
                                                                 : pictures[0];
        p.setOpacity(state == skin::BarState::Disabled ? 0.4 : 1.0);
        p.drawImage(ToQRect(bar_.button(i).rect).topLeft(), picture.isNull() ? pictures[0] : picture);
    }
}

void MiniToolbar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        apply(bar_.press(FromQPoint(event->position().toPoint())));
}

void MiniToolbar::mouseMoveEvent(QMouseEvent* event)
{
    apply(bar_.move(FromQPoint(event->position().toPoint())));
}

void MiniToolbar::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        apply(bar_.release(FromQPoint(event->position().toPoint())));
}

}  // namespace lv::app
