#include "album/large_thumbnails.h"

#include "album/photo_loader.h"
#include "imagelib/codecs/image_file.h"
#include "imagelib/codecs/file_names.h"
#include "imagelib/codecs/jpeg/jpeg.h"
#include "imagelib/codecs/png/png.h"
#include "imagelib/codecs/png/png_text.h"
#include "imagelib/dib_convert.h"
#include "imagelib/codecs/raw/camera_raw.h"
#include "imagelib/dib_geometry.h"
#include "imagelib/metadata/embedded_preview.h"
#include "imagelib/metadata/orient_upright.h"
#include "imagelib/metadata/upright_step.h"

#include <glib.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace lv::album {
namespace {

constexpr char kUriKey[] = "Thumb::URI";
constexpr char kMTimeKey[] = "Thumb::MTime";

std::optional<std::int64_t> modifiedSeconds(const std::filesystem::path& photo)
{
    struct stat status {};
    if (::stat(photo.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    return std::int64_t(status.st_mtime);
}

bool isUnreserved(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_'
           || c == '.' || c == '~' || c == '/';
}

std::filesystem::path cacheFileOf(const std::filesystem::path& photo)
{
    return LargeThumbnailFolder() / ThumbnailFileName(FileUri(std::filesystem::absolute(photo)));
}

// A camera's preview large enough for the thumbnail, upright: a small decode instead of the
// photo's. Raw files embed one as a rule; JPEGs sometimes carry one in their metadata.
ReadResult embeddedPreview(const std::filesystem::path& photo)
{
    if (IsCameraRawExtension(DispatchExtension(photo.string())))
        return ReadCameraRawPreview(photo.string());
    if (!GeneralReaderTakesAsJpeg(photo.string()))
        return ReadCode::Failure;  // other files are read whole for their metadata: no saving
    const auto preview = FindEmbeddedJpegPreview(ReadMetadataBytes(photo.string()), kLargeThumbnailSide);
    if (!preview)
        return ReadCode::Failure;
    MemorySource source(preview->jpeg);
    ReadResult read = ReadJpegAtLeast(source, kLargeThumbnailSide, kLargeThumbnailSide);
    if (!read.ok() || preview->orientation == 1)
        return read;
    HDIB upright = OrientUpright(read.image(), preview->orientation);
    return upright ? ReadResult(std::move(upright)) : ReadResult(ReadCode::Failure);
}

HDIB decodeSmall(const std::filesystem::path& photo, const DocumentReaders& readers)
{
    ReadResult read = embeddedPreview(photo);
    // JPEG decodes at the largest reduction that still covers the box: most of a photo's cost
    // saved. That decode is the picture as stored; the photo's orientation turns it upright.
    if (!read.ok()) {
        read = ReadJpegAtLeast(photo.string(), kLargeThumbnailSide, kLargeThumbnailSide);
        ApplyPhotoMetadata(read, photo.string());
    }
    if (!read.ok())
        read = LoadPhotoForAlbum(photo.string(), readers);
    if (!read.ok())
        return {};
    HDIB picture = read.take();
    if (picture.bitCount() != 24)
        picture = DibPromoteTo24(picture);
    if (!picture)
        return {};
    const int longer = std::max(picture.width(), picture.height());
    if (longer <= kLargeThumbnailSide)
        return picture;
    const int width = std::max(1, int(std::int64_t(picture.width()) * kLargeThumbnailSide / longer));
    const int height = std::max(1, int(std::int64_t(picture.height()) * kLargeThumbnailSide / longer));
    return DibResize(picture, width, height);
}

// The cache's folders are private to the user, as the freedesktop rules ask.
bool makePrivateFolder(const std::filesystem::path& folder)
{
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return std::filesystem::is_directory(folder, error) && ::chmod(folder.c_str(), 0700) == 0;
}

}  // namespace

std::filesystem::path LargeThumbnailFolder()
{
    const char* cache = std::getenv("XDG_CACHE_HOME");
    std::filesystem::path base;
    if (cache && cache[0] == '/') {
        base = cache;
    } else {
        const char* home = std::getenv("HOME");
        base = std::filesystem::path(home ? home : "/") / ".cache";
    }
    return base / "thumbnails" / "large";
}

std::string FileUri(const std::filesystem::path& absolute)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string uri = "file://";
    for (const unsigned char c : absolute.string()) {
        if (isUnreserved(c)) {
            uri += char(c);
        } else {
            uri += '%';
            uri += kHex[c >> 4];
            uri += kHex[c & 15];
        }
    }
    return uri;
}

std::string ThumbnailFileName(const std::string& uri)
{
    const std::unique_ptr<gchar, decltype(&g_free)> digest(
        g_compute_checksum_for_string(G_CHECKSUM_MD5, uri.c_str(), gssize(uri.size())), &g_free);
    return std::string(digest.get()) + ".png";
}

HDIB FreshLargeThumbnail(const std::filesystem::path& photo)
{
    const auto modified = modifiedSeconds(photo);
    if (!modified)
        return {};
    const std::string cached = cacheFileOf(photo).string();
    FileFailure notice;
    auto source = OpenImageForReading(cached, notice);
    if (!source)
        return {};
    const auto text = ReadPngText(*source);
    if (!text || !source->seek(0))
        return {};
    const auto uri = text->find(kUriKey), mtime = text->find(kMTimeKey);
    if (uri == text->end() || mtime == text->end() || uri->second != FileUri(std::filesystem::absolute(photo))
        || mtime->second != std::to_string(*modified))
        return {};
    ReadResult read = ReadPng(*source);
    return read.ok() ? read.take() : HDIB();
}

HDIB MakeLargeThumbnail(const std::filesystem::path& photo, const DocumentReaders& readers)
{
    const auto modified = modifiedSeconds(photo);
    if (!modified)
        return {};
    HDIB thumbnail = decodeSmall(photo, readers);
    const std::filesystem::path file = cacheFileOf(photo);
    if (!thumbnail || !makePrivateFolder(file.parent_path().parent_path()) || !makePrivateFolder(file.parent_path()))
        return thumbnail;
    const PngTextEntries text = {{kUriKey, FileUri(std::filesystem::absolute(photo))},
                                 {kMTimeKey, std::to_string(*modified)},
                                 {"Software", "Lumivista"}};
    const WriteResult written = WriteImageFile(file.string(), [&](ByteSink& sink) {
        return WritePngWithText(sink, thumbnail, text) ? WriteResult::Written : WriteResult::Failed;
    });
    if (written == WriteResult::Written)
        ::chmod(file.c_str(), 0600);
    return thumbnail;
}

HDIB LargeThumbnail(const std::filesystem::path& photo, const DocumentReaders& readers)
{
    if (HDIB fresh = FreshLargeThumbnail(photo))
        return fresh;
    return MakeLargeThumbnail(photo, readers);
}

}  // namespace lv::album
