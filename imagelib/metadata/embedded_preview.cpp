#include "imagelib/metadata/embedded_preview.h"

#include "imagelib/metadata/exiv2_session.h"
#include "imagelib/metadata/photo_metadata.h"

#include <algorithm>
#include <cstdlib>

namespace lv {
namespace {

// Within 2 % of the photo's proportions.
bool sameShape(std::int64_t width, std::int64_t height, std::int64_t photoWidth, std::int64_t photoHeight)
{
    return std::llabs(width * photoHeight - height * photoWidth) * 50 <= width * photoHeight;
}

int storedOrientation(const Exiv2::ExifData& exif)
{
    const auto found = exif.findKey(Exiv2::ExifKey("Exif.Image.Orientation"));
    if (found == exif.end() || found->count() == 0)
        return 1;
    const long value = found->toLong();
    return value >= 1 && value <= 8 ? int(value) : 1;
}

}  // namespace

std::optional<EmbeddedPreview> FindEmbeddedJpegPreview(std::span<const std::uint8_t> encoded, int minLongerSide)
{
    if (encoded.empty() || encoded.size() > kMaxMetadataInputBytes)
        return std::nullopt;
    try {
        metadata::EnsureLibraryReady();
        auto image = Exiv2::ImageFactory::open(encoded.data(), long(encoded.size()));
        if (!image.get())
            return std::nullopt;
        image->readMetadata();
        const std::int64_t photoWidth = image->pixelWidth(), photoHeight = image->pixelHeight();
        if (photoWidth <= 0 || photoHeight <= 0)
            return std::nullopt;
        const std::int64_t needed = std::min<std::int64_t>(minLongerSide, std::max(photoWidth, photoHeight));
        Exiv2::PreviewManager manager(*image);
        // The library lists them smallest first.
        for (const Exiv2::PreviewProperties& properties : manager.getPreviewProperties()) {
            const std::int64_t width = properties.width_, height = properties.height_;
            if (properties.mimeType_ != "image/jpeg" || std::max(width, height) < needed
                || !sameShape(width, height, photoWidth, photoHeight))
                continue;
            const Exiv2::PreviewImage preview = manager.getPreviewImage(properties);
            if (preview.size() == 0)
                continue;
            EmbeddedPreview found;
            found.jpeg.assign(preview.pData(), preview.pData() + preview.size());
            found.width = int(width);
            found.height = int(height);
            found.orientation = storedOrientation(image->exifData());
            return found;
        }
    } catch (...) {
    }
    return std::nullopt;
}

}  // namespace lv
