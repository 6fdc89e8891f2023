#include "app/widgets/skin_panel_widget.h"

#include "app/widgets/dib_image.h"
#include "app/widgets/qt_geometry.h"
#include "app/widgets/skin_palette.h"
#include "common/beep.h"
#include "common/ui_service.h"

#include <QMouseEvent>
#include <QPainter>

namespace lv::app {

namespace {

// Labels stand in the 14 pixels over their track.
QRect SliderLabelRect(const skin::Slider& slider)
{
    return {slider.track.left + 2, slider.track.top - 14, slider.track.width(), 14};
}

}  // namespace
namespace {

template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};

skin::Point PointOf(const QMouseEvent* event)
{
    return FromQPoint(event->position().toPoint());
}

}  // namespace

SkinPanelWidget::SkinPanelWidget(QWidget& parent, PanelHost& host, const skin::ButtonEnvironment& environment,
                                 const skin::LoadedPanel& loaded)
    : QWidget(&parent)
    , host_(host)
    , environment_(environment)
    , panel_(loaded.panel)
    , skinFile_(loaded.skinFile)
    , background_(DibToImage(loaded.background))
{
    setObjectName(kPanelWindowClass);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    for (const skin::LoadedButton& button : loaded.buttons) {
        table_.push_back({button.definition, button.rect});
        pictures_.push_back({DibToImage(button.images[0]), DibToImage(button.images[1]), DibToImage(button.images[2])});
    }
    repeatTimer_.setObjectName(QStringLiteral("timer %1").arg(skin::kRepeatTimer));
    tooltipTimer_.setObjectName(QStringLiteral("timer %1").arg(skin::kTooltipTimer));
    connect(&repeatTimer_, &QTimer::timeout, this, [this] { carryOut(input_->tick(skin::kRepeatTimer)); });
    connect(&tooltipTimer_, &QTimer::timeout, this, [this] { carryOut(input_->tick(skin::kTooltipTimer)); });
    start({}, {});
}

void SkinPanelWidget::start(const std::vector<int>& selection, const skin::ToggleMemory& toggles)
{
    std::vector<skin::PanelControl> controls = table_;
    for (std::size_t i = 0; i < controls.size() && i < selection.size(); ++i)
        controls[i].definition.selection = selection[i];
    const skin::PanelOptions options{true, true, skin::KeepsPressedImage(skinFile_)};
    repeatTimer_.stop();
    tooltipTimer_.stop();
    input_.emplace(std::move(controls), options, environment_);
    shown_.clear();
    for (int i = 0; i < int(input_->size()); ++i)
        shown_.push_back(input_->restingImage(i));
    // Every button shows again, readouts too.
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child->property(kSliderOfReadout).toInt() > 0)
            child->show();
    applyToggles(toggles);
    update();
    if (sliderObserver_)
        for (int i = 0; i < int(input_->size()); ++i)
            if (const auto& slider = input_->slider(i))
                sliderObserver_(i, slider->value);
}

void SkinPanelWidget::setButtonSlider(int button, int minimum, int maximum, int value)
{
    carryOut(input_->setSlider(button, minimum, maximum, value));
}

void SkinPanelWidget::setButtonHidden(int button, bool hidden)
{
    if (button < 0 || button >= int(input_->size()) || input_->hidden(button) == hidden)
        return;
    input_->setHidden(button, hidden);
    if (input_->slider(button)) {
        const int track = button - 1;
        if (track >= 0 && input_->control(track).definition.kind == skin::ButtonKind::SliderTrack)
            input_->setHidden(track, hidden);
        for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (child->property(kSliderOfReadout).toInt() == button + 1)
                child->setVisible(!hidden);
    }
    update(buttonArea(button));
    if (const auto& slider = input_->slider(button))
        update(SliderLabelRect(*slider));
}

void SkinPanelWidget::carryOut(const skin::Effects& effects)
{
    namespace e = skin::effect;
    for (const skin::Effect& effect : effects) {
        std::visit(Overloaded{
                       [&](const e::Fire& f) { host_.fire(*this, f); },
                       [&](const e::Paint& p) {
                           shown_[std::size_t(p.button)] = p.image;
                           update(buttonArea(p.button));
                       },
                       // Qt grabs the mouse for the widget under a press and tells it when the
                       // pointer leaves, which is all the capture was for.
                       [&](const e::Capture&) {},
                       [&](const e::StartTimer& t) {
                           if (QTimer* timer = this->timer(t.id))
                               timer->start(t.milliseconds);
                       },
                       [&](const e::StopTimer& t) {
                           if (QTimer* timer = this->timer(t.id))
                               timer->stop();
                       },
                       [&](const e::PlaySound& s) { host_.playSound(s.file); },
                       [&](const e::ShowStatus& s) { host_.showStatus(s.stringId); },
                       [&](const e::ShowTooltip& t) { host_.showTooltip(*this, t.stringId, ToQPoint(t.at)); },
                       [&](const e::HideTooltip&) { host_.hideTooltip(); },
                       [&](const e::Beep&) { ui::Beep("choice needs a scrollable picture"); },
                       // The thumb is painted where the slider now holds it; the span of the
                       // track covers its old place too.
                       [&](const e::MoveThumb& m) {
                           update(buttonArea(m.button));
                           if (sliderObserver_)
                               sliderObserver_(m.button, m.value);
                       },
                       [&](const e::SliderReleased& s) { host_.sliderReleased(*this, s.button, s.value); },
                       [&](const e::MirrorToggle& m) { host_.toggleMirrored(*this, m); },
                   },
                   effect);
    }
}

