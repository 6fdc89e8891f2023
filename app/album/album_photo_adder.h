#pragma once
// Adds photos to the open album without holding up the window: thumbnails are built on
// worker threads and join the album in the order given as they arrive, a progress bar shows
// how far it got and Esc stops it. What failed is told once at the end.

#include "album/album.h"
#include "album/album_view.h"
#include "album/background_entries.h"
#include "album/photo_adding.h"

#include <QObject>
#include <QPointer>
#include <QRect>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QProgressBar;
class QWidget;

namespace lv::app {

class AlbumPhotoAdder final : public QObject {
public:
    // `moved`: the photo was in the album already and went to the end, so the photos after
    // its old place moved up one.
    using PhotoAdded = std::function<void(bool moved)>;
    using Finished = std::function<void()>;

    // The progress bar goes into `window` at `progressArea`.
    AlbumPhotoAdder(QWidget& window, PhotoAdded added, Finished finished);
    ~AlbumPhotoAdder() override;

    // Adds the files to the album the view shows; false when an add is already running.
    bool start(album::Album& album, album::AlbumView& view, std::filesystem::path programDir,
               std::vector<std::string> paths, const QRect& progressArea);
    bool running() const { return running_; }
    // Esc: the photos that arrived are added, the rest are not read.
    void cancel();
    // The album is about to go: stops at once, keeping what arrived.
    void finishNow();

    std::size_t added() const { return added_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Arrival {
        album::BuiltEntry built;
        std::vector<album::HeldMessage> messages;
    };
    void arrived(std::size_t index, std::shared_ptr<Arrival> arrival);
    void drain();
    void apply(std::size_t index, album::BuiltEntry built, const std::vector<album::HeldMessage>& messages);
    void finish();
    void showProgress();

    QWidget& window_;
    PhotoAdded photoAdded_;
    Finished finished_;
    album::Album* album_ = nullptr;
    album::AlbumView* view_ = nullptr;
    std::filesystem::path programDir_;
    std::vector<std::string> paths_;
    std::vector<bool> onWorkers_;
    std::vector<std::size_t> workerIndex_;  // worker order → place in paths_
    std::map<std::size_t, std::shared_ptr<Arrival>> waiting_;
    std::unique_ptr<album::BackgroundEntryBuilder> builder_;
    std::optional<album::AddReport> report_;
    std::size_t next_ = 0;
    std::size_t added_ = 0;
    bool running_ = false;
    bool stopping_ = false;
    bool workersDone_ = false;
    QPointer<QWidget> progress_;
    QProgressBar* bar_ = nullptr;
    QLabel* text_ = nullptr;
};

}  // namespace lv::app
