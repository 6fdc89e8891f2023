#include "sharing/store/download_album.h"

#include "common/string_table.h"

namespace lv::sharing {

bool AddDownloadToAlbum(album::AlbumSession& session, const std::string& path)
{
    // A user without albums gets one, named as the album page names a new one, rather
    // than photos that join nothing.
    if (session.catalogue.count(kUserAlbumsCategory) == 0 &&
        session.catalogue.newAlbum(kUserAlbumsCategory, LoadString(album::kNewAlbumNameString)) == 0)
        return false;
    album::AddPhotoRequest request;
    request.path = path;
    request.category = kUserAlbumsCategory;
    request.values[0] = album::kSavedPhotoValue;
    return album::AddPhotoToAlbum(session, request);
}

}  // namespace lv::sharing