QTimer* SkinPanelWidget::timer(int timerId)
{
    switch (timerId) {
    case skin::kRepeatTimer: return &repeatTimer_;
    case skin::kTooltipTimer: return &tooltipTimer_;
    default: return nullptr;
    }
}

QRect SkinPanelWidget::buttonArea(int button) const
{
    if (button < 0 || button >= int(input_->size()))
        return {};
    if (const auto& slider = input_->slider(button))
        return ToQRect(slider->track).united(ToQRect(slider->thumb));
    return ToQRect(input_->control(button).rect);
}

int SkinPanelWidget::buttonOfControl(int controlId) const
{
    for (int i = 0; i < int(table_.size()); ++i)
        if (table_[std::size_t(i)].definition.controlId == controlId)
            return i;
    return -1;
}

std::optional<QRect> SkinPanelWidget::controlRect(int controlId) const
{
    const int button = buttonOfControl(controlId);
    if (button < 0 || table_[std::size_t(button)].rect.empty())
        return std::nullopt;
    return ToQRect(table_[std::size_t(button)].rect);
}

bool SkinPanelWidget::showControlImage(int controlId, skin::ImageState image)
{
    const int button = buttonOfControl(controlId);
    if (button < 0)
        return false;
    carryOut({skin::effect::Paint{button, image}});
    return true;
}

bool SkinPanelWidget::setSlider(int controlId, int minimum, int maximum, int value, int page)
{
    const int button = buttonOfControl(controlId);
    if (button < 0 || !input_ || !input_->slider(button))
        return false;
    carryOut(input_->setSlider(button, minimum, maximum, value, page));
    return true;
}

bool SkinPanelWidget::setSelected(int controlId, bool selected)
{
    const int button = buttonOfControl(controlId);
    if (button < 0 || !input_)
        return false;
    carryOut(input_->setSelected(button, selected));
    return true;
}

void SkinPanelWidget::setButtonSelected(int button, bool selected)
{
    if (input_ && button >= 0 && std::size_t(button) < input_->size())
        carryOut(input_->setSelected(button, selected));
}

void SkinPanelWidget::restoreGroupSelection(const std::vector<int>& selection)
{
    skin::Effects repaint;
    for (int i = 0; i < int(input_->size()) && i < int(selection.size()); ++i) {
        const bool wanted = selection[std::size_t(i)] == skin::kSelected;
        if (input_->control(i).definition.group != 0 && input_->selected(i) != wanted) {
            const skin::Effects e = input_->setSelected(i, wanted);
            repaint.insert(repaint.end(), e.begin(), e.end());
        }
    }
    carryOut(repaint);
}

void SkinPanelWidget::setControlText(int controlId, const QString& text)
{
    const int button = buttonOfControl(controlId);
    if (button < 0)
        return;
    if (text.isEmpty())
        texts_.erase(button);
    else
        texts_[button] = text;
    update(buttonArea(button));
}

QString SkinPanelWidget::controlText(int controlId) const
{
    const auto it = texts_.find(buttonOfControl(controlId));
    return it == texts_.end() ? QString() : it->second;
}

// The skin's caption is covered with the button's own fill (taken beside it, where the
// picture is plain) and the text written in one or two lines as large as fits.
void SkinPanelWidget::paintControlText(QPainter& p, int button, const QImage& picture, const QString& text) const
{
    const QRect r = buttonArea(button);
    if (picture.isNull() || r.width() < 12 || r.height() < 12)
        return;
    constexpr int kInset = 4;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(picture.pixelColor(kInset, picture.height() / 2));
    p.drawRoundedRect(QRectF(r).adjusted(kInset - 1, kInset - 1, 1 - kInset, 1 - kInset), 4, 4);
    const QRect room = r.adjusted(kInset, 2, -kInset, -2);
    const bool resting = shown_[std::size_t(button)] == skin::ImageState::Normal;
    p.setPen(resting ? palette::kTextDim : palette::kText);
    QFont font = p.font();
    font.setBold(true);
    for (int pixels = room.height() / 2; pixels >= 8; --pixels) {
        font.setPixelSize(pixels);
        const QRect needed = QFontMetrics(font).boundingRect(room, Qt::AlignCenter | Qt::TextWordWrap, text);
        if (room.contains(needed) || pixels == 8)
            break;
    }
    p.setFont(font);
    p.drawText(room, Qt::AlignCenter | Qt::TextWordWrap, text);
    p.restore();
}

