#include "app/editing/image_window.h"
#include "app/core/view/display_profile_state.h"

#include "app/core/view/colours.h"
#include "app/core/documents/document_io.h"
#include "app/core/view/pixel_surface.h"
#include "app/core/view/rulers.h"
#include "app/core/shell_state.h"
#include "app/core/tools.h"
#include "app/core/view/view_painter.h"
#include "app/core/view/window_caption.h"
#include "app/editing/document_windows.h"
#include "app/widgets/qt_geometry.h"
#include "app/widgets/scroll_control.h"
#include "app/widgets/shared_style.h"
#include "app/widgets/skin_palette.h"
#include "common/beep.h"
#include "common/ui_service.h"
#include "edit/compositing.h"
#include "edit/layers.h"
#include "edit/tools/overlay_painter.h"

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

Size documentSize(const LayerStack& stack)
{
    return {stack.width, stack.height};
}

Qt::CursorShape cursorShape(ToolCursor cursor)
{
    switch (cursor) {
    case ToolCursor::Arrow: return Qt::ArrowCursor;
    case ToolCursor::Crosshair:
    case ToolCursor::Crop:
    case ToolCursor::Brush:
    case ToolCursor::Picker: return Qt::CrossCursor;
    case ToolCursor::Move: return Qt::SizeAllCursor;
    case ToolCursor::ZoomIn:
    case ToolCursor::ZoomOut:
    case ToolCursor::Wand: return Qt::PointingHandCursor;
    case ToolCursor::OpenHand: return Qt::OpenHandCursor;
    case ToolCursor::ClosedHand: return Qt::ClosedHandCursor;
    case ToolCursor::Trash: return Qt::ArrowCursor;
    case ToolCursor::Text: return Qt::IBeamCursor;
    case ToolCursor::Forbidden: return Qt::ForbiddenCursor;
    case ToolCursor::SizeNwse: return Qt::SizeFDiagCursor;
    case ToolCursor::SizeNesw: return Qt::SizeBDiagCursor;
    case ToolCursor::SizeWe: return Qt::SizeHorCursor;
    case ToolCursor::SizeNs: return Qt::SizeVerCursor;
    case ToolCursor::Rotate: return Qt::CrossCursor;
    }
    return Qt::ArrowCursor;
}

Modifiers modifiersOf(Qt::KeyboardModifiers keys)
{
    return {bool(keys & Qt::ShiftModifier), bool(keys & Qt::ControlModifier), bool(keys & Qt::AltModifier)};
}

ToolKey toolKeyOf(int key)
{
    switch (key) {
    case Qt::Key_Escape: return ToolKey::Escape;
    case Qt::Key_Delete: return ToolKey::Delete;
    case Qt::Key_Return:
    case Qt::Key_Enter: return ToolKey::Return;
    case Qt::Key_Left: return ToolKey::Left;
    case Qt::Key_Right: return ToolKey::Right;
    case Qt::Key_Up: return ToolKey::Up;
    case Qt::Key_Down: return ToolKey::Down;
    default: return ToolKey::Other;
    }
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
    zoomedByHand_ = false;
    const InitialWindow placed = PlaceNewWindow(documentSize(*document_), FromQRect(area), Shell().config.fitInWindow, chrome());
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
    owner_.viewMoved(*this);
}

bool ImageWindow::zoomStep(int step)
{
    const auto next = SteppedZoom(documentSize(*document_), view_.zoom(), step);
    if (!next) {
        ui::Beep("zoom limit");
        return false;
    }
    const Rect frame = FrameFor(FromQRect(area_), ScaledSize(documentSize(*document_), *next), chrome());
    view_.zoomAbout(*next, {frame.width(), std::max(frame.height() - kCaptionHeight, 0)});
    syncZoomWord();
    zoomedByHand_ = true;
    Shell().config.lastZoomLevel = *next;
    place(ToQRect(frame));
    viewChanged();
    return true;
}

void ImageWindow::setZoomLevel(int zoom)
{
    view_.setZoom(zoom);
    syncZoomWord();
    zoomedByHand_ = true;
    viewChanged();
}

