#include "app/windows/image_window.h"

#include "app/core/document_io.h"
#include "app/core/shell_state.h"
#include "app/core/tools.h"
#include "app/core/view_painter.h"
#include "app/core/window_placement.h"
#include "app/windows/document_windows.h"
#include "app/widgets/picture_rect.h"
#include "common/ui_service.h"
#include "edit/compositing.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QWheelEvent>

namespace lv::app {
namespace {

constexpr std::uint32_t kWorkspaceGrey = 0xFF9B9EA2;  // the shell's grey (155, 158, 162)

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
{
    setObjectName(kImageWindowClass);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
    setMouseTracking(true);
    document_->undo = &recorder_;
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
}

ModifiedState ImageWindow::modifiedState() const
{
    return DocumentModifiedState(title_, document_->modified != 0);
}

void ImageWindow::place(const QRect& frame)
{
    setGeometry(frame);
    view_.setClient({frame.width(), frame.height()});
}

void ImageWindow::syncZoomWord()
{
    document_->view.zoomLevel = std::uint32_t(view_.zoom());
}

bool ImageWindow::zoomStep(int step)
{
    const auto next = SteppedZoom(documentSize(*document_), view_.zoom(), step);
    if (!next) {
        ui::Current().beep();
        return false;
    }
    const Rect frame = CentredIn(ToPictureRect(area_), ScaledSize(documentSize(*document_), *next));
    view_.zoomAbout(*next, {frame.width(), frame.height()});
    syncZoomWord();
    place(ToQRect(frame));
    update();
    owner_.readoutsChanged();
    return true;
}

void ImageWindow::setZoomLevel(int zoom)
{
    view_.setZoom(zoom);
    syncZoomWord();
    update();
    owner_.readoutsChanged();
}

void ImageWindow::zoomAt(int step, ImageView::Point point)
{
    if (!zoomStep(step))
        return;
    // Bring the clicked point to the centre where the range allows.
    const PixelSize area = view_.pictureArea();
    view_.scrollBy(Axis::Horizontal, ScrollAction::ThumbPosition, ScaledLength(point.x, view_.zoom()) - area.width / 2);
    view_.scrollBy(Axis::Vertical, ScrollAction::ThumbPosition, ScaledLength(point.y, view_.zoom()) - area.height / 2);
    update();
}

void ImageWindow::documentChanged()
{
    RebuildComposite(*document_);
    const int zoom = std::int32_t(document_->view.zoomLevel);
    if (view_.document() != documentSize(*document_)) {
        view_ = ImageView(documentSize(*document_), zoom, view_.rulerBand());
        view_.setClient({width(), height()});
    } else if (zoom != view_.zoom()) {
        view_.setZoom(zoom);
    }
    update();
    owner_.readoutsChanged();
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
    if (backing_.size() != size())
        backing_ = QImage(size(), QImage::Format_RGB32);
    if (backing_.isNull())
        return;
    const PixelBuffer buffer{reinterpret_cast<std::uint32_t*>(backing_.bits()), int(backing_.bytesPerLine() / 4),
                             {0, 0, backing_.width(), backing_.height()}};
    PaintView(document_->composite, view_, ToPictureRect(exposed), buffer, displayContext());
}

void ImageWindow::paintEvent(QPaintEvent* event)
{
    const QRect exposed = event->rect();
    renderInto(exposed);
    QPainter(this).drawImage(exposed, backing_, exposed);
}

void ImageWindow::resizeEvent(QResizeEvent*)
{
    view_.setClient({width(), height()});
    owner_.readoutsChanged();
}

void ImageWindow::scroll(Axis axis, ScrollAction action, int thumb)
{
    if (view_.scrollBy(axis, action, thumb))
        update();
}

void ImageWindow::keyPressEvent(QKeyEvent* event)
{
    const bool keypad = event->modifiers() & Qt::KeypadModifier;
    const bool control = event->modifiers() & Qt::ControlModifier;
    if (control && keypad && (event->key() == Qt::Key_Plus || event->key() == Qt::Key_Minus)) {
        owner_.zoomCommand(event->key() == Qt::Key_Plus ? kZoomInCommand : kZoomOutCommand);
        return;
    }
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
    const QPoint at = event->position().toPoint();
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
            if (h || v)
                update();
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
    if (QAction* chosen = menu.exec(global))
        owner_.contextCommand(*this, chosen->data().toInt());
}

}  // namespace lv::app
