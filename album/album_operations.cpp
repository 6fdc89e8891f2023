#include "album/album_operations.h"

#include "album/album_file.h"
#include "album/album_update.h"

#include "common/ui_service.h"
#include "common/warning_messages.h"
#include "imagelib/progress.h"

#include <algorithm>

namespace lv::album {
namespace {

std::uint16_t storedValue1(int value1)
{
    return std::uint16_t(value1 == kSavedPhotoValue ? 1 : value1);
}

// The write failure WriteAlbumFile did not already show, naming the album.
bool reportUpdate(AlbumUpdate update, const std::string& albumFile)
{
    if (update == AlbumUpdate::Written || update == AlbumUpdate::Unchanged)
        return true;
    if (update != AlbumUpdate::CannotWrite)
        ShowDetailedStringMessage(kAlbumWriteErrorString, albumFile);
    return false;
}

}  // namespace

GridShape GridForCategory(int category)
{
    if (category == 0 || category == 10)
        return {5, 2};
    // Gradients and textures, and the other pictures the gallery page shows in its strip.
    if (category == 5 || category == 8 || category == 9 || category == 11 || category == 12)
        return {6, 1};
    return {1, 3};
}

int HeadRowShowing(int index, GridShape grid)
{
    return std::max(0, index / std::max(1, grid.columns) + 1 - grid.rows);
}

void ShowPhotoFailure(PhotoFailure failure, int value1, std::string_view path)
{
    if (failure == PhotoFailure::CannotOpen)
        ShowDetailedStringMessage(kCannotFindFileString, path);
    else if (value1 == kSavedPhotoValue)
        ShowDetailedStringMessage(kSaveErrorString, path);
    else
        ShowDetailedStringMessage(kUnknownFormatString, path);
}

bool AddPhotoToAlbum(AlbumSession& session, const AddPhotoRequest& request, const AlbumChooser& chooser)
{
    if (request.path.empty())
        return false;
    EntryLabel label{request.path, request.caption, {storedValue1(request.values[0]), request.values[1], request.values[2]}};

    // The entry is built first: the photo is loaded (or sampled) once, before any album moves.
    BuiltEntry built;
    if (request.image) {
        built.entry = BuildEntry(*request.image, label);
    } else {
        built = BuildPhotoEntry(label, session.readers);
        if (built.failure != PhotoFailure::None) {
            ShowPhotoFailure(built.failure, request.values[0], request.path);
            return false;
        }
    }

    const bool toCategory = ValidCategory(request.category);
    int albumIndex = -1;
    std::string albumFile;
    if (toCategory) {
        if (request.choose) {
            const auto chosen = chooser ? chooser(request.category) : std::nullopt;
            if (!chosen)
                return false;
            albumIndex = *chosen;
        } else {
            albumIndex = session.catalogue.current(request.category);
        }
        albumFile = session.catalogue.albumPath(request.category, albumIndex);
        if (albumFile.empty())
            return false;
    }
    const auto appendTo = [&](Album& album) {
        if (album.count() >= kMaxEntries) {
            ShowStringMessage(kAlbumFullString);
            return false;
        }
        album.removeWithPath(request.path, session.catalogue.programDir());
        return built.entry && album.append(std::move(*built.entry));
    };
    if (!toCategory) {
        if (!appendTo(session.album))
            return false;
        session.album.setModified(true);
        return true;
    }

    // A category's album is written at once: the open one merged with what others added to
    // its file, another one read afresh under its lock.
    int count = 0;
    if (albumFile == session.openPath) {
        if (!appendTo(session.album))
            return false;
        if (!reportUpdate(SaveOpenAlbum(session.album, albumFile), albumFile))
            return false;
        session.album.setModified(false);
        count = int(session.album.count());
    } else {
        bool appended = false;
        const AlbumUpdate update = ModifyAlbum(albumFile, [&](Album& album) {
            appended = appendTo(album);
            count = int(album.count());
            return appended;
        });
        if (!appended || !reportUpdate(update, albumFile))
            return false;
    }
    const int last = count - 1;
    session.catalogue.setViewValue(request.category, albumIndex, last, ViewValue::Position);
    session.catalogue.setViewValue(request.category, albumIndex, HeadRowShowing(last, GridForCategory(request.category)),
                                   ViewValue::Head);
    return true;
}

RefreshReport RefreshAlbum(Album& album, const std::filesystem::path& programDir, const DocumentReaders& readers,
                           unsigned jobs)
{
    RefreshReport report;
    if (album.readOnly())
        return report;
    std::vector<std::size_t> changed;
    std::vector<EntryLabel> labels;
    for (std::size_t i = 0; i < album.count(); ++i) {
        AlbumEntry& entry = *album.entry(int(i));
        if (entry.relative()) {
            entry.setPath(album.absolutePath(int(i), programDir));
            entry.setRelative(false);
            album.setModified(true);
            ++report.madeAbsolute;
        }
        const std::string path = entry.path();
        const std::optional<FileFacts> facts = StatFile(path);
        if (!facts) {
            ++report.missing;
            continue;
        }
        if (facts->size == entry.fileSize() && facts->time == entry.created())
            continue;
        changed.push_back(i);
        labels.push_back(EntryLabel{path, {}, {1, 1, 1}});
    }
    if (labels.empty())
        return report;
    ui::BusyCursor busy;
    BuildPhotoEntries(labels, readers, jobs, [&](std::size_t k, BuiltEntry built) {
        ReportProgress(kProgressReading, int((k + 1) * 100 / labels.size()));
        if (!built.entry) {
            ++report.unreadable;
            return;
        }
        album.replace(changed[k], std::move(*built.entry));
        album.setModified(true);
        ++report.rebuilt;
    });
    return report;
}

}  // namespace lv::album