void ImageWindow::zoomAt(int step, Point point)
{
    if (!zoomStep(step))
        return;
    // Bring the clicked point to the centre where the range allows.
    const Size area = view_.pictureArea();
    view_.scrollBy(Axis::Horizontal, ScrollAction::ThumbPosition, ScaledLength(point.x, view_.zoom()) - area.width / 2);
    view_.scrollBy(Axis::Vertical, ScrollAction::ThumbPosition, ScaledLength(point.y, view_.zoom()) - area.height / 2);
    viewChanged();
}

void ImageWindow::showRulers(bool shown)
{
    document_->view.rulers = shown ? 1 : 0;
    view_.setRulerBand(shown ? rulerBand() : 0);
    place(ToQRect(FrameFor(FromQRect(area_), view_.scaledDocument(), chrome())));
    viewChanged();
}

void ImageWindow::documentChanged()
{
    RebuildComposite(*document_);
    const int zoom = std::int32_t(document_->view.zoomLevel);
    if (view_.document() != documentSize(*document_)) {
        view_ = ImageView(documentSize(*document_), zoom, view_.rulerBand());
        view_.setClient({width(), std::max(height() - kCaptionHeight, 0)});
        // Cropped or turned, the picture fills its window as it did when opened.
        if (!zoomedByHand_ && area_.isValid()) {
            fitInto(area_);
            return;
        }
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

void ImageWindow::discard()
{
    closing_ = true;
    close();
}

void ImageWindow::outlineCurrentLayer(bool outlined)
{
    if (outlineCurrentLayer_ == outlined)
        return;
    outlineCurrentLayer_ = outlined;
    update();
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
    DisplayContext display = displayContext();
    DisplayColourState& displayColours = DisplayColourSettings();
    displayColours_.setProfiles(facts_.iccProfile, displayColours.profile, displayColours.transforms);
    display.colours = &displayColours_;
    PaintView(document_->composite, view_, FromQRect(exposed), buffer, display);
}

void ImageWindow::setPictureFacts(PictureFacts facts)
{
    facts_ = std::move(facts);
    displayColours_ = DisplayColours();  // its rows were converted from the old profile
    update();
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
    paintOverlays(exposed);
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

// The active window shows the selection outline and the tool's marks over the picture.
void ImageWindow::paintOverlays(const QRect& exposed)
{
    if (backing_.isNull() || owner_.active() != this)
        return;
    const PixelBuffer buffer{reinterpret_cast<std::uint32_t*>(backing_.bits()), int(backing_.bytesPerLine() / 4),
                             FromQRect(exposed.intersected(backing_.rect()))};
    PixelSurface surface(buffer);
    ViewMapping view = mapping();
    OverlayPainter painter(surface, view, outlinePhase_);
    painter.selectionOutline(outline_.outlineOf(*document_));
    if (outlineCurrentLayer_)
        if (const auto box = GetLayerTopDownRect(*document_, document_->currentLayer))
            painter.rubberBand(*box);
    if (const Tool* tool = CurrentTool())
        tool->drawOverlay(*this, painter);
}

void ImageWindow::resizeEvent(QResizeEvent*)
{
    view_.setClient({width(), std::max(height() - kCaptionHeight, 0)});
    layOutScrollControls();
    owner_.readoutsChanged();
    owner_.viewMoved(*this);
}

void ImageWindow::scroll(Axis axis, ScrollAction action, int thumb)
{
    if (view_.scrollBy(axis, action, thumb)) {
        layOutScrollControls();
        update();
        owner_.viewMoved(*this);
    }
}

void ImageWindow::keyPressEvent(QKeyEvent* event)
{
    const bool control = event->modifiers() & Qt::ControlModifier;
    const ToolKey key = toolKeyOf(event->key());
    // Esc ends a drag; the other keys wait for its end.
    if (key == ToolKey::Escape && sendKeyToTool(event))
        return;
    if (dragging())
        return;
    if ((key == ToolKey::Delete || key == ToolKey::Return) && sendKeyToTool(event))
        return;
    if (key == ToolKey::Delete) {
        // The key empties the selection; whole layers go only by the button.
        if (document_->selectionActive)
            owner_.deleteSelectionOrLayer(*this);
        else
            ui::Beep("no selection");
        return;
    }
    const ViewKeyResult result =
        ClassifyViewKey(viewKeyOf(event->key()), control, event->modifiers() & Qt::ShiftModifier, view_);
    if (result.action == ViewKeyAction::Scroll)
        scroll(result.axis, result.scroll);
    else if (result.action == ViewKeyAction::PassToTool)
        sendKeyToTool(event);
    else
        QWidget::keyPressEvent(event);
}

bool ImageWindow::sendKeyToTool(QKeyEvent* event)
{
    Tool* tool = CurrentTool();
    if (!tool || toolNeedsLayers())
        return false;
    const ToolResult result = tool->key(*this, {toolKeyOf(event->key()), modifiersOf(event->modifiers())});
    apply(result);
    return result.handled;
}

bool ImageWindow::toolNeedsLayers() const
{
    const Tool* tool = CurrentTool();
    return document_->layerCount == 0 && !(tool && tool->worksWithoutLayers());
}

bool ImageWindow::dragging() const
{
    const Tool* tool = CurrentTool();
    return heldButton_ != Qt::NoButton && tool && tool->dragging();
}

void ImageWindow::mousePressEvent(QMouseEvent* event)
{
    if (toolNeedsLayers()) {
        ui::Beep("no layers");
        return;
    }
    if (DocumentEngineBusy())
        return;
    const Tool* tool = CurrentTool();
    if (event->button() == Qt::RightButton) {
        if (!(event->buttons() & Qt::LeftButton) && !dragging() && !(tool && tool->takesRightButton())) {
            owner_.activate(*this);
            showContextMenu(event->globalPosition().toPoint());
            return;
        }
    } else if (event->button() != Qt::LeftButton) {
        return;
    }
    if (owner_.active() != this)
        owner_.activate(*this);
    // The caption strip is the window's own; the tool has the picture below it.
    if (event->position().y() < kCaptionHeight)
        return;
    heldButton_ = event->button();
    sendToTool(MouseMessage::Press, event->button(), event->modifiers(), event->position().toPoint());
}

void ImageWindow::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (!toolNeedsLayers() && !DocumentEngineBusy())
        sendToTool(MouseMessage::Move, heldButton_, event->modifiers(), at);
    updateCursor(at);
}

void ImageWindow::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == heldButton_)
        heldButton_ = Qt::NoButton;
    if (toolNeedsLayers() || DocumentEngineBusy())
        return;
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton)
        sendToTool(MouseMessage::Release, event->button(), event->modifiers(), event->position().toPoint());
}

