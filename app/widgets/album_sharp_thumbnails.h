#pragma once
// The album grid's sharp pictures: the shared cache's 256-pixel thumbnails, found or made on
// a worker thread, kept in memory for the cells in view. Until a photo's is ready the grid
// draws the album's own thumbnail.

#include "imagelib/codecs/document_open.h"

#include <QImage>
#include <QObject>

#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <thread>

namespace lv::app {

class AlbumSharpThumbnails final : public QObject {
public:
    // `ready` runs on the window's thread with the photo whose picture arrived.
    explicit AlbumSharpThumbnails(std::function<void(const std::string&)> ready);
    ~AlbumSharpThumbnails() override;

    // The photo's sharp picture; null (and asked for) while it is being made, or when the
    // photo can't be read.
    QImage find(const std::string& photo);
    // Forgets what is kept (another album, or photos changed on disk).
    void clear();

private:
    static constexpr std::size_t kKept = 300;  // a few screens of cells, about 75 MB
    void work(std::stop_token stop);
    void arrived(const std::string& photo, QImage picture);

    std::function<void(const std::string&)> ready_;
    std::map<std::string, QImage> kept_;
    std::deque<std::string> keptOrder_;
    std::set<std::string> failed_;
    std::mutex mutex_;  // guards what follows, shared with the worker
    std::condition_variable_any wake_;
    std::deque<std::string> queue_;
    std::set<std::string> asked_;
    std::jthread worker_;
};

}  // namespace lv::app
