#include "app/editing/layer_palette.h"

#include "app/skin/skin_bitmaps.h"
#include "app/widgets/drag_strip.h"
#include "app/widgets/program_picture.h"
#include "app/widgets/qt_geometry.h"
#include "app/widgets/qt_text.h"
#include "app/widgets/skin_palette.h"
#include "edit/layer_commands.h"
#include "edit/layers.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QShowEvent>
#include <QHideEvent>
#include <QPainter>
#include <QPalette>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>
#include <qdrawutil.h>

#include <algorithm>

namespace lv::app {
namespace {

constexpr int kToolBarHeight = 20;
constexpr int kToolButtonSpacing = 33;
constexpr int kPaletteTitleString = 35133;
// The tool bar: glyph and the tooltip of the matching editing-screen button.
struct ToolBarButton {
    const char* glyph;
    int tooltip;
};
constexpr ToolBarButton kToolBar[] = {
    {"+", 35126}, {"⊞", 35127}, {"✕", 35009}, {"⤓", 35130}, {"▭", 35131}, {"▲", 35128}, {"▼", 35129},
};

const QColor kRenaming(255, 255, 0);
const QColor kLinked(192, 192, 255);

QImage SkinBitmap(int id)
{
    return ProgramPicture(skin::SkinBitmapFile(id));
}

// A picture at the top-left corner of its part, which is its size.
void DrawAt(QPainter& p, const Rect& part, const QImage& picture)
{
    p.drawImage(QPoint(part.left, part.top), picture);
}

}  // namespace

LayerRows::LayerRows(LayerPaletteHost& host, QWidget* parent)
    : QWidget(parent)
    , host_(host)
    , eyeShown_(SkinBitmap(skin::kEyeShownBitmap))
    , eyeHidden_(SkinBitmap(skin::kEyeHiddenBitmap))
    , maskLocked_(SkinBitmap(skin::kMaskLockedBitmap))
    , maskUnlocked_(SkinBitmap(skin::kMaskUnlockedBitmap))
{
    setObjectName(QStringLiteral("Image Layer Palette"));
    setMinimumWidth(kPaletteMinimumRowWidth);
    setMouseTracking(false);
}

QSize LayerRows::sizeHint() const
{
    return {220, int(rows_.size()) * kPaletteRowHeight};
}

void LayerRows::refresh()
{
    const LayerStack* doc = host_.paletteDocument();
    const int count = doc ? doc->layerCount : 0;
    rows_.resize(std::size_t(count));
    const Rect box = layout().thumbnail;
    for (int i = 0; i < count; ++i) {
        const LayerRecord& l = doc->layers[std::size_t(i)];
        Row& row = rows_[std::size_t(i)];
        row.name = QtText(l.name);
        row.visible = l.visible;
        row.locked = l.maskLocked;
        row.linked = l.linked;
        row.current = i == doc->currentLayer;
        row.opacity = int(l.opacity);
        // One pixel of the box goes to the frame on each side.
        const Size size = l.image ? FitThumbnail(l.image.read().width(), l.image.read().height(),
                                                          box.width() - 2, box.height() - 2)
                                           : Size{};
        if (size.width <= 0 || size.height <= 0) {
            row.thumbnail = {};
            continue;
        }
        const std::vector<std::uint32_t> pixels = LayerThumbnail(l, size.width, size.height);
        QImage image(size.width, size.height, QImage::Format_RGB32);
        for (int y = 0; y < size.height; ++y)
            std::copy_n(pixels.data() + std::size_t(y) * std::size_t(size.width), size.width,
                        reinterpret_cast<std::uint32_t*>(image.scanLine(y)));
        row.thumbnail = std::move(image);
    }
    if (renameRow_ >= count && renameField_)
        renameField_->deleteLater();
    setFixedHeight(std::max(count * kPaletteRowHeight, 1));
    update();
}

int LayerRows::rowAt(int y) const
{
    const int row = y / kPaletteRowHeight;
    return y >= 0 && row < int(rows_.size()) ? row : -1;
}

void LayerRows::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette::kLayerRowFace);
    for (int i = 0; i < int(rows_.size()); ++i) {
        painter.save();
        painter.translate(0, i * kPaletteRowHeight);
        paintRow(painter, rows_[std::size_t(i)], i);
        painter.restore();
    }
}

