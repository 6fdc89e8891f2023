#pragma once
// The album page of the main window: screen 18 ("Meus álbuns") shows the user's albums in a
// grid of 5 × 2 cells with the album's name and the list of albums beside it; screen 22
// ("Galeria") shows the system albums of the category chosen in a strip of 6 × 1. The user
// selects photos, drags them into another order or onto image windows, cuts, copies and
// pastes them between albums, deletes them, opens them, renames their files and adds new
// ones from the file dialog or the desktop.

#include "album/album.h"
#include "album/album_clipboard.h"
#include "album/album_page_session.h"
#include "album/catalogue.h"
#include "album/catalogue_store.h"
#include "album/grid_layout.h"
#include "app/shell/test_hooks.h"
#include "app/widgets/album_cell.h"
#include "app/widgets/album_sharp_thumbnails.h"
#include "app/album/album_documents.h"
#include "app/album/album_photo_adder.h"
#include "app/shell/open_album.h"
#include "app/shell/screen_features.h"

#include <QCursor>
#include <QObject>
#include <QPointer>
#include <QFileSystemWatcher>
#include <QTimer>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QLabel;
class QLineEdit;

namespace lv::app {

class MainWindow;
class ScrollControl;

inline constexpr int kUserAlbumScreen = 18;
inline constexpr int kGalleryScreen = 22;
inline constexpr int kAlbumMenu = 102;
inline constexpr int kAutoScrollTimer = 101;
inline constexpr int kAutoScrollMilliseconds = 200;
inline constexpr int kAlbumNameField = 201;
inline constexpr int kAlbumListControl = 200;
inline constexpr int kAlbumDeleteButton = 211;
inline constexpr int kAlbumHelpContext = 1310;
inline constexpr int kFirstGalleryCategory = 11;  // "Fundos", chosen when the gallery shows

namespace album_command {
inline constexpr int kCut = 40001;
inline constexpr int kCopy = 40002;
inline constexpr int kPaste = 40003;
inline constexpr int kDelete = 40004;
inline constexpr int kProperties = 40005;
inline constexpr int kHelp = 40006;
inline constexpr int kOpenAsLayer = 40999;
}  // namespace album_command

// The process-wide album state: the catalogue (kept in the configuration file) and the
// one open album.
struct AlbumLibrary {
    // The configuration file, the program folder and the user's albums folder of this process.
    AlbumLibrary();
    AlbumLibrary(const std::filesystem::path& configFile, const std::filesystem::path& programDir,
                 const std::filesystem::path& userAlbums);
    album::ProfileCatalogueStore store;
    album::AlbumCatalogue catalogue;
    album::Album openAlbum;
};

class AlbumPage final : public QObject, public ScreenCode, private AlbumCellOwner {
public:
    // The user's page publishes every album it opens or makes as the process's open album.
    AlbumPage(MainWindow& window, AlbumDocuments& documents, const TestHooks& hooks, AlbumLibrary& library,
              OpenAlbum& openAlbum);
    ~AlbumPage() override;

    // ScreenCode
    void shown(int screen) override;
    void leaving(int screen) override;
    void listPicked(const skin::ListNotification& notification, skin::ListBox& list) override;

    // An album file named on the command line: shown the next time the user's page shows.
    void showFileNext(std::string path) { pendingFile_ = std::move(path); }

    // The buttons and commands of the pages.
    void addPhotosWithDialog();
    void addFiles(const std::vector<std::string>& paths);
    // Whether a scanned or grabbed photo can join the album shown: the user's page shows an
    // album that may be changed.
    bool takesAcquiredPhotos() const;
    // A photo stored under "photos" joins the album shown with its caption, alone selected and
    // scrolled into view; the album file is written at once. False when it did not
    // join (no album to take it, or the album is full).
    bool addAcquiredPhoto(const std::string& path, const HDIB& picture, std::string_view caption);
    void deleteSelected();
    // "Excluir": the selected photos, or with none selected the album itself.
    void deleteButtonPressed();
    // Asks, then deletes the album shown from the user's list; its photos' files stay.
    void deleteAlbum();
    void openSelected();
    void openAsLayer();
    void showProperties();
    void newAlbum();
    void search();
    void scrollRows(int step);
    void showGalleryCategory(int category);
    void runMenuCommand(int command);

