#include "imagelib/codecs/heif/heif.h"

#include "imagelib/codecs/heif/heif_handles.h"
#include "imagelib/codecs/image_file.h"
#include "imagelib/codecs/memory_decode.h"

#include <algorithm>
#include <cstring>

namespace lv {
namespace {

heif_compression_format formatOf(HeifCodec codec)
{
    return codec == HeifCodec::Av1 ? heif_compression_AV1 : heif_compression_HEVC;
}

heif_error writeToSink(heif_context*, const void* data, std::size_t size, void* userdata)
{
    if (static_cast<ByteSink*>(userdata)->write(data, size))
        return {heif_error_Ok, heif_suberror_Unspecified, "Success"};
    return {heif_error_Encoding_error, heif_suberror_Cannot_write_output_data, "write failed"};
}

WriteResult refused(const heif_error& error)
{
    if (error.subcode == heif_suberror_Cannot_write_output_data)
        return WriteResult::NotWritten;  // the sink explains
    return {WriteResult::NotWritten, {FileProblem::Unsupported, error.message ? error.message : "HEIF"}};
}

}  // namespace

bool CanWriteHeif(HeifCodec codec)
{
    const HeifLibrary* heif = LoadedHeifLibrary();
    return heif && heif->heif_have_encoder_for_format(formatOf(codec)) != 0;
}

WriteResult WriteHeif(ByteSink& sink, const HDIB& image, const HeifSettings& settings)
{
    if (!image)
        return {WriteResult::NotWritten, {FileProblem::Corrupt}};
    const HeifLibrary* library = LoadedHeifLibrary();
    if (!library)
        return {WriteResult::NotWritten, {FileProblem::Unsupported, "HEIF"}};
    const HeifLibrary& heif = *library;
    const HeifContext context(heif);
    HeifEncoder encoder(heif);
    if (!context)
        return {WriteResult::OutOfMemory, {FileProblem::OutOfMemory}};
    heif_error error = heif.heif_context_get_encoder_for_format(context.get(), formatOf(settings.codec), encoder.out());
    if (error.code != heif_error_Ok)
        return refused(error);
    heif.heif_encoder_set_lossy_quality(encoder.get(), std::clamp(settings.quality, 1, 100));

    const std::vector<std::uint8_t> rgb = TopDownRgb(image);
    if (rgb.empty())
        return {WriteResult::OutOfMemory, {FileProblem::OutOfMemory}};
    const int width = image.width(), height = image.height();
    HeifImage picture(heif);
    error = heif.heif_image_create(width, height, heif_colorspace_RGB, heif_chroma_interleaved_RGB, picture.out());
    if (error.code == heif_error_Ok)
        error = heif.heif_image_add_plane(picture.get(), heif_channel_interleaved, width, height, 8);
    if (error.code != heif_error_Ok)
        return refused(error);
    int stride = 0;
    std::uint8_t* plane = heif.heif_image_get_plane(picture.get(), heif_channel_interleaved, &stride);
    for (int top = 0; top < height; ++top)
        std::memcpy(plane + std::size_t(top) * std::size_t(stride), rgb.data() + std::size_t(top) * std::size_t(width) * 3,
                    std::size_t(width) * 3);
    error = heif.heif_context_encode_image(context.get(), picture.get(), encoder.get(), nullptr, nullptr);
    if (error.code != heif_error_Ok)
        return refused(error);
    heif_writer writer{1, writeToSink};
    error = heif.heif_context_write(context.get(), &writer, &sink);
    return error.code == heif_error_Ok ? WriteResult(WriteResult::Written) : refused(error);
}

WriteResult WriteHeif(const std::string& path, const HDIB& image, const HeifSettings& settings)
{
    return WriteImageFile(path, [&](ByteSink& sink) { return WriteHeif(sink, image, settings); });
}

}  // namespace lv
