// The album page's life: the grid laid out from the skin, its widgets made and removed with
// the page, the open album shown in them.

#include "app/album/album_page.h"

#include "album/photo_loader.h"
#include "app/widgets/qt_geometry.h"
#include "common/program_paths.h"
#include "app/widgets/painter_surface.h"
#include "app/widgets/qt_text.h"
#include "app/widgets/scroll_control.h"
#include "app/widgets/shared_style.h"
#include "app/shell/main_window.h"

#include <QApplication>
#include <QGuiApplication>

#include <filesystem>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>

namespace lv::app {
namespace {

// Where the skin puts the grids: the first cell, its right neighbour and (5 × 2 only) the
// cell below, in the base panel, whose two variants place them in their own workspaces.
constexpr int kMergeDelayMilliseconds = 200;
constexpr int kUserFirstCell = 105;
constexpr int kUserRightCell = 106;
constexpr int kUserBelowCell = 110;
constexpr int kStripFirstCell = 111;
constexpr int kStripRightCell = 112;
constexpr int kScrollBarGap = 8;
constexpr int kScrollBarWidth = kScrollControlThickness;
constexpr int kFieldInset = 2;  // inside the frame the skin draws around the field

QColor FromColorRef(std::uint32_t colour)
{
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

bool UserCategory(int category)
{
    return category == album::kUserCategory || category == 10;
}

}  // namespace

AlbumLibrary::AlbumLibrary()
    : AlbumLibrary(ConfigFilePath(), ProgramDir(), WritableProgramDir(album::kUserAlbumsFolder))
{
}

AlbumLibrary::AlbumLibrary(const std::filesystem::path& configFile, const std::filesystem::path& programDir,
                           const std::filesystem::path& userAlbums)
    : store(configFile, programDir / album::kSystemCatalogueFile)
    , catalogue(store, programDir, userAlbums)
{
}

AlbumPage::AlbumPage(MainWindow& window, AlbumDocuments& documents, const TestHooks& hooks, AlbumLibrary& library,
                     OpenAlbum& openAlbum)
    : window_(window)
    , documents_(documents)
    , hooks_(hooks)
    , library_(library)
    , openAlbum_(openAlbum)
    , session_(library.openAlbum, library.catalogue, album::AlbumPhotoReaders(), layouts_)
    , adder_(
          window,
          [this](bool moved) { photoAppended(moved); },
          [this] {
              if (showing())
                  logState("added");
          })
{
    autoScroll_.setObjectName(QStringLiteral("timer %1").arg(kAutoScrollTimer));
    autoScroll_.setInterval(kAutoScrollMilliseconds);
    QObject::connect(&autoScroll_, &QTimer::timeout, this, [this] { autoScrollTick(); });
    window_.setScreenCode(kUserAlbumScreen, this);
    window_.setScreenCode(kGalleryScreen, this);
    registerHandlers();
    // A writer's rename shows as several changes of the folder: looked at once they settle.
    mergeSoon_.setSingleShot(true);
    mergeSoon_.setInterval(kMergeDelayMilliseconds);
    QObject::connect(&albumWatch_, &QFileSystemWatcher::directoryChanged, this, [this] { mergeSoon_.start(); });
    QObject::connect(&mergeSoon_, &QTimer::timeout, this, [this] { mergeOthersAdditions(); });
    QObject::connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive)
            mergeOthersAdditions();
    });
    // Photos added a moment ago are in memory only until the page saves: a reader gets them too.
    openAlbum_.setSaver([this] {
        if (showing() && session_.isOpen())
            session_.save(nameText());
    });
}

AlbumPage::~AlbumPage()
{
    openAlbum_.setSaver({});
    openAlbum_.setSelection({});
    qApp->removeEventFilter(this);
    window_.setScreenCode(kUserAlbumScreen, nullptr);
    window_.setScreenCode(kGalleryScreen, nullptr);
}

const album::GridLayout& AlbumPage::layout() const
{
    return layouts_.of(session_.category());
}