void ImageWindow::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click comes as this: a tool that makes nothing of double
    // clicks gets it as a press.
    if (event->button() == Qt::LeftButton && !toolNeedsLayers() && !DocumentEngineBusy()
        && sendToTool(MouseMessage::DoubleClick, event->button(), event->modifiers(), event->position().toPoint()))
        return;
    mousePressEvent(event);
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

bool ImageWindow::sendToTool(MouseMessage message, Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint at)
{
    // Ctrl and a press with a selection tool resizes the layer until the release.
    const bool temporaryResize = message == MouseMessage::Press && button == Qt::LeftButton
                                 && (modifiers & Qt::ControlModifier) && CurrentToolId() >= tool_id::kRectangleSelect
                                 && CurrentToolId() <= tool_id::kMagicWand;
    if (temporaryResize) {
        temporaryFrom_ = CurrentToolId();
        CurrentToolId() = tool_id::kLayerResize;
    }
    const bool handled = dispatchToTool(message, button, modifiers, at);
    if (temporaryFrom_ != 0 && (message == MouseMessage::Release || (temporaryResize && !CurrentTool()->dragging()))) {
        CurrentToolId() = temporaryFrom_;
        temporaryFrom_ = 0;
    }
    return handled;
}

bool ImageWindow::dispatchToTool(MouseMessage message, Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint at)
{
    Tool* tool = CurrentTool();
    if (!tool)
        return false;
    lastMouse_ = at;
    lastModifiers_ = modifiers;
    const QPoint client = clientPoint(at);
    const Point point = view_.documentPoint(client.x(), client.y());
    PointerEvent event;
    event.point = {point.x, point.y};
    event.client = {client.x(), client.y()};
    event.button = button == Qt::RightButton ? MouseButton::Right : MouseButton::Left;
    event.buttonDown = heldButton_ != Qt::NoButton;
    event.keys = modifiersOf(modifiers);
    ToolResult result;
    switch (message) {
    case MouseMessage::Move: result = tool->move(*this, event); break;
    case MouseMessage::Press: result = tool->press(*this, event); break;
    case MouseMessage::Release: result = tool->release(*this, event); break;
    case MouseMessage::DoubleClick: result = tool->doubleClick(*this, event); break;
    }
    apply(result);
    return result.handled;
}

