#pragma once
// The album grid's sharp pictures: the shared cache's 256-pixel thumbnails, found or made on
// the process's worker pool (where the album builds its entries), kept in memory for the
// cells in view. Until a photo's is ready the grid draws the album's own thumbnail.

#include "common/worker_pool.h"
#include "imagelib/codecs/document_open.h"

#include <QImage>
#include <QObject>

#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>

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
    void startWorkers();  // with mutex_ held
    void work();
    void arrived(const std::string& photo, QImage picture);

    std::function<void(const std::string&)> ready_;
    std::map<std::string, QImage> kept_;
    std::deque<std::string> keptOrder_;
    std::set<std::string> failed_;
    std::mutex mutex_;  // guards what follows, shared with the workers
    std::deque<std::string> queue_;
    std::set<std::string> asked_;
    int working_ = 0;
    bool stopping_ = false;
    WorkerGroup workers_;  // last: its end waits for the jobs before the rest goes
};

}  // namespace lv::app
