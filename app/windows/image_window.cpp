#include "app/windows/image_window.h"

#include "app/core/document_io.h"
#include "app/core/rulers.h"
#include "app/core/shell_state.h"
#include "app/core/tools.h"
#include "app/core/view_painter.h"
#include "app/core/window_caption.h"
#include "app/windows/document_windows.h"
#include "app/widgets/picture_rect.h"
#include "app/widgets/scroll_control.h"
#include "app/widgets/shared_style.h"
#include "app/widgets/skin_palette.h"
#include "common/ui_service.h"
#include "edit/compositing.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QStyle>
#include <QWheelEvent>

namespace lv::app {
namespace {

constexpr std::uint32_t kWorkspaceGrey = 0xFF9B9EA2;  // the shell's grey (155, 158, 162)
constexpr int kRulerFontHeight = 10;

PixelSize documentSize(const LayerStack& stack)
{
    return {stack.width, stack.height};
}

ViewKey viewKeyOf(int key)
{
    switch (key) {
    case Qt::Key_PageUp: return ViewKey::PageUp;
    case Qt::Key_PageDown: return ViewKey::PageDown;
    case Qt::Key_Left: return ViewKey::Left;
    case Qt::Key_Right: return ViewKey::Right;
    case Qt::Key_Up: return ViewKey::Up;
    case Qt::Key_Down: return ViewKey::Down;
    default: return ViewKey::Other;
    }
}

DisplayContext displayContext()
{
    ShellState& shell = Shell();
    DisplayContext display;
    display.kind = DisplayKindFor(shell.displayBitsPerPixel);
    display.gamma = &shell.gamma;
    display.dither = shell.dither ? &*shell.dither : nullptr;
    if (display.kind == DisplayKind::ColourCube && !display.dither)
        display.kind = DisplayKind::TrueColour;
    display.background = kWorkspaceGrey;
    return display;
}

}  // namespace

ImageWindow::ImageWindow(DocumentWindows& owner, int id, std::unique_ptr<LayerStack> document, std::string title,
                         int zoom, QWidget* parent)
    : QWidget(parent)
    , owner_(owner)
    , id_(id)
    , document_(std::move(document))
    , view_(documentSize(*document_), zoom)
    , recorder_(ProcessUndoTable(), id)
    , horizontalBar_(new ScrollControl(Qt::Horizontal, *this,
                                       [this](ScrollAction action, int at) { scroll(Axis::Horizontal, action, at); }))
    , verticalBar_(new ScrollControl(Qt::Vertical, *this,
                                     [this](ScrollAction action, int at) { scroll(Axis::Vertical, action, at); }))
{
    setObjectName(kImageWindowClass);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
    setMouseTracking(true);
    document_->undo = &recorder_;
    view_.setRulerBand(rulersShown() ? rulerBand() : 0);
    syncZoomWord();
    setTitle(std::move(title));
}

ImageWindow::~ImageWindow()
{
    ProcessUndoTable().purge(id_);
    document_->undo = nullptr;
}

void ImageWindow::setTitle(std::string title)
{
    title_ = std::move(title);
    setWindowTitle(QString::fromStdString(title_));
    setToolTip(QString::fromStdString(title_));
    update(0, 0, width(), kCaptionHeight);
}

QString ImageWindow::caption() const
{
    return QString::fromStdString(WindowCaption(title_, document_->width, document_->height, view_.zoom()));
}

int ImageWindow::rulerBand() const
{
    return RulerBandFor(style()->pixelMetric(QStyle::PM_ScrollBarExtent));
}

FrameChrome ImageWindow::chrome() const
{
    const int band = view_.rulerBand();
    return {kCaptionHeight + band, band, kCaptionMinimumWidth};
}

ModifiedState ImageWindow::modifiedState() const
{
    return DocumentModifiedState(title_, document_->modified != 0);
}

void ImageWindow::place(const QRect& frame)
{
    setGeometry(frame);
    view_.setClient({frame.width(), std::max(frame.height() - kCaptionHeight, 0)});
    layOutScrollControls();
}

void ImageWindow::fitInto(const QRect& area)
{
    area_ = area;
    const InitialWindow placed = PlaceNewWindow(documentSize(*document_), ToPictureRect(area), Shell().config.fitInWindow, chrome());
    view_.setZoom(placed.zoom);
    syncZoomWord();
    place(ToQRect(placed.frame));
    viewChanged();
}

void ImageWindow::syncZoomWord()
{
    document_->view.zoomLevel = std::uint32_t(view_.zoom());
}

// The scroll controls lie over the bottom and right edges of the picture area.
void ImageWindow::layOutScrollControls()
{
    const int band = view_.rulerBand();
    const int top = kCaptionHeight + band;
    const int thickness = kScrollControlThickness;
    const bool both = view_.scrollable(Axis::Horizontal) && view_.scrollable(Axis::Vertical);
    horizontalBar_->setGeometry(band, height() - thickness, std::max(width() - band - (both ? thickness : 0), 0), thickness);
    verticalBar_->setGeometry(width() - thickness, top, thickness, std::max(height() - top - (both ? thickness : 0), 0));
    horizontalBar_->showRange(view_.scroll(Axis::Horizontal), view_.pictureArea().width);
    verticalBar_->showRange(view_.scroll(Axis::Vertical), view_.pictureArea().height);
}

// The zoom, the scroll ranges or the size changed: controls, caption and readouts follow.
void ImageWindow::viewChanged()
{
    layOutScrollControls();
    update();
    owner_.readoutsChanged();
}

bool ImageWindow::zoomStep(int step)
{
    const auto next = SteppedZoom(documentSize(*document_), view_.zoom(), step);
    if (!next) {
        ui::Current().beep();
        return false;
    }
    const Rect frame = FrameFor(ToPictureRect(area_), ScaledSize(documentSize(*document_), *next), chrome());
    view_.zoomAbout(*next, {frame.width(), std::max(frame.height() - kCaptionHeight, 0)});
    syncZoomWord();
    Shell().config.lastZoomLevel = *next;
    place(ToQRect(frame));
    viewChanged();
    return true;
}

void ImageWindow::setZoomLevel(int zoom)
{
    view_.setZoom(zoom);
    syncZoomWord();
    viewChanged();
}

void ImageWindow::zoomAt(int step, ImageView::Point point)
{
    if (!zoomStep(step))
        return;
    // Bring the clicked point to the centre where the range allows.
    const PixelSize area = view_.pictureArea();
    view_.scrollBy(Axis::Horizontal, ScrollAction::ThumbPosition, ScaledLength(point.x, view_.zoom()) - area.width / 2);
    view_.scrollBy(Axis::Vertical, ScrollAction::ThumbPosition, ScaledLength(point.y, view_.zoom()) - area.height / 2);
    viewChanged();
}

void ImageWindow::showRulers(bool shown)
{
    document_->view.rulers = shown ? 1 : 0;
    view_.setRulerBand(shown ? rulerBand() : 0);
    place(ToQRect(FrameFor(ToPictureRect(area_), view_.scaledDocument(), chrome())));
    viewChanged();
}

void ImageWindow::documentChanged()
{
    RebuildComposite(*document_);
    const int zoom = std::int32_t(document_->view.zoomLevel);
    if (view_.document() != documentSize(*document_)) {
        view_ = ImageView(documentSize(*document_), zoom, view_.rulerBand());
        view_.setClient({width(), std::max(height() - kCaptionHeight, 0)});
    } else if (zoom != view_.zoom()) {
        view_.setZoom(zoom);
    }
    viewChanged();
}

bool ImageWindow::requestClose()
{
    const auto question = ClosePromptText(title_, modifiedState(), document_->layerCount > 0, false);
    if (question) {
        const ui::Answer answer =
            ui::Current().ask(*question, ui::kProductTitle, ui::Buttons::YesNoCancel, ui::Icon::Question);
        if (answer == ui::Answer::Cancel)
            return false;
        if (answer == ui::Answer::Yes && !owner_.save(*this))
            return false;
    }
    closing_ = true;
    close();
    return true;
}

void ImageWindow::renderInto(const QRect& exposed)
{
    const QSize client(width(), std::max(height() - kCaptionHeight, 0));
    if (backing_.size() != client)
        backing_ = QImage(client, QImage::Format_RGB32);
    if (backing_.isNull())
        return;
    const PixelBuffer buffer{reinterpret_cast<std::uint32_t*>(backing_.bits()), int(backing_.bytesPerLine() / 4),
                             {0, 0, backing_.width(), backing_.height()}};
    PaintView(document_->composite, view_, ToPictureRect(exposed), buffer, displayContext());
}

void ImageWindow::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    if (event->rect().top() < kCaptionHeight)
        paintCaption(painter);
    const QRect exposed = event->rect().translated(0, -kCaptionHeight).intersected(QRect(0, 0, width(), height() - kCaptionHeight));
    if (exposed.isEmpty())
        return;
    renderInto(exposed);
    painter.drawImage(exposed.translated(0, kCaptionHeight), backing_, exposed);
    if (view_.rulerBand() > 0)
        paintRulers(painter);
}

