#include "app/album/album_search_command.h"

#include "album/catalogue.h"
#include "album/photo_loader.h"
#include "common/program_paths.h"
#include "app/album/photo_search_library.h"
#include "imagelib/dib_geometry.h"

#include <cstring>
#include <vector>

namespace lv::app {
namespace {

int DrawForSearch(DrawingSurface* surface, const Rect* rect, const HDIB* image)
{
    return surface && rect && image && DibDrawFitted(*surface, *image, *rect) ? 1 : 0;
}

HDIB FitForSearch(const HDIB* image, std::uint16_t width, std::uint16_t height)
{
    return image && *image ? DibScaledCopy(*image, width, height, true) : HDIB();
}

HDIB LoadForSearch(const char* path)
{
    if (!path)
        return {};
    ReadResult photo = album::LoadPhotoForAlbum(path, album::AlbumPhotoReaders());
    return photo.ok() ? photo.take() : HDIB();
}

}  // namespace

PhotoSearchOutcome RunPhotoSearch(QWidget& window, const TestHooks& hooks)
{
    search::InitProc(DrawForSearch, FitForSearch, LoadForSearch);
    search::SetSupportImageType("*.BMP");
    std::vector<char> buffer(search::kSearchBufferBytes, '\0');
    const std::string albums = WritableProgramDir(album::kUserAlbumsFolder).string();
    std::memcpy(buffer.data(), albums.c_str(), std::min(albums.size(), buffer.size() - 1));
    LV_TEST_LOG(hooks, QStringLiteral("dialog search"));
    const int result = search::OpenSearchDlg(&window, buffer.data(), 85, 85);
    const std::string answer(buffer.data(), strnlen(buffer.data(), buffer.size()));
    LV_TEST_LOG(hooks, QStringLiteral("search %1 %2").arg(result).arg(QString::fromStdString(answer)));
    switch (result) {
    case search::kSearchOpenPhoto:
        return {PhotoSearchOutcome::Kind::OpenPhoto, answer};
    case search::kSearchResultsAlbum:
        return {PhotoSearchOutcome::Kind::ResultsAlbum, answer};
    default:
        return {};
    }
}

}  // namespace lv::app
