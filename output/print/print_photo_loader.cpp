#include "output/print/print_photo_loader.h"

#include "album/photo_loader.h"
#include "common/failure_notices.h"
#include "common/processors.h"
#include "common/ui_service.h"
#include "common/worker_pool.h"
#include "imagelib/dib_geometry.h"
#include "imagelib/codecs/format_detect.h"
#include "imagelib/codecs/jpeg/jpeg.h"
#include "imagelib/metadata/orient_upright.h"
#include "imagelib/metadata/upright_step.h"
#include "output/print/banding.h"

#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <optional>

namespace lv::print {

HDIB LoadPhotoForPrint(const std::string& path, int boxWidth, int boxHeight)
{
    // Any thread, and nothing shown: an unreadable photo leaves its cell empty.
    ui::SilentService quiet;
    ui::ScopedThreadService guard(quiet);
    const int minWidth = std::max(boxWidth, 1), minHeight = std::max(boxHeight, 1);
    HDIB photo;
    if (DetectFileFormat(path) == ".JPG") {
        // The box is upright; a turned photo is decoded for the box turned the same way.
        const int orientation = ReadFileMetadata(path).orientation;
        const bool turned = OrientationSwapsSides(orientation);
        ReadResult r = ReadJpegAtLeast(path, turned ? minHeight : minWidth, turned ? minWidth : minHeight);
        ShowFailureNotices(r.failure());
        if (r.ok())
            photo = std::move(r.image());
        if (HDIB upright = OrientUpright(photo, orientation))
            photo = std::move(upright);
    } else {
        ReadResult r = album::LoadPhotoForAlbum(path, album::AlbumPhotoReaders());
        if (r.ok())
            photo = std::move(r.image());
    }
    if (!photo)
        return photo;
    const Rect fitted = FitCentred(photo.width(), photo.height(), Rect::fromSize(0, 0, minWidth, minHeight));
    if (photo.width() >= 2 * std::max(fitted.width(), 1) && photo.height() >= 2 * std::max(fitted.height(), 1)) {
        HDIB smaller = DibResize(photo, std::max(fitted.width(), 1), std::max(fitted.height(), 1));
        if (smaller)
            return smaller;
    }
    return photo;
}

unsigned PrefetchThreads()
{
    // One more than the processors: a thread waiting on the disk leaves a processor free.
    return unsigned(ProcessorCount()) + 1;
}

std::size_t PrefetchAhead()
{
    return 3 * std::size_t(PrefetchThreads());
}

struct PhotoPrefetcher::State {
    std::vector<std::string> paths;
    int boxWidth, boxHeight;
    std::size_t ahead;
    std::mutex mutex;
    std::condition_variable changed;
    std::size_t nextToLoad = 0;  // the next index a worker takes
    std::size_t nextToTake = 0;  // the next index the sheet asks for
    std::map<std::size_t, HDIB> ready;
    bool stopping = false;
    bool helped = false;  // some worker loads ahead
    WorkerGroup workers;

    void work()
    {
        std::unique_lock lock(mutex);
        for (;;) {
            changed.wait(lock, [&] { return stopping || (nextToLoad < paths.size() && nextToLoad < nextToTake + ahead); });
            if (stopping)
                return;
            const std::size_t index = nextToLoad++;
            lock.unlock();
            HDIB photo = LoadPhotoForPrint(paths[index], boxWidth, boxHeight);
            lock.lock();
            ready.emplace(index, std::move(photo));
            changed.notify_all();
        }
    }
};

PhotoPrefetcher::PhotoPrefetcher(std::vector<std::string> paths, int boxWidth, int boxHeight, unsigned threads,
                                 std::size_t ahead)
    : state_(std::make_unique<State>())
{
    state_->paths = std::move(paths);
    state_->boxWidth = boxWidth;
    state_->boxHeight = boxHeight;
    state_->ahead = std::max<std::size_t>(ahead, 1);
    // With no worker to be had, take() loads each photo itself.
    for (unsigned i = 0; i < std::max(threads, 1u); ++i)
        if (state_->workers.start([s = state_.get()] { s->work(); }))
            state_->helped = true;
        else
            break;
}

PhotoPrefetcher::~PhotoPrefetcher()
{
    {
        std::lock_guard lock(state_->mutex);
        state_->stopping = true;
    }
    state_->changed.notify_all();
    state_->workers.wait();
}

HDIB PhotoPrefetcher::take(const std::string& path, int boxWidth, int boxHeight)
{
    State& s = *state_;
    std::unique_lock lock(s.mutex);
    const std::size_t index = s.nextToTake;
    if (!s.helped || index >= s.paths.size() || s.paths[index] != path || boxWidth > s.boxWidth
        || boxHeight > s.boxHeight) {
        lock.unlock();
        return LoadPhotoForPrint(path, boxWidth, boxHeight);
    }
    ++s.nextToTake;
    s.changed.notify_all();
    s.changed.wait(lock, [&] { return s.ready.count(index) != 0; });
    HDIB photo = std::move(s.ready[index]);
    s.ready.erase(index);
    return photo;
}

PhotoLoader PhotoPrefetcher::loader()
{
    return [this](const std::string& path, int w, int h) { return take(path, w, h); };
}

}  // namespace lv::print
