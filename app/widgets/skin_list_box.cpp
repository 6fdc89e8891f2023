#include "app/widgets/skin_list_box.h"

#include "app/widgets/dib_image.h"
#include "app/widgets/qt_geometry.h"
#include "app/widgets/shared_style.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

namespace lv::app {
namespace {

// A list's panel refuses no choice: it has no radio groups.
class NoRefusals final : public skin::ButtonEnvironment {
public:
    bool activeImageScrollable() const override { return true; }
};

const NoRefusals kNoRefusals;
constexpr int kTextInset = 6;
constexpr int kPictureInset = 2;
constexpr int kWheelStep = 120;

}  // namespace

SkinListBox::SkinListBox(QWidget& parent, skin::ListBox& list, const skin::LoadedPanel& popup, Notify notify)
    : QWidget(&parent)
    , list_(list)
    , layout_(skin::ListLayoutOf(popup.panel))
    , notify_(std::move(notify))
{
    setObjectName(kListBoxClass);
    if (popup.buttons.size() > std::size_t(skin::kListRowPicture)) {
        const auto& images = popup.buttons[skin::kListRowPicture].images;
        for (std::size_t i = 0; i < rowPictures_.size(); ++i)
            rowPictures_[i] = DibToImage(images[i]);
    }
    popup_ = new SkinPanelWidget(*this, *this, kNoRefusals, popup);  // a child
    popup_->setGeometry(QRect(QPoint(0, 0), popup_->backgroundSize()));
    popup_->setOverlay([this](QPainter& painter) { paintRows(painter); });
    popup_->setSliderObserver([this](int button, int value) {
        if (button == skin::kListThumb)
            list_.scrollTo(value);
    });
    popup_->installEventFilter(this);
    popup_->show();
    resize(popup_->size());
    list_.setChangeListener(this, [this] { listChanged(); });
    listChanged();
}

SkinListBox::~SkinListBox()
{
    list_.removeChangeListener(this);
}

int SkinListBox::rowAt(QPoint point) const
{
    return skin::ListRowAt(layout_.rows, layout_.rowHeight, FromQPoint(point));
}

QRect SkinListBox::rowRect(int row) const
{
    return QRect(layout_.rows.left, layout_.rows.top + row * layout_.rowHeight, layout_.rows.width(), layout_.rowHeight);
}

void SkinListBox::setRowPicture(RowPicture picture)
{
    rowPicture_ = std::move(picture);
    popup_->update(ToQRect(layout_.rows));
}

QSize SkinListBox::rowPictureBox() const
{
    const int height = std::max(1, layout_.rowHeight - 2 * kPictureInset);
    return {height * 3 / 2, height};
}

QRect SkinListBox::rowPictureRect(int row) const
{
    const QRect r = rowRect(row);
    return QRect(QPoint(r.left() + kPictureInset, r.top() + kPictureInset), rowPictureBox());
}

void SkinListBox::updateItem(int item)
{
    const int row = item - list_.firstVisible();
    if (row >= 0 && row < layout_.visibleRows)
        popup_->update(rowRect(row));
}

void SkinListBox::listChanged()
{
    popup_->setButtonSlider(skin::kListThumb, 0, list_.sliderMaximum(), list_.firstVisible());
    popup_->update(ToQRect(layout_.rows));
}

void SkinListBox::fire(SkinPanelWidget&, const skin::effect::Fire& fire)
{
    if (fire.handler == skin::Handler::ListBoxScroll) {
        list_.scrollTo(int(fire.argument));
        return;
    }
    if (fire.handler != skin::Handler::ListBoxPick || fire.state != 0)
        return;
    const auto notification = list_.pick(skin::ListRowAt(layout_.rows, layout_.rowHeight, fire.point));
    if (notification && notify_)
        notify_(*notification);
}

void SkinListBox::setHoverRow(int row)
{
    if (row == hoverRow_)
        return;
    if (hoverRow_ >= 0)
        popup_->update(rowRect(hoverRow_));
    hoverRow_ = row;
    if (hoverRow_ >= 0)
        popup_->update(rowRect(hoverRow_));
}

bool SkinListBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == popup_) {
        if (event->type() == QEvent::MouseMove)
            setHoverRow(rowAt(static_cast<QMouseEvent*>(event)->position().toPoint()));
        else if (event->type() == QEvent::Leave)
            setHoverRow(-1);
        else if (event->type() == QEvent::Wheel)
            return scroll(*static_cast<QWheelEvent*>(event));
    }
    return QWidget::eventFilter(watched, event);
}

bool SkinListBox::scroll(QWheelEvent& event)
{
    const int steps = event.angleDelta().y() / kWheelStep;
    if (steps != 0)
        list_.scrollTo(list_.firstVisible() - steps);
    event.accept();
    return true;
}

void SkinListBox::paintRows(QPainter& painter) const
{
    painter.save();
    painter.setClipRect(ToQRect(layout_.rows));
    painter.setFont(SharedFont());
    for (int row = 0; row < layout_.visibleRows; ++row) {
        const int index = list_.firstVisible() + row;
        if (index >= list_.count())
            break;
        const QRect r = rowRect(row);
        const bool selected = index == list_.selection();
        const QImage& picture = rowPictures_[selected ? 1 : row == hoverRow_ ? 2 : 0];
        if (!picture.isNull())
            painter.drawImage(r.topLeft(), picture);
        int textLeft = kTextInset;
        if (rowPicture_) {
            const QRect box = rowPictureRect(row);
            const QImage shown = rowPicture_(index);
            if (!shown.isNull()) {
                const QSize size = shown.size().scaled(box.size(), Qt::KeepAspectRatio);
                painter.drawImage(QRect(box.topLeft() + QPoint((box.width() - size.width()) / 2, (box.height() - size.height()) / 2),
                                        size),
                                  shown);
            }
            textLeft = box.right() + 1 - r.left() + kTextInset;
        }
        painter.setPen(selected ? QColor(Qt::white) : SharedBrushColour());
        const QRect text = r.adjusted(textLeft, 0, -kTextInset, 0);
        const QString item = QString::fromUtf8(list_.text(index));
        painter.drawText(text, Qt::AlignVCenter | Qt::AlignLeft,
                         painter.fontMetrics().elidedText(item, Qt::ElideRight, text.width()));
    }
    painter.restore();
}

}  // namespace lv::app