    bool showing() const { return screen_ >= 0; }
    const album::AlbumPageSession& session() const { return session_; }
    const album::GridLayout& layout() const;
    AlbumPhotoAdder& adder() { return adder_; }
#ifdef LV_TEST_DRIVER
    // Test commands on the program's socket; false when the command is not one of these.
    bool handleTestCommand(const QString& command);
#endif

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // AlbumCellOwner
    void paintCell(int cell, QPainter& painter, const QRect& rect) override;
    void cellMouse(int cell, QMouseEvent& event) override;
    void cellLeft(int cell) override;
    void cellKey(int cell, QKeyEvent& event) override;
    void cellWheel(int cell, QWheelEvent& event) override;
    bool cellAcceptsDrop(const QMimeData& mime) override;
    void cellDropped(const QMimeData& mime) override;

    void registerHandlers();
    void placeGrid(int category);
    void buildWidgets();
    void destroyWidgets();
    void showCategory(int category);
    void albumChanged();  // another album is shown: every widget follows
    void repaintCells();
    void repaintCellsOf(const std::string& photoPath);  // the cells showing that file
    // Only the cells whose photo or frame differs from what they last painted: while photos
    // pour in at the end, most of the grid stays as it is.
    void repaintChangedCells();
    void repaintPhotos(const std::vector<int>& photos);
    // A photo joined at the end; `moved` when it was in the album already.
    void photoAppended(bool moved);
    void updateScrollBar();
    void showName();
    // The skinned list box 200 of the user's page: the category's albums, "[Novo]" last.
    void showAlbumList();
    std::string nameText() const;
    void chooseFromList(int row);
    void nameEdited();
    bool nameFieldHasFocus() const;
    QRect cellRectInWindow(int cell) const;

    void press(int cell, QMouseEvent& event);
    void move(int cell, QMouseEvent& event);
    void release(int cell, QMouseEvent& event);
    void showMenu(int cell, const QPoint& global);
    void showTip(int photo, const QPoint& windowPoint);
    void hideTip();
    void autoScrollTick();
    void endDrag();
    void dropOutsideGrid(const QPoint& windowPoint);
    void showEditing();
    bool selectedFileReadable() const;
    bool albumDeletable() const;
    // A right click on the album list offers its menu; true when it was the list's.
    bool albumListPressed(QWidget& widget, const QMouseEvent& event);
    std::string selectedPath() const;

    void logState(const char* what) const;
    // Another writer (the tool, a download) changed the open album's file: its photos join.
    void watchAlbumFile();
    void mergeOthersAdditions();

    MainWindow& window_;
    AlbumDocuments& documents_;
    const TestHooks& hooks_;
    AlbumLibrary& library_;
    OpenAlbum& openAlbum_;
    album::GridLayouts layouts_;
    album::AlbumPageSession session_;
    album::AlbumClipboard clipboard_;
    AlbumPhotoAdder adder_;

    int screen_ = -1;
    int galleryCategory_ = kFirstGalleryCategory;
    std::optional<std::string> pendingFile_;
    std::optional<std::vector<std::string>> fileDialogAnswer_;  // set by the test driver only

    std::vector<QPointer<AlbumCell>> cells_;
    struct PaintedCell {
        int photo = -1;
        bool selected = false;
    };
    std::vector<PaintedCell> painted_;  // by cell number
    AlbumSharpThumbnails sharpThumbnails_{[this](const std::string& photo) { repaintCellsOf(photo); }};
    QPointer<QLineEdit> nameField_;
    QPointer<QLabel> nameLabel_;  // a read-only album's name
    QPointer<ScrollControl> scrollBar_;
    QPointer<QLabel> tip_;

    // The drag: the button went down on a photo; once the pointer moves with it held the
    // drag is under way (the count the design keeps is 5 then).
    bool buttonDown_ = false;
    int dragCount_ = 0;
    int scrollDirection_ = 0;
    int wheelRest_ = 0;  // −1 up, +1 down while the pointer is above or below the grid
    QPoint pressPoint_;
    QTimer autoScroll_;
    // The album's folder, where a writer renames its new file into place.
    QFileSystemWatcher albumWatch_;
    QTimer mergeSoon_;
};

}  // namespace lv::app
