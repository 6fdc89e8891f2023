#include "app/projects/panorama_job.h"

#include "album/photo_loader.h"

#include <QMetaObject>

#include <filesystem>
#include <optional>

namespace lv::app {
namespace {

struct LoadedPhotos {
    std::vector<HDIB> pictures;
    std::string failure;
};

std::optional<HDIB> ReadPhoto(const std::string& path, std::string& failure)
{
    ReadResult read = album::LoadPhotoForAlbum(path, album::AlbumPhotoReaders());
    if (!read.ok()) {
        failure = "Não foi possível ler a foto \"" + std::filesystem::path(path).filename().string() + "\".";
        return std::nullopt;
    }
    return read.take();
}

}  // namespace

PanoramaJob::PanoramaJob(QObject& receiver, std::vector<std::string> paths, Progress progress, Done done)
{
    // Layered and Photoshop readers reach into shared state: they read here, the rest below.
    std::vector<std::optional<HDIB>> early(paths.size());
    std::string earlyFailure;
    for (std::size_t i = 0; i < paths.size() && earlyFailure.empty(); ++i)
        if (!album::SafeOnWorkerThreads(paths[i]))
            early[i] = ReadPhoto(paths[i], earlyFailure);
    QPointer<QObject> target(&receiver);
    auto post = [target](std::function<void()> call) {
        if (target)
            QMetaObject::invokeMethod(target.data(), std::move(call), Qt::QueuedConnection);
    };
    thread_ = std::jthread([paths = std::move(paths), early = std::move(early), earlyFailure, post,
                            progress = std::move(progress), done = std::move(done)]() mutable {
        const auto fail = [&](std::string reason) {
            panorama::Panorama failed;
            failed.failure = std::move(reason);
            post([done, failed = std::make_shared<panorama::Panorama>(std::move(failed))] { done(std::move(*failed)); });
        };
        if (!earlyFailure.empty())
            return fail(earlyFailure);
        std::vector<HDIB> pictures;
        std::string failure;
        for (std::size_t i = 0; i < paths.size(); ++i) {
            std::optional<HDIB> picture = early[i] ? std::move(early[i]) : ReadPhoto(paths[i], failure);
            if (!picture)
                return fail(failure);
            pictures.push_back(std::move(*picture));
            post([progress, percent = int(20 * (i + 1) / paths.size())] { progress(percent); });
        }
        std::vector<const HDIB*> photos;
        for (const HDIB& picture : pictures)
            photos.push_back(&picture);
        auto result = std::make_shared<panorama::Panorama>(panorama::StitchPhotos(
            photos, {}, [&](int percent) { post([progress, percent] { progress(20 + percent * 8 / 10); }); }));
        post([done, result] { done(std::move(*result)); });
    });
}

}  // namespace lv::app
