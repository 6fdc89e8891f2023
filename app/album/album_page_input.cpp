// The album page's mouse and keys: selecting, dragging photos within the grid, onto the
// delete button or out of the grid, the hover tip, the context menu and the Delete key.

#include "app/album/album_page.h"

#include "album/photo_loader.h"
#include "app/album/album_drag_cursor.h"
#include "app/widgets/editing_keys_focus.h"
#include "app/widgets/qt_text.h"
#include "app/shell/main_window.h"
#include "common/warning_messages.h"

#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>

namespace lv::app {
namespace {

// The pointer this far above or below the grid still scrolls it while a photo is dragged.
constexpr int kScrollBand = 24;
constexpr QPoint kTipOffset(5, 30);

std::string FileNameOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

void AlbumPage::cellMouse(int cell, QMouseEvent& event)
{
    switch (event.type()) {
    case QEvent::MouseButtonPress:
        press(cell, event);
        break;
    case QEvent::MouseMove:
        move(cell, event);
        break;
    case QEvent::MouseButtonRelease:
        release(cell, event);
        break;
    case QEvent::MouseButtonDblClick:
        if (event.button() == Qt::LeftButton && session_.view().photoAtCell(cell) >= 0)
            openSelected();
        break;
    default:
        break;
    }
}

void AlbumPage::press(int cell, QMouseEvent& event)
{
    hideTip();
    const int photo = session_.view().photoAtCell(cell);
    if (event.button() == Qt::RightButton) {
        if (photo >= 0 && !session_.album().readOnly())
            showMenu(cell, event.globalPosition().toPoint());
        return;
    }
    if (event.button() != Qt::LeftButton || photo < 0)
        return;
    repaintPhotos(session_.view().click(photo, ClickKeysOf(event.modifiers())));
    buttonDown_ = true;
    dragCount_ = 0;
    pressPoint_ = window_.mapFromGlobal(event.globalPosition().toPoint());
    logState("clicked");
}

void AlbumPage::move(int cell, QMouseEvent& event)
{
    const QPoint at = window_.mapFromGlobal(event.globalPosition().toPoint());
    if (!(event.buttons() & Qt::LeftButton) || !buttonDown_) {
        const int photo = session_.view().photoAtCell(cell);
        if (photo >= 0 && !(event.buttons() & Qt::LeftButton))
            showTip(photo, at);
        else
            hideTip();
        return;
    }
    if (session_.album().readOnly())
        return;
    if (dragCount_ == 0) {
        if ((at - pressPoint_).manhattanLength() < QApplication::startDragDistance())
            return;
        dragCount_ = 5;
        QApplication::setOverrideCursor(AlbumDragCursor());
    }
    // Above or below the grid the view scrolls a row at every tick; anywhere else it stops.
    const Rect bounds = layout().bounds();
    const int right = bounds.right + 24;  // the scroll bar belongs to the grid
    const bool acrossGrid = at.x() >= bounds.left && at.x() < right;
    const auto deleteButton = window_.controlRect(kAlbumDeleteButton);
    int direction = 0;
    if (!(deleteButton && deleteButton->contains(at)) && acrossGrid) {
        if (at.y() < bounds.top && at.y() >= bounds.top - kScrollBand)
            direction = -1;
        else if (at.y() >= bounds.bottom && at.y() < bounds.bottom + kScrollBand)
            direction = 1;
    }
    scrollDirection_ = direction;
    if (direction != 0 && !autoScroll_.isActive())
        autoScroll_.start();
    else if (direction == 0)
        autoScroll_.stop();
}

void AlbumPage::autoScrollTick()
{
    if (dragCount_ == 0 || scrollDirection_ == 0) {
        autoScroll_.stop();
        return;
    }
    scrollRows(scrollDirection_);
}

void AlbumPage::release(int cell, QMouseEvent& event)
{
    if (event.button() != Qt::LeftButton)
        return;
    const bool wasDown = buttonDown_;
    const bool dragged = dragCount_ > 0;
    const QPoint at = window_.mapFromGlobal(event.globalPosition().toPoint());
    endDrag();
    if (!wasDown)
        return;
    album::AlbumView& view = session_.view();
    if (!dragged) {
        const bool plain = !(event.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier));
        if (plain && view.photoAtCell(cell) == view.selected())
            repaintPhotos(view.releaseWithoutDrag());
        return;
    }
    if (const auto deleteButton = window_.controlRect(kAlbumDeleteButton); deleteButton && deleteButton->contains(at)) {
        deleteSelected();
        return;
    }
    const Rect bounds = layout().bounds();
    const bool inGrid = at.x() >= bounds.left && at.x() < bounds.right && at.y() >= bounds.top - kScrollBand
                     && at.y() < bounds.bottom + kScrollBand;
    if (!inGrid) {
        dropOutsideGrid(at);
        return;
    }
    // The cell under the pointer, the nearest one in a gap or just above or below the grid.
    const album::GridLayout& g = layout();
    const int column = std::clamp((at.x() - g.x) / std::max(1, g.cellWidth + g.gapX), 0, g.columns - 1);
    const int row = std::clamp((at.y() - g.y) / std::max(1, g.cellHeight + g.gapY), 0, g.rows - 1);
    const int target = row * g.columns + column + view.head() * g.columns;
    if (view.dropOn(std::min(target, view.count() - 1))) {
        repaintCells();
        logState("moved");
    }
}

void AlbumPage::endDrag()
{
    if (dragCount_ > 0)
        QApplication::restoreOverrideCursor();
    autoScroll_.stop();
    buttonDown_ = false;
    dragCount_ = 0;
    scrollDirection_ = 0;
}

void AlbumPage::dropOutsideGrid(const QPoint& at)
{
    const std::string path = selectedPath();
    if (path.empty())
        return;
    const auto workspace = window_.controlRect(kWorkspaceControl);
    QWidget* under = window_.childAt(at);
    const bool overPicture = under && documents_.isImageWindow(under);
    if (!overPicture && !(workspace && workspace->contains(at)))
        return;
    if (!overPicture && !documents_.hasActiveImage()) {
        LV_TEST_LOG(hooks_, QStringLiteral("album dropped open ") + QtText(path));
        if (documents_.openPhoto(path))
            showEditing();
        return;
    }
    // The pictures are hidden here, so the one the user last worked on is the one meant.
    QWidget* target = overPicture ? under : nullptr;
    if (documents_.placeInProject(target, path)) {
        LV_TEST_LOG(hooks_, QStringLiteral("album placed ") + QtText(path));
        return;
    }
    ReadResult photo = album::LoadPhotoForAlbum(path, session_.readers());
    if (!photo.ok()) {
        ShowDetailedStringMessage(QFileInfo::exists(QtText(path)) ? album::kUnknownFormatString
                                                                  : album::kCannotFindFileString,
                                  path);
        return;
    }
    if (!documents_.addLayer(target, photo.take()))
        return;
    LV_TEST_LOG(hooks_, QStringLiteral("album dropped layer ") + QtText(path));
    showEditing();
}

void AlbumPage::cellLeft(int)
{
    hideTip();
}

void AlbumPage::showTip(int photo, const QPoint& at)
{
    const QString text = QStringLiteral("  %1. ").arg(photo + 1) + QtText(FileNameOf(session_.album().path(photo)));
    if (!tip_) {
        auto* tip = new QLabel(&window_);
        tip->setObjectName(QStringLiteral("albumtip"));
        tip->setAttribute(Qt::WA_TransparentForMouseEvents);
        tip->setStyleSheet(QStringLiteral("background: #ffff00; color: black; border: 1px solid black;"));
        tip_ = tip;
    }
    tip_->setText(text);
    tip_->adjustSize();
    QPoint place = at + kTipOffset;
    place.setX(std::min(place.x(), window_.width() - tip_->width() - 2));
    place.setY(std::min(place.y(), window_.height() - tip_->height() - 2));
    tip_->move(place);
    tip_->show();
    tip_->raise();
}

void AlbumPage::hideTip()
{
    if (tip_)
        tip_->hide();
}

bool AlbumPage::selectedFileReadable() const
{
    const std::string path = selectedPath();
    return !path.empty() && QFileInfo(QtText(path)).isReadable() && QFileInfo(QtText(path)).isFile();
}

std::string AlbumPage::selectedPath() const
{
    const album::AlbumView& view = session_.view();
    return view.validSelected() ? session_.album().absolutePath(view.selected(), library_.catalogue.programDir())
                                : std::string();
}

void AlbumPage::showMenu(int cell, const QPoint& global)
{
    const int photo = session_.view().photoAtCell(cell);
    repaintPhotos(session_.view().selectOnly(photo));
    const bool fileOk = selectedFileReadable();
    const bool anySelected = session_.view().selectedCount() > 0;
    auto* menu = new QMenu(&window_);  // deletes itself when closed
    menu->setObjectName(QStringLiteral("menu %1").arg(kAlbumMenu));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const auto add = [&](const char* text, int command, bool enabled) {
        QAction* action = menu->addAction(QString::fromUtf8(text), this, [this, command] { runMenuCommand(command); });
        action->setEnabled(enabled);
        action->setObjectName(QString::number(command));
        return enabled ? 1 : 0;
    };
    using namespace album_command;
    const int cut = add("&Cortar", kCut, fileOk && anySelected);
    const int copy = add("C&opiar", kCopy, fileOk && anySelected);
    const int paste = add("Co&lar", kPaste, !clipboard_.empty());
    const int remove = add("&Excluir", kDelete, anySelected);
    const int layer = add("A&brir como camada", kOpenAsLayer,
                          fileOk && documents_.hasActiveImage() && screen_ == kUserAlbumScreen);
    const int properties = add("&Propriedades", kProperties, fileOk && anySelected);
    add("&Ajuda", kHelp, true);
    LV_TEST_LOG(hooks_, QStringLiteral("menu %1 cut=%2 copy=%3 paste=%4 delete=%5 layer=%6 properties=%7")
                            .arg(kAlbumMenu)
                            .arg(cut)
                            .arg(copy)
                            .arg(paste)
                            .arg(remove)
                            .arg(layer)
                            .arg(properties));
    menu->popup(global);
}

void AlbumPage::cellKey(int, QKeyEvent& event)
{
    event.ignore();  // Delete is taken by the filter below, for every widget of the page
}

void AlbumPage::cellWheel(int, QWheelEvent& event)
{
    hideTip();
    scrollRows(WheelRows(event, wheelRest_));
    event.accept();
}

bool AlbumPage::eventFilter(QObject* watched, QEvent* event)
{
    if (!showing())
        return false;
    if (event->type() == QEvent::MouseButtonPress) {
        auto* widget = qobject_cast<QWidget*>(watched);
        return widget && albumListPressed(*widget, *static_cast<QMouseEvent*>(event));
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const auto* widget = qobject_cast<QWidget*>(watched);
    if (key->key() != Qt::Key_Delete || !widget || widget->window() != &window_ || nameFieldHasFocus()
        || EditingKeysStayWith(*widget)
        || QApplication::activeModalWidget())
        return false;
    deleteSelected();
    return true;
}

bool AlbumPage::cellAcceptsDrop(const QMimeData& mime)
{
    return mime.hasUrls() && !session_.album().readOnly();
}

void AlbumPage::cellDropped(const QMimeData& mime)
{
    std::vector<std::string> files;
    for (const QUrl& url : mime.urls())
        if (url.isLocalFile())
            files.push_back(url.toLocalFile().toStdString());
    addFiles(album::AcceptedDrops(files));
}

}  // namespace lv::app
