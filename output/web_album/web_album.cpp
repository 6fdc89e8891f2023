#include "output/web_album/web_album.h"

#include "album/album_file.h"
#include "common/byte_sink.h"
#include "common/file_problem.h"
#include "common/text_encoding.h"
#include "imagelib/codecs/load_save.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/dib_convert.h"
#include "imagelib/dib_geometry.h"
#include "output/web_album/web_album_pages.h"

#include <algorithm>
#include <cstdio>
#include <system_error>

namespace lv::web {
namespace {

std::string Numbered(const char* stem, std::size_t index, std::size_t count, const char* extension)
{
    const int digits = count >= 1000 ? 4 : 3;
    char name[32];
    std::snprintf(name, sizeof name, "%s-%0*zu.%s", stem, digits, index + 1, extension);
    return name;
}

// The longest side becomes `limit` at most, the shape kept.
std::pair<int, int> FittedSize(int width, int height, int limit)
{
    if (width <= limit && height <= limit)
        return {width, height};
    if (width >= height)
        return {limit, std::max(1, int((long long)height * limit / width))};
    return {std::max(1, int((long long)width * limit / height)), limit};
}

HDIB Fitted(const HDIB& picture, int limit)
{
    const auto [w, h] = FittedSize(picture.width(), picture.height(), limit);
    return w == picture.width() && h == picture.height() ? DibDuplicate(picture) : DibResize(picture, w, h);
}

bool WriteText(const std::filesystem::path& path, const std::string& text, WebAlbumOutcome& outcome)
{
    FileFailure failure;
    if (WriteWholeFile(path.string(), std::vector<std::uint8_t>(text.begin(), text.end()), &failure))
        return true;
    outcome.error = FileProblemMessage(failure, path.string());
    return false;
}

bool WriteJpeg(HDIB picture, const std::filesystem::path& path, WebAlbumOutcome& outcome)
{
    const WriteResult written = SaveImageFile(picture, path.string(), false);
    if (written == WriteResult::Written)
        return true;
    outcome.error = written.failure().problem != FileProblem::None
                        ? FileProblemMessage(written.failure(), path.string())
                        : "Não foi possível gravar " + path.string() + ".";
    return false;
}

}  // namespace

std::vector<WebAlbumPhoto> WebAlbumPhotosOf(const std::string& albumPath)
{
    std::vector<WebAlbumPhoto> photos;
    for (const album::AlbumEntry& entry : album::ReadAlbumContents(albumPath).entries)
        photos.push_back({entry.path(), ToUtf8(entry.caption())});
    return photos;
}

WebAlbumOutcome PublishWebAlbum(const std::vector<WebAlbumPhoto>& photos, const std::filesystem::path& folder,
                                const WebAlbumOptions& options, const std::function<bool(int, int)>& progress)
{
    WebAlbumOutcome outcome;
    if (photos.empty()) {
        outcome.error = "O álbum na Web não tem fotos.";
        return outcome;
    }
    const int size = std::clamp(options.size, kMinImageSize, kMaxImageSize);
    std::error_code error;
    for (const char* sub : {"imagens", "miniaturas"})
        if (std::filesystem::create_directories(folder / sub, error), error) {
            outcome.error = "Não foi possível criar a pasta " + (folder / sub).string() + " (" + error.message() + ").";
            return outcome;
        }

    std::vector<PageEntry> entries;
    const int total = int(photos.size());
    for (std::size_t i = 0; i < photos.size(); ++i) {
        if (progress && !progress(int(i), total)) {
            outcome.error = "A publicação foi cancelada.";
            return outcome;
        }
        const LoadedImage loaded = LoadImageFileDetailed(photos[i].path, false);
        HDIB picture = !loaded.image                    ? HDIB()
                       : loaded.image.bitCount() == 24 ? DibDuplicate(loaded.image)
                                                       : DibPromoteTo24(loaded.image);
        if (!picture || picture.width() <= 0 || picture.height() <= 0) {
            outcome.skipped.push_back(photos[i].path + ": " +
                                      (loaded.failure.problem != FileProblem::None ? DescribeFileProblem(loaded.failure)
                                                                                   : "a foto não pôde ser lida"));
            continue;
        }
        const std::size_t n = entries.size();
        PageEntry e;
        e.caption = photos[i].caption;
        e.page = Numbered("foto", n, photos.size(), "html");
        e.image = "imagens/" + Numbered("foto", n, photos.size(), "jpg");
        e.thumbnail = "miniaturas/" + Numbered("foto", n, photos.size(), "jpg");
        HDIB image = Fitted(picture, size);
        HDIB thumb = Fitted(image, kThumbnailSize);
        if (!image || !thumb) {
            outcome.error = "Falta memória para preparar " + photos[i].path + ".";
            return outcome;
        }
        e.width = image.width();
        e.height = image.height();
        e.thumbWidth = thumb.width();
        e.thumbHeight = thumb.height();
        if (!WriteJpeg(std::move(image), folder / e.image, outcome) ||
            !WriteJpeg(std::move(thumb), folder / e.thumbnail, outcome))
            return outcome;
        entries.push_back(std::move(e));
    }
    if (entries.empty()) {
        outcome.error = "Nenhuma das fotos do álbum na Web pôde ser lida.";
        return outcome;
    }
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (!WriteText(folder / entries[i].page, PhotoPage(options.title, entries, i), outcome))
            return outcome;
    if (!WriteText(folder / kStyleSheet, StyleSheet(), outcome) ||
        !WriteText(folder / kIndexPage, IndexPage(options.title, entries), outcome))
        return outcome;
    if (progress)
        progress(total, total);
    outcome.published = int(entries.size());
    outcome.ok = true;
    return outcome;
}

}  // namespace lv::web
