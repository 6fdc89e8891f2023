#pragma once
// The album browser control ("albumwnd") for dialogs that pick photos from an album:
// 90 × 108 cells on a grid of 94 × 112 that follows the control's size, its own 80-pixel
// thumbnails, the arrow keys with Shift and Ctrl, and the selected photo's caption in the
// parent's field 102. What it showed is kept per parent window (8 of them) and comes back
// when that window shows a browser again.
//
// A dialog places it, optionally gives it a companion list of the user's albums
// (AttachUserAlbumList, for the parent's list 100) and a scroll bar (the parent's child 207),
// and asks it which photos are selected; onChosen tells of a double click or Enter.

#include "album/album.h"
#include "album/album_view.h"
#include "album/catalogue.h"
#include "app/widgets/album_cell.h"

#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <array>
#include <condition_variable>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

class QLineEdit;
class QScrollBar;

namespace lv::app {

class AlbumNameList;

inline constexpr char kAlbumBrowserClass[] = "albumwnd";
inline constexpr int kBrowserCellWidth = 90;
inline constexpr int kBrowserCellHeight = 108;
inline constexpr int kBrowserPitchX = 94;
inline constexpr int kBrowserPitchY = 112;
inline constexpr int kBrowserCaptionField = 102;
inline constexpr int kBrowserAlbumList = 100;
inline constexpr int kBrowserScrollBar = 207;
inline constexpr char kBrowserSampleAlbum[] = "sample.abm";

// What a browser showed for one parent window.
struct AlbumBrowserState {
    std::string albumPath;
    int selected = 0;
    std::vector<int> flags;  // the selected photos
    int head = 0;
    int columns = 5;
    int rows = 2;
};

// Up to 8 parents' states; the one used longest ago gives way to a new parent.
class AlbumBrowserStates {
public:
    static constexpr std::size_t kSlots = 8;
    // The parent's state, or a new one naming `sampleAlbum`.
    AlbumBrowserState& stateFor(const QString& parent, const std::string& sampleAlbum);
    bool has(const QString& parent) const;

private:
    struct Slot {
        QString parent;
        AlbumBrowserState state;
        unsigned long long used = 0;
    };
    std::array<std::optional<Slot>, kSlots> slots_;
    unsigned long long clock_ = 0;
};

// The program's states, shared by every browser.
AlbumBrowserStates& SharedBrowserStates();

// What a cell writes under its picture: the photo's number and its file name without the
// extension ("3 Cartão de Natal").
QString AlbumBrowserCellLabel(int photo, const std::string& path);

class AlbumBrowser final : public QWidget, private AlbumCellOwner {
public:
    // Shows what the parent's browser showed last time, or "sample.abm" of the albums folder.
    AlbumBrowser(QWidget& parent, std::filesystem::path albumsFolder, std::filesystem::path programDir,
                 AlbumBrowserStates& states = SharedBrowserStates());
    ~AlbumBrowser() override;

    // Writes the album shown when a caption changed, then reads this one.
    bool openAlbum(const std::string& path);
    const std::string& albumPath() const { return path_; }
    const album::Album& album() const { return album_; }

    int columns() const { return view_.shape().columns; }
    int rows() const { return view_.shape().rows; }
    int head() const { return view_.head(); }
    // The selected photo (the one the keys move), −1 in an empty album.
    int current() const { return view_.validSelected() ? view_.selected() : -1; }
    std::vector<int> selectedPhotos() const { return view_.selectedPhotos(); }
    // The selected photos' files, absolute.
    std::vector<std::string> selectedPaths() const;

    void onChosen(std::function<void(int photo)> chosen) { chosen_ = std::move(chosen); }
    // Selects the photo alone and chooses it, as a double click on it does; false when the
    // album has no such photo.
    bool choose(int photo);
    void onSelectionChanged(std::function<void()> changed) { selectionChanged_ = std::move(changed); }

    // Writes the album when a caption changed and keeps the state for the parent.
    void keepState();
    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void paintCell(int cell, QPainter& painter, const QRect& rect) override;
    void cellMouse(int cell, QMouseEvent& event) override;
    void cellKey(int cell, QKeyEvent& event) override;
    void cellWheel(int cell, QWheelEvent& event) override;

    void layoutCells();
    void selectionMoved(const std::vector<int>& changed);
    void showCaption();
    void captionEdited(const QString& text);
    void updateScrollBar();
    void repaintAll();
    void requestThumbnails();
    void thumbnailReady(std::uint64_t generation, int photo, QImage image);
    void thumbnailWorker(std::stop_token stop);
    bool writeIfModified();

    QWidget& parent_;
    std::filesystem::path programDir_;
    AlbumBrowserStates& states_;
    album::Album album_;
    album::AlbumView view_;
    std::string path_;
    std::vector<QPointer<AlbumCell>> cells_;
    QPointer<QLineEdit> caption_;
    QPointer<QScrollBar> scrollBar_;
    std::function<void(int)> chosen_;
    std::function<void()> selectionChanged_;
    int wheelRest_ = 0;

    // The 80-pixel thumbnails, made on a thread of their own for the photos in view.
    std::map<int, QImage> thumbnails_;
    std::mutex mutex_;
    std::condition_variable wanted_;
    std::deque<std::pair<int, std::string>> queue_;
    std::uint64_t generation_ = 0;  // a new album makes earlier thumbnails stale
    std::jthread worker_;
};

// Fills the list with the user's albums (category 0), marks the current one and opens the
// album the user picks in the browser.
void AttachUserAlbumList(AlbumNameList& list, AlbumBrowser& browser, album::AlbumCatalogue& catalogue);

}  // namespace lv::app