void ImageWindow::paintCaption(QPainter& painter) const
{
    const QRect strip(0, 0, width(), kCaptionHeight);
    const bool active = owner_.active() == this;
    painter.fillRect(strip, active ? palette::kControl : palette::kPanel);
    painter.fillRect(QRect(0, kCaptionHeight - 1, width(), 1), active ? palette::kAccent : palette::kPanelEdge);
    painter.setFont(FontOfHeight(QStringLiteral("Arial"), kCaptionHeight - 5));
    painter.setPen(active ? palette::kText : palette::kTextDim);
    const QRect text = strip.adjusted(6, 0, -6, -1);
    painter.drawText(text, Qt::AlignVCenter | Qt::AlignLeft, painter.fontMetrics().elidedText(caption(), Qt::ElideMiddle, text.width()));
}

void ImageWindow::paintRulers(QPainter& painter) const
{
    const int band = view_.rulerBand();
    const int clientHeight = height() - kCaptionHeight;
    painter.save();
    painter.translate(0, kCaptionHeight);
    painter.fillRect(QRect(0, 0, width(), band), palette::kPanel);
    painter.fillRect(QRect(0, 0, band, clientHeight), palette::kPanel);
    painter.setPen(palette::kPanelEdge);
    painter.drawLine(band - 1, band - 1, width(), band - 1);
    painter.drawLine(band - 1, band - 1, band - 1, clientHeight);
    painter.setFont(FontOfHeight(QStringLiteral("Arial"), kRulerFontHeight));
    for (const RulerTick& tick : RulerTicks(view_.zoom(), view_.origin(Axis::Horizontal), document_->width, band, width())) {
        painter.setPen(tick.labelled ? palette::kTextDim : palette::kTextFaint);
        painter.drawLine(tick.position, tick.labelled ? 2 : band - 5, tick.position, band - 1);
        if (tick.labelled)
            painter.drawText(tick.position + 2, kRulerFontHeight - 1, QString::number(tick.value));
    }
    for (const RulerTick& tick : RulerTicks(view_.zoom(), view_.origin(Axis::Vertical), document_->height, band, clientHeight)) {
        painter.setPen(tick.labelled ? palette::kTextDim : palette::kTextFaint);
        painter.drawLine(tick.labelled ? 2 : band - 5, tick.position, band - 1, tick.position);
        if (tick.labelled) {
            // Upright numbers would not fit the band: they read from bottom to top.
            painter.save();
            painter.translate(kRulerFontHeight - 1, tick.position - 2);
            painter.rotate(-90);
            painter.drawText(0, 0, QString::number(tick.value));
            painter.restore();
        }
    }
    painter.restore();
}

