#include "app/widgets/skin_tooltip.h"

#include "app/widgets/qt_geometry.h"
#include "app/widgets/shared_style.h"

#include <QFontMetrics>
#include <QPainter>

#include <functional>

namespace lv::app {
namespace {

// Room between the frame and the letters, so the frame never touches them.
constexpr int kPadding = 3;

class TooltipWindow final : public QWidget {
public:
    TooltipWindow(QWidget& owner, QString text, std::function<void()> onHover)
        : QWidget(&owner)
        , text_(std::move(text))
        , onHover_(std::move(onHover))
    {
        setObjectName(kTooltipClass);
        setFont(FontOfHeight(QString::fromLatin1(skin::kTooltipFont), skin::kTooltipFontHeight));
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), QColor::fromRgb(skin::kTooltipColour));
        p.setPen(Qt::black);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
        p.drawText(rect(), Qt::AlignCenter, text_);
    }
    // The pointer over the popup closes it.
    void enterEvent(QEnterEvent*) override { onHover_(); }

private:
    QString text_;
    std::function<void()> onHover_;
};

}  // namespace

void SkinTooltip::show(QWidget& owner, QPoint pointer, std::string_view text)
{
    if (!popup_)
        state_.hide();  // its panel went away with it
    const skin::TooltipPopup::Change change = state_.show(text);
    if (change == skin::TooltipPopup::Change::None)
        return;
    close();
    if (change == skin::TooltipPopup::Change::Hide)
        return;

    const QString shown = QString::fromStdString(*state_.shown());
    auto* window = new TooltipWindow(owner, shown, [this] { hide(); });  // owned by `owner`
    const QFontMetrics metrics(window->font());
    const skin::Size size{metrics.horizontalAdvance(shown) + 2 * kPadding, metrics.height() + 2 * kPadding};
    const skin::Point at = skin::PlaceTooltip(FromQPoint(pointer), size, {owner.width(), owner.height()});
    window->setGeometry(at.x, at.y, size.width, size.height);
    window->show();
    window->raise();
    popup_ = window;
}

void SkinTooltip::hide()
{
    if (state_.hide() == skin::TooltipPopup::Change::Hide)
        close();
}

void SkinTooltip::close()
{
    if (popup_) {
        popup_->hide();
        popup_->deleteLater();  // it may be the one telling us the pointer came over it
        popup_ = nullptr;
    }
}

}  // namespace lv::app
