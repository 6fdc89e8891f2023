#include "album/browser_thumbnail.h"

#include "album/entry_builder.h"
#include "album/photo_loader.h"
#include "album/thumbnail.h"
#include "imagelib/codecs/file_names.h"
#include "imagelib/codecs/raw/camera_raw.h"

namespace lv::album {

HDIB BrowserThumbnail(const std::string& path, const DocumentReaders& readers)
{
    if (GeneralReaderTakesAsJpeg(path)) {
        const SampledPixels samples = ReadJpegSamples(
            path, [](int width, int height) { return ThumbnailGridWithin(width, height, kBrowserThumbnailSide); });
        if (samples.code == ReadCode::Image)
            if (HDIB thumbnail = ThumbnailFromSamples(samples, kBrowserThumbnailSide))
                return thumbnail;
    }
    // The readers' messages are not for the browser: a photo it can't read shows its stored thumbnail.
    HoldingService quiet;
    ui::ScopedThreadService held(quiet);
    if (IsCameraRawExtension(DispatchExtension(path))) {
        const ReadResult preview = ReadCameraRawPreview(path);
        if (preview.ok())
            return SampledThumbnail(preview.image(), kBrowserThumbnailSide);
    }
    const ReadResult photo = LoadPhotoForAlbum(path, readers);
    return photo.ok() ? SampledThumbnail(photo.image(), kBrowserThumbnailSide) : HDIB();
}

}  // namespace lv::album