void LayerRows::paintRow(QPainter& p, const Row& row, int index) const
{
    const RowLayout l = layout();
    const QPalette& colours = palette();
    p.setPen(colours.color(QPalette::Mid));
    p.drawLine(0, kPaletteRowHeight - 1, width(), kPaletteRowHeight - 1);

    if (!row.thumbnail.isNull()) {
        const QRect image((l.thumbnail.left + l.thumbnail.right - row.thumbnail.width()) / 2,
                          (l.thumbnail.top + l.thumbnail.bottom - row.thumbnail.height()) / 2, row.thumbnail.width(),
                          row.thumbnail.height());
        p.drawImage(image.topLeft(), row.thumbnail);
        p.setPen(Qt::black);
        p.setBrush(Qt::NoBrush);
        p.drawRect(image.adjusted(-1, -1, 0, 0));
    }
    DrawAt(p, l.eye, row.visible ? eyeShown_ : eyeHidden_);
    DrawAt(p, l.lock, row.locked ? maskLocked_ : maskUnlocked_);

    const QRect name(l.name.left, l.name.top, l.name.width(), l.name.height());
    const QColor fill = index == renameRow_ && renameField_ ? kRenaming
                        : row.current                       ? colours.color(QPalette::Highlight)
                        : row.linked                        ? kLinked
                                                            : QColor(Qt::white);
    qDrawShadePanel(&p, name, colours, true, 1, nullptr);
    p.fillRect(name.adjusted(1, 1, -1, -1), fill);
    QFont nameFont(QStringLiteral("Times New Roman"));
    nameFont.setPixelSize(16);
    p.setFont(nameFont);
    p.setPen(row.current || row.linked ? colours.color(QPalette::HighlightedText) : colours.color(QPalette::ButtonText));
    p.drawText(name.adjusted(4, 0, -2, 0), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, row.name);

    // The track, and the knob where the opacity stands on it.
    const Rect& t = l.track;
    qDrawShadeLine(&p, t.left, t.top + 1, t.right, t.top + 1, colours, true, 1, 0);
    p.fillRect(ToQRect(OpacityThumb(l, row.opacity)), colours.color(QPalette::Dark));
    QFont small(QStringLiteral("Small Fonts"));
    small.setPixelSize(9);
    p.setFont(small);
    p.setPen(colours.color(QPalette::ButtonText));
    p.drawText(QRect(l.value.left, l.value.top, l.value.width(), l.value.height()), Qt::AlignRight | Qt::AlignVCenter | Qt::TextDontClip,
               QStringLiteral("%1%").arg(row.opacity));
}

void LayerRows::changed()
{
    host_.paletteChangedDocument();
    refresh();
}

void LayerRows::mousePressEvent(QMouseEvent* event)
{
    LayerStack* doc = host_.paletteDocument();
    const QPoint at = event->position().toPoint();
    const int index = rowAt(at.y());
    if (!doc || index < 0 || event->button() != Qt::LeftButton)
        return;
    finishRename();
    const int x = at.x(), y = at.y() - index * kPaletteRowHeight;
    const Qt::KeyboardModifiers keys = event->modifiers();
    if (keys & Qt::ControlModifier) {
        CtrlClickLayerRow(*doc, index);
        changed();
        return;
    }
    if (keys & Qt::ShiftModifier) {
        ShiftClickLayerRow(*doc, index);
        changed();
        return;
    }
    switch (HitRowPart(layout(), x, y)) {
    case RowPart::Eye:
        ToggleLayerVisible(*doc, index);
        changed();
        return;
    case RowPart::Lock:
        SetLayerMaskLocked(*doc, index, IsLayerMaskLocked(*doc, index) == 0);
        changed();
        return;
    case RowPart::OpacityTrack: {
        ClickLayerRow(*doc, index);
        opacityDrag_.emplace(*doc, index);
        opacityRow_ = index;
        const Rect& t = layout().track;
        opacityDrag_->moveTo(x, t.left, t.right);
        changed();
        return;
    }
    default:
        if (ClickLayerRow(*doc, index))
            changed();
        reorderFrom_ = index;
        pressY_ = at.y();
        return;
    }
}