void ImageWindow::resizeEvent(QResizeEvent*)
{
    view_.setClient({width(), std::max(height() - kCaptionHeight, 0)});
    layOutScrollControls();
    owner_.readoutsChanged();
}

void ImageWindow::scroll(Axis axis, ScrollAction action, int thumb)
{
    if (view_.scrollBy(axis, action, thumb)) {
        layOutScrollControls();
        update();
    }
}

void ImageWindow::keyPressEvent(QKeyEvent* event)
{
    const bool control = event->modifiers() & Qt::ControlModifier;
    if (dragging_)
        return;
    const ViewKeyResult result =
        ClassifyViewKey(viewKeyOf(event->key()), control, event->modifiers() & Qt::ShiftModifier, view_);
    if (result.action == ViewKeyAction::Scroll)
        scroll(result.axis, result.scroll);
    else if (result.action == ViewKeyAction::None)
        QWidget::keyPressEvent(event);
}

bool ImageWindow::toolNeedsLayers() const
{
    return document_->layerCount == 0 && !ToolWorksWithoutLayers(CurrentTool());
}

void ImageWindow::mousePressEvent(QMouseEvent* event)
{
    if (toolNeedsLayers()) {
        ui::Current().beep();
        return;
    }
    if (DocumentEngineBusy())
        return;
    if (event->button() == Qt::RightButton) {
        if (!(event->buttons() & Qt::LeftButton) && !dragging_ && CurrentTool() != kOwnRightButtonTool) {
            owner_.activate(*this);
            showContextMenu(event->globalPosition().toPoint());
            return;
        }
        toolMouse(event, MouseMessage::RightDown);
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    if (owner_.active() != this)
        owner_.activate(*this);
    if (event->position().y() >= kCaptionHeight)
        toolMouse(event, MouseMessage::LeftDown);
}

void ImageWindow::mouseMoveEvent(QMouseEvent* event)
{
    if (!toolNeedsLayers() && !DocumentEngineBusy())
        toolMouse(event, MouseMessage::Move);
}

void ImageWindow::mouseReleaseEvent(QMouseEvent* event)
{
    if (toolNeedsLayers() || DocumentEngineBusy())
        return;
    if (event->button() == Qt::LeftButton)
        toolMouse(event, MouseMessage::LeftUp);
    else if (event->button() == Qt::RightButton)
        toolMouse(event, MouseMessage::RightUp);
}

void ImageWindow::wheelEvent(QWheelEvent* event)
{
    const int steps = event->angleDelta().y() / 120;
    if (steps == 0)
        return;
    if (event->modifiers() & Qt::ControlModifier) {
        zoomStep(steps > 0 ? 1 : -1);
        return;
    }
    const Axis axis = event->modifiers() & Qt::ShiftModifier ? Axis::Horizontal : Axis::Vertical;
    for (int i = 0; i < std::abs(steps); ++i)
        scroll(axis, steps > 0 ? ScrollAction::LineUp : ScrollAction::LineDown);
}

void ImageWindow::closeEvent(QCloseEvent* event)
{
    if (closing_) {
        event->accept();
        owner_.windowClosed(*this);
        return;
    }
    event->ignore();
    requestClose();
}

void ImageWindow::toolMouse(QMouseEvent* event, MouseMessage kind)
{
    const QPoint at = clientPoint(event->position().toPoint());
    switch (CurrentTool()) {
    case kZoomTool:
        if (kind == MouseMessage::LeftDown)
            zoomAt(event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier) ? -1 : 1,
                   view_.documentPoint(at.x(), at.y()));
        return;
    case kGrabTool:
        if (kind == MouseMessage::LeftDown) {
            dragging_ = true;
            dragStart_ = at;
            dragScrollX_ = view_.scroll(Axis::Horizontal).position;
            dragScrollY_ = view_.scroll(Axis::Vertical).position;
        } else if (kind == MouseMessage::Move && dragging_) {
            const bool h = view_.scrollBy(Axis::Horizontal, ScrollAction::ThumbPosition, dragScrollX_ - (at.x() - dragStart_.x()));
            const bool v = view_.scrollBy(Axis::Vertical, ScrollAction::ThumbPosition, dragScrollY_ - (at.y() - dragStart_.y()));
            if (h || v) {
                layOutScrollControls();
                update();
            }
        } else if (kind == MouseMessage::LeftUp) {
            dragging_ = false;
        }
        return;
    default: break;
    }
    sendToTool(kind, event->modifiers(), at);
}