void SkinPanelWidget::paintFieldText(QPainter& p, int button, const QString& text) const
{
    const QRect room = buttonArea(button).adjusted(6, 2, -6, -2);
    p.save();
    p.setPen(palette::kText);
    QFont font = p.font();
    font.setPixelSize(std::max(room.height() / 2, 8));
    p.setFont(font);
    p.drawText(room, Qt::AlignCenter, QFontMetrics(font).elidedText(text, Qt::ElideRight, room.width()));
    p.restore();
}

void SkinPanelWidget::paintEvent(QPaintEvent* event)
{
    // A hover or a press repaints one button: only what lies in the exposed rectangle is drawn.
    const QRect exposed = event->rect();
    QPainter p(this);
    if (!QRect(QPoint(0, 0), background_.size()).contains(exposed))
        p.fillRect(exposed, Qt::black);
    p.drawImage(exposed.topLeft(), background_, exposed);
    for (int i = 0; i < int(input_->size()); ++i) {
        if (input_->hidden(i))
            continue;
        if (input_->control(i).definition.kind == skin::ButtonKind::Region) {
            // A read-only field (the calendar's year and month): its text on the frame the skin drew.
            if (const auto text = texts_.find(i); text != texts_.end() && exposed.intersects(buttonArea(i)))
                paintFieldText(p, i, text->second);
            continue;
        }
        const auto& pictures = pictures_[std::size_t(i)];
        const QImage& picture = pictures[std::size_t(shown_[std::size_t(i)])];
        const QImage& shown = picture.isNull() ? pictures[0] : picture;
        const auto& slider = input_->slider(i);
        const QPoint place = ToQRect(slider ? slider->thumb : input_->control(i).rect).topLeft();
        if (!shown.isNull() && exposed.intersects(QRect(place, shown.size()))) {
            p.drawImage(place, shown);
            if (const auto text = texts_.find(i); text != texts_.end())
                paintControlText(p, i, shown, text->second);
        }
    }
    paintSliderLabels(p, exposed);
    if (overlay_)
        overlay_(p);
}

void SkinPanelWidget::setSliderLabel(int thumb, const QString& text)
{
    if (thumb < 0 || thumb >= int(input_->size()) || !input_->slider(thumb))
        return;
    const skin::Slider& slider = *input_->slider(thumb);
    QString& label = sliderLabels_[thumb];
    if (label == text)
        return;
    label = text;
    update(SliderLabelRect(slider));
}

QString SkinPanelWidget::shownSliderLabel(int thumb) const
{
    const auto found = sliderLabels_.find(thumb);
    return found == sliderLabels_.end() || input_->hidden(thumb) ? QString() : found->second;
}

void SkinPanelWidget::paintSliderLabels(QPainter& p, const QRect& exposed) const
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    p.setFont(font);
    p.setPen(palette::kTextDim);
    for (const auto& [thumb, text] : sliderLabels_) {
        const auto& slider = input_->slider(thumb);
        if (!slider || input_->hidden(thumb) || text.isEmpty() || !exposed.intersects(SliderLabelRect(*slider)))
            continue;
        p.drawText(SliderLabelRect(*slider), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    }
}

void SkinPanelWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        host_.leftPressed(*this);
        carryOut(input_->press(PointOf(event)));
    } else if (event->button() == Qt::RightButton) {
        host_.rightPressed(*this, event->position().toPoint(), input_->buttonAt(PointOf(event)));
    }
}

void SkinPanelWidget::mouseMoveEvent(QMouseEvent* event)
{
    carryOut(input_->move(PointOf(event)));
}

void SkinPanelWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const skin::Point point = PointOf(event);
    const int button = input_->buttonAt(point);
    const int controlId = button >= 0 ? input_->control(button).definition.controlId : 0;
    // A handler may switch screens and start this panel afresh; the effects are a copy.
    carryOut(input_->release(point));
    host_.leftReleased(*this, event->position().toPoint(), controlId);
}

void SkinPanelWidget::leaveEvent(QEvent*)
{
    carryOut(input_->leave());
}

}  // namespace lv::app
