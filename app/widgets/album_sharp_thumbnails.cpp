#include "app/widgets/album_sharp_thumbnails.h"

#include "album/large_thumbnails.h"
#include "album/photo_loader.h"
#include "app/widgets/dib_image.h"

#include <QMetaObject>

namespace lv::app {

AlbumSharpThumbnails::AlbumSharpThumbnails(std::function<void(const std::string&)> ready)
    : ready_(std::move(ready))
    , worker_([this](std::stop_token stop) { work(stop); })
{
}

AlbumSharpThumbnails::~AlbumSharpThumbnails()
{
    worker_.request_stop();
    wake_.notify_all();
    worker_.join();
}

QImage AlbumSharpThumbnails::find(const std::string& photo)
{
    if (const auto kept = kept_.find(photo); kept != kept_.end())
        return kept->second;
    // Files whose readers must stay on the window's thread keep the album's own thumbnail.
    if (failed_.count(photo) == 0 && album::SafeOnWorkerThreads(photo)) {
        std::lock_guard lock(mutex_);
        // The newest asked first: the cells now in view.
        if (asked_.insert(photo).second)
            queue_.push_front(photo);
    }
    wake_.notify_one();
    return {};
}

void AlbumSharpThumbnails::clear()
{
    kept_.clear();
    keptOrder_.clear();
    failed_.clear();
    std::lock_guard lock(mutex_);
    queue_.clear();
    asked_.clear();
}

void AlbumSharpThumbnails::work(std::stop_token stop)
{
    const DocumentReaders readers = album::AlbumPhotoReaders();
    for (;;) {
        std::string photo;
        {
            std::unique_lock lock(mutex_);
            if (!wake_.wait(lock, stop, [&] { return !queue_.empty(); }))
                return;
            photo = std::move(queue_.front());
            queue_.pop_front();
        }
        QImage picture = DibToImage(album::LargeThumbnail(photo, readers));
        QMetaObject::invokeMethod(
            this, [this, photo, picture] { arrived(photo, picture); }, Qt::QueuedConnection);
    }
}

void AlbumSharpThumbnails::arrived(const std::string& photo, QImage picture)
{
    {
        std::lock_guard lock(mutex_);
        asked_.erase(photo);
    }
    if (picture.isNull()) {
        failed_.insert(photo);
        return;
    }
    if (keptOrder_.size() >= kKept) {
        kept_.erase(keptOrder_.front());
        keptOrder_.pop_front();
    }
    keptOrder_.push_back(photo);
    kept_[photo] = std::move(picture);
    if (ready_)
        ready_(photo);
}

}  // namespace lv::app
