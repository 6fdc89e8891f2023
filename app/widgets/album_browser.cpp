#include "app/widgets/album_browser.h"

#include "album/album_page_session.h"
#include "album/album_update.h"
#include "album/browser_thumbnail.h"
#include "album/photo_loader.h"
#include "app/widgets/album_name_list.h"
#include "app/widgets/dib_image.h"
#include "app/widgets/qt_text.h"
#include "app/widgets/shared_style.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

namespace lv::app {
namespace {

constexpr int kTextHeight = 14;
const QColor kFrame(128, 128, 128);        // COLORREF 0x00808080

QString ParentKey(const QWidget& parent)
{
    return parent.objectName().isEmpty() ? QString::fromLatin1(parent.metaObject()->className()) : parent.objectName();
}

// A child of the parent window by its control id (the property the program's fields carry,
// or the id as the object's name).
template <class Widget>
Widget* ChildOf(QWidget& parent, int id)
{
    for (Widget* w : parent.findChildren<Widget*>())
        if (w->property("controlId").toInt() == id || w->objectName() == QString::number(id))
            return w;
    return nullptr;
}

}  // namespace

AlbumBrowserState& AlbumBrowserStates::stateFor(const QString& parent, const std::string& sampleAlbum)
{
    ++clock_;
    for (std::optional<Slot>& slot : slots_)
        if (slot && slot->parent == parent) {
            slot->used = clock_;
            return slot->state;
        }
    // An empty slot, else the one used longest ago.
    std::optional<Slot>* free = &slots_[0];
    for (std::optional<Slot>& slot : slots_) {
        if (!slot) {
            free = &slot;
            break;
        }
        if (slot->used < (*free)->used)
            free = &slot;
    }
    AlbumBrowserState fresh;
    fresh.albumPath = sampleAlbum;
    *free = Slot{parent, fresh, clock_};
    return (*free)->state;
}

bool AlbumBrowserStates::has(const QString& parent) const
{
    for (const std::optional<Slot>& slot : slots_)
        if (slot && slot->parent == parent)
            return true;
    return false;
}

AlbumBrowserStates& SharedBrowserStates()
{
    static AlbumBrowserStates states;  // the design's process-wide slots
    return states;
}

AlbumBrowser::AlbumBrowser(QWidget& parent, std::filesystem::path albumsFolder, std::filesystem::path programDir,
                           AlbumBrowserStates& states)
    : QWidget(&parent)
    , parent_(parent)
    , programDir_(std::move(programDir))
    , states_(states)
    , view_(album_, {5, 2})
{
    setObjectName(QString::fromLatin1(kAlbumBrowserClass));
    setFocusPolicy(Qt::StrongFocus);
    caption_ = ChildOf<QLineEdit>(parent, kBrowserCaptionField);
    if (caption_)
        connect(caption_, &QLineEdit::textEdited, this, [this](const QString& text) { captionEdited(text); });
    scrollBar_ = ChildOf<QScrollBar>(parent, kBrowserScrollBar);
    if (scrollBar_)
        connect(scrollBar_, &QScrollBar::valueChanged, this, [this](int row) {
            if (view_.scrollTo(row)) {
                repaintAll();
                requestThumbnails();
            }
        });
    worker_ = std::jthread([this](std::stop_token stop) { thumbnailWorker(stop); });

    const AlbumBrowserState state =
        states_.stateFor(ParentKey(parent), (albumsFolder / kBrowserSampleAlbum).string());
    view_.setShape({std::max(1, state.columns), std::max(1, state.rows)});
    resize(view_.shape().columns * kBrowserPitchX, view_.shape().rows * kBrowserPitchY);
    path_ = state.albumPath;
    album_.read(path_);
    view_.open(state.selected, state.head);
    for (const int i : state.flags)
        if (album::AlbumEntry* e = album_.entry(i); e && i < view_.count())
            e->setSelected(true);
    view_.scrollTo(state.head);
    layoutCells();
    showCaption();
    updateScrollBar();
}

AlbumBrowser::~AlbumBrowser()
{
    keepState();
    {
        std::lock_guard lock(mutex_);
        queue_.clear();
    }
    worker_.request_stop();
    wanted_.notify_all();
}

void AlbumBrowser::keepState()
{
    writeIfModified();
    AlbumBrowserState& state = states_.stateFor(ParentKey(parent_), path_);
    state = {path_, view_.selected(), view_.selectedPhotos(), view_.head(), view_.shape().columns, view_.shape().rows};
}

bool AlbumBrowser::writeIfModified()
{
    if (!album_.modified() || album_.empty())
        return true;
    // Through the album's lock, keeping what other writers added meanwhile.
    const bool written = album::SaveOpenAlbum(album_, path_) == album::AlbumUpdate::Written;
    if (written)
        album_.setModified(false);
    return written;
}

bool AlbumBrowser::openAlbum(const std::string& path)
{
    writeIfModified();
    path_ = path;
    const bool read = album_.read(path);
    album_.setModified(false);
    {
        std::lock_guard lock(mutex_);
        queue_.clear();
        ++generation_;
    }
    thumbnails_.clear();
    view_.open(0, 0);
    repaintAll();
    showCaption();
    updateScrollBar();
    requestThumbnails();
    if (selectionChanged_)
        selectionChanged_();
    return read;
}

std::vector<std::string> AlbumBrowser::selectedPaths() const
{
    std::vector<std::string> paths;
    for (const int i : view_.selectedPhotos())
        paths.push_back(album_.absolutePath(i, programDir_));
    return paths;
}

QSize AlbumBrowser::sizeHint() const
{
    return {5 * kBrowserPitchX, 2 * kBrowserPitchY};
}

void AlbumBrowser::resizeEvent(QResizeEvent*)
{
    layoutCells();
}

void AlbumBrowser::layoutCells()
{
    const int columns = std::max(1, width() / kBrowserPitchX);
    const int rows = std::max(1, height() / kBrowserPitchY);
    view_.setShape({columns, rows});
    const std::size_t wanted = std::size_t(columns * rows);
    while (cells_.size() > wanted) {
        delete cells_.back().data();
        cells_.pop_back();
    }
    while (cells_.size() < wanted) {
        auto* cell = new AlbumCell(*this, *this, int(cells_.size()));  // owned by the browser
        cell->setAcceptDrops(false);
        cell->show();
        cells_.emplace_back(cell);
    }
    for (std::size_t k = 0; k < cells_.size(); ++k) {
        const int column = int(k) % columns;
        const int row = int(k) / columns;
        cells_[k]->setGeometry(kBrowserPitchX * column + 2, kBrowserPitchY * row + 2, kBrowserCellWidth,
                               kBrowserCellHeight);
    }
    updateScrollBar();
    repaintAll();
    requestThumbnails();
}

QString AlbumBrowserCellLabel(int photo, const std::string& path)
{
    return QStringLiteral("%1 ").arg(photo + 1) + QFileInfo(QtText(path)).completeBaseName();
}

void AlbumBrowser::paintCell(int cell, QPainter& painter, const QRect& rect)
{
    const int photo = view_.photoAtCell(cell);
    const bool selected = photo >= 0 && album_.entry(photo)->selected();
    // The system's selection colours: red on bright blue could hardly be read.
    painter.fillRect(rect, palette().color(selected ? QPalette::Highlight : QPalette::Window));
    if (photo < 0)
        return;
    if (!selected) {
        painter.setPen(kFrame);
        painter.drawRect(rect.adjusted(0, 0, -1, -1));
    }
    const QRect pictureArea(rect.left(), rect.top(), rect.width(), rect.height() - kTextHeight - 4);
    const auto made = thumbnails_.find(photo);
    const QImage picture = made != thumbnails_.end() ? made->second : DibToImage(album_.thumbnailCopy(photo));
    if (!picture.isNull())
        painter.drawImage(pictureArea.center() - QPoint(picture.width() / 2, picture.height() / 2), picture);
    painter.setFont(FontOfHeight(QStringLiteral("Arial"), kTextHeight));
    painter.setPen(selected ? palette().color(QPalette::HighlightedText) : QColor(Qt::black));
    const QRect textArea(rect.left() + 2, rect.bottom() - kTextHeight - 2, rect.width() - 4, kTextHeight + 2);
    const QString text = AlbumBrowserCellLabel(photo, album_.path(photo));
    painter.drawText(textArea, Qt::AlignHCenter | Qt::AlignVCenter,
                     painter.fontMetrics().elidedText(text, Qt::ElideMiddle, textArea.width()));
}

void AlbumBrowser::cellMouse(int cell, QMouseEvent& event)
{
    const int photo = view_.photoAtCell(cell);
    if (photo < 0 || event.button() != Qt::LeftButton)
        return;
    if (event.type() == QEvent::MouseButtonPress) {
        setFocus(Qt::MouseFocusReason);
        selectionMoved(view_.click(photo, ClickKeysOf(event.modifiers())));
    } else if (event.type() == QEvent::MouseButtonDblClick && chosen_) {
        chosen_(photo);
    }
}

bool AlbumBrowser::choose(int photo)
{
    if (photo < 0 || photo >= view_.count())
        return false;
    if (view_.ensureVisible(photo)) {
        repaintAll();
        updateScrollBar();
        requestThumbnails();
    }
    selectionMoved(view_.selectOnly(photo));
    if (chosen_)
        chosen_(photo);
    return true;
}

void AlbumBrowser::cellKey(int, QKeyEvent& event)
{
    keyPressEvent(&event);
}

void AlbumBrowser::keyPressEvent(QKeyEvent* event)
{
    int delta = 0;
    switch (event->key()) {
    case Qt::Key_Left: delta = -1; break;
    case Qt::Key_Right: delta = 1; break;
    case Qt::Key_Up: delta = -view_.shape().columns; break;
    case Qt::Key_Down: delta = view_.shape().columns; break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (chosen_ && current() >= 0)
            chosen_(current());
        event->accept();
        return;
    default:
        event->ignore();
        return;
    }
    const int head = view_.head();
    const std::vector<int> changed = view_.step(delta, ClickKeysOf(event->modifiers()));
    if (view_.head() != head) {
        repaintAll();
        updateScrollBar();
        requestThumbnails();
    }
    selectionMoved(changed);
    event->accept();
}

void AlbumBrowser::wheelEvent(QWheelEvent* event)
{
    if (view_.scrollBy(WheelRows(*event, wheelRest_))) {
        repaintAll();
        updateScrollBar();
        requestThumbnails();
    }
    event->accept();
}

void AlbumBrowser::cellWheel(int, QWheelEvent& event)
{
    wheelEvent(&event);
}

void AlbumBrowser::selectionMoved(const std::vector<int>& changed)
{
    for (const int photo : changed)
        if (const int cell = view_.cellOfPhoto(photo); cell >= 0 && cell < int(cells_.size()))
            cells_[std::size_t(cell)]->update();
    showCaption();
    if (selectionChanged_)
        selectionChanged_();
}

void AlbumBrowser::showCaption()
{
    if (!caption_)
        return;
    caption_->setText(current() >= 0 ? QtText(album_.caption(current())) : QString());
    caption_->setEnabled(current() >= 0);
}

void AlbumBrowser::captionEdited(const QString& text)
{
    album::AlbumEntry* entry = album_.entry(current());
    if (!entry || current() < 0)
        return;
    entry->setCaption(text.toStdString());
    album_.setModified(true);
}

void AlbumBrowser::updateScrollBar()
{
    if (!scrollBar_)
        return;
    const QSignalBlocker quiet(scrollBar_);
    scrollBar_->setRange(0, view_.maxHead());
    scrollBar_->setPageStep(view_.shape().rows);
    scrollBar_->setValue(view_.head());
}

void AlbumBrowser::repaintAll()
{
    for (QPointer<AlbumCell>& cell : cells_)
        if (cell)
            cell->update();
}

void AlbumBrowser::requestThumbnails()
{
    std::lock_guard lock(mutex_);
    queue_.clear();
    for (std::size_t k = 0; k < cells_.size(); ++k) {
        const int photo = view_.photoAtCell(int(k));
        const std::string path = photo >= 0 ? album_.absolutePath(photo, programDir_) : std::string();
        // Documents whose readers must stay on this thread keep the album's own thumbnail.
        if (photo >= 0 && !thumbnails_.count(photo) && album::SafeOnWorkerThreads(path))
            queue_.emplace_back(photo, path);
    }
    wanted_.notify_all();
}

void AlbumBrowser::thumbnailWorker(std::stop_token stop)
{
    const DocumentReaders readers = album::AlbumPhotoReaders();
    for (;;) {
        std::pair<int, std::string> job;
        std::uint64_t generation = 0;
        {
            std::unique_lock lock(mutex_);
            wanted_.wait(lock, [&] { return stop.stop_requested() || !queue_.empty(); });
            if (stop.stop_requested())
                return;
            job = std::move(queue_.front());
            queue_.pop_front();
            generation = generation_;
        }
        const HDIB thumbnail = album::BrowserThumbnail(job.second, readers);
        QImage image = DibToImage(thumbnail);
        if (image.isNull())
            continue;
        QMetaObject::invokeMethod(
            this, [this, generation, photo = job.first, image] { thumbnailReady(generation, photo, image); },
            Qt::QueuedConnection);
    }
}

void AlbumBrowser::thumbnailReady(std::uint64_t generation, int photo, QImage image)
{
    {
        std::lock_guard lock(mutex_);
        if (generation != generation_)
            return;
    }
    thumbnails_[photo] = std::move(image);
    if (const int cell = view_.cellOfPhoto(photo); cell >= 0 && cell < int(cells_.size()))
        cells_[std::size_t(cell)]->update();
}

void AttachUserAlbumList(AlbumNameList& list, AlbumBrowser& browser, album::AlbumCatalogue& catalogue)
{
    std::vector<std::string> names;
    for (int i = 0; i < catalogue.count(album::kUserCategory); ++i)
        names.push_back(catalogue.name(album::kUserCategory, i));
    list.setItems(names, names.empty() ? -1 : std::clamp(catalogue.current(album::kUserCategory), 0, int(names.size()) - 1));
    list.onChosen([&browser, &catalogue](int row) {
        browser.openAlbum(catalogue.albumPath(album::kUserCategory, row));
    });
}

}  // namespace lv::app