void AlbumPage::shown(int screen)
{
    screen_ = screen;
    if (screen == kUserAlbumScreen && pendingFile_) {
        placeGrid(album::kUserCategory);
        session_.showFile(album::kUserCategory, *pendingFile_, {});
        pendingFile_.reset();
    } else {
        // The gallery's buttons start with their first choice chosen, and so does the page.
        if (screen == kGalleryScreen)
            galleryCategory_ = kFirstGalleryCategory;
        const int category = screen == kUserAlbumScreen ? album::kUserCategory : galleryCategory_;
        placeGrid(category);
        session_.showCategory(category, std::nullopt, {});
    }
    window_.setWorkspaceTaken(true);
    buildWidgets();
    albumChanged();
    qApp->installEventFilter(this);
    const album::GridLayout& g = layout();
    LV_TEST_LOG(hooks_, QStringLiteral("album layout %1 %2 %3 %4 %5 %6 %7 %8")
                            .arg(g.x)
                            .arg(g.y)
                            .arg(g.cellWidth)
                            .arg(g.cellHeight)
                            .arg(g.gapX)
                            .arg(g.gapY)
                            .arg(g.columns)
                            .arg(g.rows));
}

void AlbumPage::leaving(int)
{
    if (!showing())
        return;
    adder_.finishNow();
    endDrag();
    hideTip();
    // The pages shown after this one (the photo store, the orientation tool) act on what was selected here.
    std::vector<std::string> selected;
    for (const int index : session_.view().selectedPhotos())
        selected.push_back(session_.album().absolutePath(index, library_.catalogue.programDir()));
    openAlbum_.setSelection(std::move(selected));
    session_.leave(nameText());
    watchAlbumFile();
    destroyWidgets();
    window_.setWorkspaceTaken(false);
    qApp->removeEventFilter(this);
    screen_ = -1;
    logState("left");
}

void AlbumPage::placeGrid(int category)
{
    const bool user = UserCategory(category);
    const auto rect = [this](int control) -> std::optional<Rect> {
        const auto r = window_.controlRect(control);
        return r ? std::optional<Rect>(FromQRect(*r)) : std::nullopt;
    };
    const std::optional<Rect> first = rect(user ? kUserFirstCell : kStripFirstCell);
    if (!first)
        return;  // a skin without the grid keeps the default record
    album::GridPlacement placement{*first, rect(user ? kUserRightCell : kStripRightCell),
                                   user ? rect(kUserBelowCell) : std::nullopt,
                                   user ? rect(kAlbumNameField) : std::nullopt};
    if (placement.name)
        placement.name = Rect{placement.name->left + kFieldInset, placement.name->top + kFieldInset,
                              placement.name->right - kFieldInset, placement.name->bottom - kFieldInset};
    layouts_.place(category, placement);
}

void AlbumPage::showCategory(int category)
{
    adder_.finishNow();
    const std::string name = nameText();
    destroyWidgets();
    placeGrid(category);
    session_.showCategory(category, std::nullopt, name);
    buildWidgets();
    albumChanged();
}

void AlbumPage::buildWidgets()
{
    const album::GridLayout& g = layout();
    for (int k = 0; k < g.cellCount(); ++k) {
        auto* cell = new AlbumCell(window_, *this, k);  // the main window owns it
        cell->setGeometry(ToQRect(g.cell(k)));
        cell->show();
        cell->raise();
        cells_.emplace_back(cell);
    }
    const Rect bounds = g.bounds();
    // The skin's scroll control, in rows: a page is the rows shown.
    auto* bar = new ScrollControl(Qt::Vertical, window_, [this](ScrollAction action, int position) {
        const int rows = layout().rows;
        album::AlbumView& view = session_.view();
        switch (action) {
        case ScrollAction::LineUp: scrollRows(-1); break;
        case ScrollAction::LineDown: scrollRows(1); break;
        case ScrollAction::PageUp: scrollRows(-rows); break;
        case ScrollAction::PageDown: scrollRows(rows); break;
        case ScrollAction::ThumbTrack:
        case ScrollAction::ThumbPosition:
            if (view.scrollTo(position)) {
                updateScrollBar();
                repaintCells();
            }
            break;
        default: break;
        }
    });
    bar->setGeometry(bounds.right + kScrollBarGap, bounds.top, kScrollBarWidth, bounds.height());
    bar->raise();
    scrollBar_ = bar;

}

void AlbumPage::destroyWidgets()
{
    for (QPointer<AlbumCell>& cell : cells_)
        delete cell.data();
    cells_.clear();
    painted_.clear();
    delete nameField_.data();
    delete nameLabel_.data();
    delete scrollBar_.data();
}

