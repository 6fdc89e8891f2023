#include "album/orientation/album_turns.h"

#include "album/album.h"
#include "album/album_update.h"
#include "album/orientation/album_follow.h"
#include "album/photo_loader.h"
#include "common/program_paths.h"

#include <algorithm>

namespace lv::orientation {
namespace {

std::string Count(int n, const char* one, const char* many)
{
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

std::vector<AlbumPhoto> AlbumPhotos(const std::string& albumPath, const std::vector<std::string>& selected)
{
    album::Album album;
    album.read(albumPath);
    std::vector<AlbumPhoto> photos;
    const std::filesystem::path programDir = ProgramDir();
    for (std::size_t i = 0; i < album.count(); ++i) {
        std::string path = album.absolutePath(int(i), programDir);
        const bool chosen = std::find(selected.begin(), selected.end(), path) != selected.end();
        photos.push_back({std::move(path), album.caption(int(i)), chosen});
    }
    return photos;
}

std::vector<std::string> SelectedPhotos(const album::Album& album)
{
    std::vector<std::string> selected;
    const std::filesystem::path programDir = ProgramDir();
    for (std::size_t i = 0; i < album.count(); ++i)
        if (album.entry(int(i))->selected())
            selected.push_back(album.absolutePath(int(i), programDir));
    return selected;
}

TurnReport TurnPhotos(const std::vector<std::string>& photos, const TurnRequest& request, const std::string& albumPath,
                      const TurnProgress& progress)
{
    TurnReport report;
    std::vector<std::string>& turned = report.turnedPaths;
    for (std::size_t i = 0; i < photos.size(); ++i) {
        if (progress && !progress(int(i), int(photos.size()))) {
            report.stopped = true;
            break;
        }
        const TurnOutcome outcome = TurnPhoto(photos[i], request);
        if (outcome.status == TurnStatus::AlreadyUpright) {
            ++report.upright;
        } else if (outcome.status == TurnStatus::Failed) {
            report.failures.push_back(DescribeTurn(outcome, std::filesystem::path(photos[i]).filename().string()));
        } else {
            ++report.turned;
            report.lossless += outcome.lossless ? 1 : 0;
            turned.push_back(photos[i]);
            if (outcome.metadataDropped)
                report.notes.push_back(DescribeTurn(outcome, std::filesystem::path(photos[i]).filename().string()));
        }
    }
    if (!turned.empty()) {
        const DocumentReaders readers = album::AlbumPhotoReaders();
        if (!albumPath.empty()) {
            const album::AlbumUpdate update = FollowTurnsInAlbum(albumPath, turned, readers);
            report.albumNotUpdated = update != album::AlbumUpdate::Written && update != album::AlbumUpdate::Unchanged;
        }
        RefreshLargeThumbnails(turned, readers);
    }
    return report;
}

std::string TurnReport::text() const
{
    std::string text = Count(turned, "foto girada", "fotos giradas");
    if (turned > 0)
        text += " (" + std::to_string(lossless) + " sem perda)";
    if (upright > 0)
        text += ", " + Count(upright, "já estava em pé", "já estavam em pé");
    if (!failures.empty())
        text += ", " + Count(int(failures.size()), "não pôde ser girada", "não puderam ser giradas");
    text += stopped ? ". O trabalho foi interrompido." : ".";
    for (const std::string& line : failures)
        text += "\n• " + line;
    for (const std::string& line : notes)
        text += "\n• " + line;
    if (albumNotUpdated)
        text += "\nAs miniaturas do álbum não puderam ser atualizadas.";
    return text;
}

}  // namespace lv::orientation