void ImageWindow::sendToTool(MouseMessage message, Qt::KeyboardModifiers modifiers, QPoint at)
{
    const ToolHandler* handler = FindTool(CurrentTool());
    if (!handler)
        return;
    lastMouse_ = at;
    lastModifiers_ = modifiers;
    dragging_ = message == MouseMessage::LeftDown || (dragging_ && message != MouseMessage::LeftUp);
    const ImageView::Point point = view_.documentPoint(at.x(), at.y());
    const ToolInput input{CurrentTool(), message, bool(modifiers & Qt::ShiftModifier),
                          bool(modifiers & Qt::ControlModifier), {point.x, point.y}};
    const ToolResult result = (*handler)(*document_, input);
    if (result.changed) {
        CompositeLayers(*document_, *result.changed);
        document_->modified = 1;
    }
    if (result.changed || result.redraw)
        update();
}

void ImageWindow::tick()
{
    if (dragging_ && CurrentTool() == kRepeatingTool)
        sendToTool(MouseMessage::Move, lastModifiers_, lastMouse_);
}

void ImageWindow::showContextMenu(const QPoint& global)
{
    QMenu menu(this);
    const struct {
        const char* text;
        int command;
    } items[] = {{"&Mais zoom ", 40100}, {"M&enos zoom", 40101}, {"&Cortar", 40102},
                 {"C&opiar", 40103},     {"Co&lar", 40104},      {"&Ajuda", 40105}};
    for (const auto& item : items) {
        QAction* action = menu.addAction(QString::fromUtf8(item.text));
        action->setData(item.command);
        if (item.command == 40100)
            action->setEnabled(view_.zoom() < HighestZoom(documentSize(*document_)));
        else if (item.command == 40101)
            action->setEnabled(view_.zoom() >= kMinZoom + 1);
        else if (item.command == 40104)
            action->setEnabled(owner_.clipboardHasPicture());
    }
    menu.addSeparator();
    QAction* rulers = menu.addAction(QStringLiteral("&Réguas"));
    rulers->setData(kRulersCommand);
    rulers->setCheckable(true);
    rulers->setChecked(rulersShown());
    if (QAction* chosen = menu.exec(global))
        owner_.contextCommand(*this, chosen->data().toInt());
}

}  // namespace lv::app