void AlbumPage::watchAlbumFile()
{
    if (const QStringList watched = albumWatch_.directories(); !watched.isEmpty())
        albumWatch_.removePaths(watched);
    if (showing() && session_.isOpen() && !session_.albumPath().empty() && !session_.album().readOnly())
        albumWatch_.addPath(QtText(std::filesystem::path(session_.albumPath()).parent_path().string()));
}

void AlbumPage::mergeOthersAdditions()
{
    if (!showing() || !session_.isOpen())
        return;
    if (session_.takeOthersAdditions() == 0)
        return;
    updateScrollBar();
    repaintCells();
    logState("merged");
}

void AlbumPage::albumChanged()
{
    watchAlbumFile();
    // The gallery's system albums are browsed, not opened for printing or projects.
    if (session_.isOpen() && session_.category() == album::kUserCategory)
        openAlbum_.publish(session_.albumPath());
    const album::GridLayout& g = layout();
    // A read-only album shows its name as text; the others in the edit field.
    delete nameField_.data();
    delete nameLabel_.data();
    if (g.hasNameField()) {
        const QRect area = ToQRect(g.name);
        if (session_.album().readOnly()) {
            auto* label = new QLabel(&window_);
            label->setObjectName(QStringLiteral("albumname"));
            label->setFont(SharedFont());
            label->setGeometry(area);
            label->show();
            label->raise();
            nameLabel_ = label;
        } else {
            auto* field = new QLineEdit(&window_);
            field->setObjectName(QStringLiteral("field %1").arg(kAlbumNameField));
            field->setProperty("controlId", kAlbumNameField);
            field->setFrame(false);
            field->setFont(SharedFont());
            QPalette colours = field->palette();
            colours.setColor(QPalette::Base, SharedBrushColour());
            colours.setColor(QPalette::Text, Qt::black);
            field->setPalette(colours);
            field->setGeometry(area);
            QObject::connect(field, &QLineEdit::editingFinished, this, [this] { nameEdited(); });
            field->show();
            field->raise();
            nameField_ = field;
        }
    }
    showName();
    showAlbumList();
    updateScrollBar();
    repaintCells();
    logState("shown");
}

void AlbumPage::showName()
{
    const QString name = QtText(session_.displayName());
    if (nameField_)
        nameField_->setText(name);
    if (nameLabel_)
        nameLabel_->setText(name);
}

std::string AlbumPage::nameText() const
{
    return nameField_ ? nameField_->text().toStdString() : std::string();
}

bool AlbumPage::nameFieldHasFocus() const
{
    return nameField_ && nameField_->hasFocus();
}

void AlbumPage::nameEdited()
{
    if (!nameField_)
        return;
    const std::string text = nameText();
    if (text.find_first_not_of(' ') == std::string::npos) {
        showName();  // an empty name is not stored
        return;
    }
    session_.save(text);
    showAlbumList();
}

void AlbumPage::showAlbumList()
{
    skin::ListBox* list = screen_ == kUserAlbumScreen ? window_.listBox(kAlbumListControl) : nullptr;
    if (!list)
        return;
    list->resetContent();
    for (const std::string& item : session_.listItems())
        list->addString(item);
    list->setSelection(session_.albumIndex());
}

void AlbumPage::listPicked(const skin::ListNotification& notification, skin::ListBox& list)
{
    if (notification.controlId == kAlbumListControl && screen_ == kUserAlbumScreen)
        chooseFromList(list.selection());
}

void AlbumPage::chooseFromList(int row)
{
    if (row == session_.albumIndex())
        return;
    adder_.finishNow();
    session_.chooseAlbum(row, nameText());
    albumChanged();
    if (nameField_) {
        nameField_->selectAll();
        nameField_->setFocus(Qt::OtherFocusReason);
    }
}

void AlbumPage::newAlbum()
{
    if (!showing() || screen_ != kUserAlbumScreen)
        return;
    adder_.finishNow();
    session_.newAlbum(nameText());
    albumChanged();
    if (nameField_) {
        nameField_->selectAll();
        nameField_->setFocus(Qt::OtherFocusReason);
    }
}

void AlbumPage::showGalleryCategory(int category)
{
    if (screen_ != kGalleryScreen || !album::ValidCategory(category))
        return;
    galleryCategory_ = category;
    if (category != session_.category())
        showCategory(category);
}