void ImageWindow::apply(const ToolResult& result)
{
    if (result.wholeDocument) {
        documentChanged();
        document_->modified = 1;
    } else if (result.changed) {
        if (!result.composited)
            CompositeLayers(*document_, *result.changed);
        document_->modified = 1;
    }
    if (result.changed || result.redraw || result.wholeDocument)
        update();
    const LayerStack& doc = *document_;
    const bool selectionChanged = selectionSeen_.active != doc.selectionActive || !(selectionSeen_.rect == doc.selectionRect)
                                  || (doc.selectionActive && !doc.selectionMask.matches(selectionSeen_.mask));
    if (selectionChanged)
        selectionSeen_ = {doc.selectionActive, doc.selectionRect, doc.selectionMask.stamp()};
    if (result.changed || result.wholeDocument || selectionChanged)
        owner_.documentEdited(*this);
}

void ImageWindow::updateCursor(QPoint at)
{
    const Tool* tool = CurrentTool();
    const QPoint client = clientPoint(at);
    const Point point = view_.documentPoint(client.x(), client.y());
    const bool overPicture = at.y() >= kCaptionHeight;
    setCursor(cursorShape(tool && overPicture ? tool->cursor(*this, {point.x, point.y}) : ToolCursor::Arrow));
}

void ImageWindow::tick()
{
    Tool* tool = CurrentTool();
    if (!tool)
        return;
    if (dragging() && tool->repeatsWhileHeld()) {
        sendToTool(MouseMessage::Move, heldButton_, lastModifiers_, lastMouse_);
        return;
    }
    if (tool->animatesSelection() && document_->selectionActive != 0) {
        outlinePhase_ ^= 1;
        update();
    }
    apply(tool->tick(*this));
}

void ImageWindow::cancelTool()
{
    if (Tool* tool = CurrentTool())
        apply(tool->cancel(*this));
    heldButton_ = Qt::NoButton;
    update();
}

void ImageWindow::activateTool()
{
    if (Tool* tool = CurrentTool())
        apply(tool->activate(*this));
    update();
}

ViewMapping ImageWindow::mapping() const
{
    ViewMapping m;
    m.zoom = view_.zoom();
    m.scrollX = view_.scroll(Axis::Horizontal).position;
    m.scrollY = view_.scroll(Axis::Vertical).position;
    // A picture narrower than its window sits centred: its outline with it.
    m.originX = view_.rulerBand() + view_.inset(Axis::Horizontal);
    m.originY = view_.rulerBand() + view_.inset(Axis::Vertical);
    m.clip = {view_.rulerBand(), view_.rulerBand(), width(), std::max(height() - kCaptionHeight, 0)};
    return m;
}

RgbTriple ImageWindow::activeColour() const
{
    return ActiveColour();
}

RgbTriple ImageWindow::secondaryColour() const
{
    return SecondaryColour();
}

void ImageWindow::setActiveColour(RgbTriple colour)
{
    SetActiveColour(colour);
}

void ImageWindow::setSecondaryColour(RgbTriple colour)
{
    SetSecondaryColour(colour);
}

ToolSettings& ImageWindow::settings()
{
    return CurrentToolSettings();
}

const ToolSettings& ImageWindow::settings() const
{
    return CurrentToolSettings();
}

ui::Service& ImageWindow::ui()
{
    return ui::Current();
}

Point ImageWindow::scrollPosition() const
{
    return {view_.scroll(Axis::Horizontal).position, view_.scroll(Axis::Vertical).position};
}

void ImageWindow::scrollTo(Point position)
{
    const bool h = view_.scrollBy(Axis::Horizontal, ScrollAction::ThumbPosition, position.x);
    const bool v = view_.scrollBy(Axis::Vertical, ScrollAction::ThumbPosition, position.y);
    if (h || v) {
        layOutScrollControls();
        update();
        owner_.viewMoved(*this);
    }
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