void LayerRows::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (opacityDrag_) {
        const Rect& t = layout().track;
        if (opacityDrag_->moveTo(at.x(), t.left, t.right))
            changed();
        return;
    }
    if (reorderFrom_ >= 0 && std::abs(at.y() - pressY_) > QApplication::startDragDistance()) {
        reordering_ = true;
        setCursor(Qt::SizeVerCursor);
    }
}

void LayerRows::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (opacityDrag_) {
        const Rect& t = layout().track;
        const bool moved = opacityDrag_->moveTo(at.x(), t.left, t.right);
        opacityDrag_.reset();
        opacityRow_ = -1;
        if (moved)
            changed();
        return;
    }
    if (reordering_) {
        LayerStack* doc = host_.paletteDocument();
        const int to = std::clamp(at.y() / kPaletteRowHeight, 0, std::max(int(rows_.size()) - 1, 0));
        if (doc && to != reorderFrom_ && MoveLayer(*doc, reorderFrom_, to, true))
            changed();
        unsetCursor();
    }
    reordering_ = false;
    reorderFrom_ = -1;
}

void LayerRows::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    const int index = rowAt(at.y());
    if (index >= 0 && HitRowPart(layout(), at.x(), at.y() - index * kPaletteRowHeight) == RowPart::Name)
        startRename(index);
}

void LayerRows::startRename(int index)
{
    finishRename();
    const Rect n = layout().name;
    auto* field = new QLineEdit(rows_[std::size_t(index)].name, this);  // owned by the rows
    field->setMaxLength(int(kMaxLayerNameBytes));
    field->setGeometry(n.left + 1, index * kPaletteRowHeight + n.top + 1, n.width() - 2, n.height() - 2);
    field->selectAll();
    field->show();
    field->setFocus();
    renameField_ = field;
    renameRow_ = index;
    connect(field, &QLineEdit::editingFinished, this, [this] { finishRename(); });
    update();
}

void LayerRows::finishRename()
{
    if (!renameField_)
        return;
    QPointer<QLineEdit> field = renameField_;
    renameField_.clear();
    const int index = std::exchange(renameRow_, -1);
    LayerStack* doc = host_.paletteDocument();
    const std::string name = field->text().toStdString();
    field->deleteLater();
    if (doc && IsLayerIndex(*doc, index) && doc->layers[std::size_t(index)].name != name && RenameLayer(*doc, index, name))
        changed();
    else
        update();
}

void LayerRows::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (renameField_)
        finishRename();
}

LayerPalette::LayerPalette(LayerPaletteHost& host, QWidget* parent)
    : QWidget(parent, Qt::Tool)
    , host_(host)
{
    setObjectName(QStringLiteral("Image Layer Management Window"));
    setWindowTitle(StringText(kPaletteTitleString));
    auto* column = new QVBoxLayout(this);  // owned by the palette, like every child below
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(new DragStrip(windowTitle(), this));
    auto* bar = new QWidget(this);
    bar->setFixedSize(265, kToolBarHeight);
    for (int i = 0; i < int(std::size(kToolBar)); ++i) {
        auto* button = new QToolButton(bar);
        button->setText(QString::fromUtf8(kToolBar[i].glyph));
        button->setToolTip(StringText(kToolBar[i].tooltip));
        button->setGeometry(i * kToolButtonSpacing, 0, kToolButtonSpacing - 2, kToolBarHeight);
        button->setAutoRaise(true);
        connect(button, &QToolButton::clicked, this, [this, &host, i] {
            host.paletteCommand(i);
            refresh();
        });
    }
    column->addWidget(bar);
    scroll_ = new QScrollArea(this);
    rows_ = new LayerRows(host, scroll_);
    scroll_->setWidget(rows_);
    scroll_->setWidgetResizable(true);
    scroll_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    column->addWidget(scroll_);
    setMinimumWidth(std::max(kPaletteMinimumRowWidth + 20, 265));
    resize(280, 360);
}

// The window system hides and shows the palette with the main window: that changes nothing.
void LayerPalette::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        host_.paletteShownChanged(true);
}

void LayerPalette::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        host_.paletteShownChanged(false);
}

}  // namespace lv::app
