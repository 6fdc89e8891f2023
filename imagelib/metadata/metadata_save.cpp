#include "imagelib/metadata/metadata_save.h"

#include "imagelib/codecs/image_file.h"
#include "imagelib/codecs/jpeg/jpeg.h"
#include "imagelib/codecs/png/png.h"
#include "imagelib/codecs/save_options.h"
#include "imagelib/codecs/tiff/tiff.h"
#include "imagelib/codecs/webp/webp.h"

namespace lv {

PictureEncoder MetadataKeepingEncoder(const std::string& extension, const HDIB& image, int jpegQuality,
                                      std::span<const std::uint8_t> iccProfile)
{
    if (extension == "JPG" || extension == "JPEG")
        return [&image, jpegQuality, iccProfile](ByteSink& sink) { return WriteJpeg(sink, image, jpegQuality, iccProfile); };
    if (extension == "TIF" || extension == "TIFF")
        return [&image, iccProfile](ByteSink& sink) { return WriteTiff(sink, image, iccProfile); };
    if (extension == "PNG")
        return [&image, iccProfile](ByteSink& sink) {
            return WritePng(sink, image, nullptr, iccProfile) == PngWriteResult::Written
                       ? WriteResult(WriteResult::Written)
                       : WriteResult(WriteResult::NotWritten);
        };
    if (extension == "WEBP")
        return [&image, jpegQuality, iccProfile](ByteSink& sink) {
            return WriteWebp(sink, image, {jpegQuality, CurrentSaveOptions().lossless, iccProfile});
        };
    return {};
}

WriteResult WriteWithMetadata(const std::string& path, const PictureEncoder& encode, const PhotoMetadata& metadata,
                              const MetadataWriteOptions& options)
{
    MemorySink memory;
    const WriteResult encoded = encode(memory);
    if (encoded != WriteResult::Written)
        return encoded;
    std::vector<std::uint8_t> bytes = memory.take();
    InsertPhotoMetadata(bytes, metadata, options);
    return WriteImageFile(path, [&bytes](ByteSink& sink) {
        return sink.write(bytes.data(), bytes.size()) ? WriteResult(WriteResult::Written) : WriteResult(WriteResult::Failed);
    });
}

}  // namespace lv
