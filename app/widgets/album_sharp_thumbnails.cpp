#include "app/widgets/album_sharp_thumbnails.h"

#include "album/large_thumbnails.h"
#include "album/photo_loader.h"
#include "app/widgets/dib_image.h"
#include "common/processors.h"
#include "common/ui_service.h"

#include <QMetaObject>

namespace lv::app {

AlbumSharpThumbnails::AlbumSharpThumbnails(std::function<void(const std::string&)> ready)
    : ready_(std::move(ready))
{
}

AlbumSharpThumbnails::~AlbumSharpThumbnails()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        queue_.clear();
    }
    workers_.wait();
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
        startWorkers();
    }
    return {};
}

void AlbumSharpThumbnails::startWorkers()
{
    // One job per processor at most, each taking photos until none is left; a job the pool
    // can't start now is started by the next photo asked for.
    while (!stopping_ && working_ < int(queue_.size()) && working_ < ProcessorCount()) {
        if (!workers_.start([this] { work(); }))
            return;
        ++working_;
    }
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

void AlbumSharpThumbnails::work()
{
    // A reader's progress or message must not reach the window's toolkit from a pool thread.
    ui::SilentService silent;
    const ui::ScopedThreadService quiet(silent);
    const DocumentReaders readers = album::AlbumPhotoReaders();
    for (;;) {
        std::string photo;
        {
            std::lock_guard lock(mutex_);
            if (stopping_ || queue_.empty()) {
                --working_;
                return;
            }
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
