#include "sharing/store/download_album.h"

namespace lv::sharing {

bool AddDownloadToAlbum(album::AlbumSession& session, const std::string& path)
{
    album::AddPhotoRequest request;
    request.path = path;
    request.category = kUserAlbumsCategory;
    request.values[0] = album::kSavedPhotoValue;
    return album::AddPhotoToAlbum(session, request);
}

}  // namespace lv::sharing