void AlbumPage::repaintCells()
{
    for (QPointer<AlbumCell>& cell : cells_)
        if (cell)
            cell->update();
    if (scrollBar_ && scrollBar_->range().position != session_.view().head())
        updateScrollBar();
}

void AlbumPage::repaintCellsOf(const std::string& photoPath)
{
    for (std::size_t k = 0; k < cells_.size(); ++k) {
        const int photo = session_.view().photoAtCell(int(k));
        if (photo >= 0 && cells_[k] && session_.album().entry(photo)->path() == photoPath)
            cells_[k]->update();
    }
}

void AlbumPage::repaintChangedCells()
{
    for (std::size_t k = 0; k < cells_.size(); ++k) {
        const int photo = session_.view().photoAtCell(int(k));
        const bool selected = photo >= 0 && session_.album().entry(photo)->selected();
        const bool same = k < painted_.size() && painted_[k].photo == photo && painted_[k].selected == selected;
        if (!same && cells_[k])
            cells_[k]->update();
    }
}

void AlbumPage::photoAppended(bool moved)
{
    // The grid shows each photo as it arrives; a photo that moved to the end shifted the
    // ones after its old place, so every cell changes then.
    updateScrollBar();
    if (moved)
        repaintCells();
    else
        repaintChangedCells();
}

void AlbumPage::repaintPhotos(const std::vector<int>& photos)
{
    for (const int photo : photos) {
        const int cell = session_.view().cellOfPhoto(photo);
        if (cell >= 0 && cell < int(cells_.size()) && cells_[std::size_t(cell)])
            cells_[std::size_t(cell)]->update();
    }
}

void AlbumPage::updateScrollBar()
{
    if (scrollBar_)
        scrollBar_->showRange({session_.view().maxHead(), session_.view().head()}, layout().rows);
}

void AlbumPage::scrollRows(int step)
{
    if (showing() && session_.view().scrollBy(step)) {
        updateScrollBar();
        repaintCells();
    }
}

QRect AlbumPage::cellRectInWindow(int cell) const
{
    return ToQRect(layout().cell(cell));
}

void AlbumPage::paintCell(int cell, QPainter& painter, const QRect& rect)
{
    const album::GridLayout& g = layout();
    const QColor background = FromColorRef(g.background);
    painter.fillRect(rect, background);
    const int photo = session_.view().photoAtCell(cell);
    if (cell >= int(painted_.size()))
        painted_.resize(std::size_t(cell) + 1);
    painted_[std::size_t(cell)] = {photo, photo >= 0 && session_.album().entry(photo)->selected()};
    if (photo < 0)
        return;
    if (const QImage sharp = sharpThumbnails_.find(session_.album().entry(photo)->path()); !sharp.isNull()) {
        // The shared cache's larger picture, smoothly reduced into the cell.
        const QSize fitted = sharp.size().scaled(rect.size(), Qt::KeepAspectRatio).boundedTo(sharp.size());
        QRect target(QPoint(), fitted);
        target.moveCenter(rect.center());
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(target, sharp);
    } else {
        // A copy of the album's own thumbnail, fitted and centred, freed once drawn.
        const HDIB thumbnail = session_.album().thumbnailCopy(photo);
        PainterSurface surface(painter);
        DibDrawFitted(surface, thumbnail, FromQRect(rect));
    }
    const bool selected = session_.album().entry(photo)->selected();
    painter.setPen(QPen(selected ? QColor(255, 255, 0) : background, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(rect).adjusted(2, 2, -2, -2));
}

void AlbumPage::logState(const char* what) const
{
    if (!hooks_.enabled())
        return;
    const album::AlbumView& view = session_.view();
    QStringList flags;
    for (const int i : view.selectedPhotos())
        flags << QString::number(i);
    LV_TEST_LOG(hooks_, QStringLiteral("album %1 screen=%2 category=%3 album=%4 name=[%5] count=%6 selected=%7 head=%8 "
                                       "flags=[%9] modified=%10 path=%11")
                            .arg(QLatin1String(what))
                            .arg(screen_)
                            .arg(session_.category())
                            .arg(session_.albumIndex())
                            .arg(QtText(session_.displayName()))
                            .arg(session_.album().count())
                            .arg(view.selected())
                            .arg(view.head())
                            .arg(flags.join(','))
                            .arg(session_.album().modified() ? 1 : 0)
                            .arg(QtText(session_.albumPath())));
}

}  // namespace lv::app
