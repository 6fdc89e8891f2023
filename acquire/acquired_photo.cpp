#include "acquire/acquired_photo.h"

#include "common/failure_notices.h"
#include "imagelib/dib_convert.h"
#include "imagelib/codecs/load_save.h"

#include <system_error>

namespace lv::twain {

std::optional<int> AddAcquiredPhoto(album::AlbumSession& session, const std::string& path, const HDIB& picture,
                                    std::string_view caption)
{
    album::AddPhotoRequest request;
    request.image = &picture;
    request.path = path;
    request.caption = std::string(caption);
    if (!album::AddPhotoToAlbum(session, request))
        return std::nullopt;
    // A photo already in the album moved to the end.
    return int(session.album.count()) - 1;
}

std::optional<std::string> StoreAcquiredPhoto(HDIB picture, Settings& settings, const std::filesystem::path& photosDir,
                                              CalendarDay today, const AlbumStep& addToAlbum)
{
    if (!picture)
        return std::nullopt;
    std::error_code error;
    std::filesystem::create_directories(photosDir, error);
    const CameraName name = MakeCameraName(settings.get(setting::kCameraDate), settings.get(setting::kCameraNum), today);
    if (name.restarted)
        settings.userSetInt(setting::kCameraDate.name, name.storedDate);
    settings.userSetInt(setting::kCameraNum.name, name.number + 1);

    if (picture.bitCount() != 24) {
        HDIB wide = DibPromoteTo24(picture);
        if (!wide)
            return std::nullopt;
        picture = std::move(wide);
    }
    const std::string path = (photosDir / name.fileName).string();
    const WriteResult written = SaveImageFile(picture, path, true);
    ShowFailureNotices(written.failure());
    if (written != WriteResult::Written)
        return std::nullopt;
    if (addToAlbum)
        addToAlbum(path, picture, kAcquiredPhotoCaption);
    return path;
}

}  // namespace lv::twain
