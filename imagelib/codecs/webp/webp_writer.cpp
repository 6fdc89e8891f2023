#include "imagelib/codecs/webp/webp.h"

#include "imagelib/codecs/image_file.h"
#include "imagelib/codecs/memory_decode.h"

#include <webp/encode.h>
#include <webp/mux.h>

#include <algorithm>

namespace lv {
namespace {

class EncoderPicture {
public:
    EncoderPicture() { valid_ = WebPPictureInit(&picture_); }
    ~EncoderPicture() { WebPPictureFree(&picture_); }
    EncoderPicture(const EncoderPicture&) = delete;
    EncoderPicture& operator=(const EncoderPicture&) = delete;
    WebPPicture* get() { return valid_ ? &picture_ : nullptr; }

private:
    WebPPicture picture_{};
    bool valid_ = false;
};

int writeToSink(const std::uint8_t* data, std::size_t size, const WebPPicture* picture)
{
    return static_cast<ByteSink*>(picture->custom_ptr)->write(data, size) ? 1 : 0;
}

class Mux {
public:
    Mux() : mux_(WebPMuxNew()) {}
    ~Mux() { WebPMuxDelete(mux_); }
    Mux(const Mux&) = delete;
    Mux& operator=(const Mux&) = delete;
    WebPMux* get() const { return mux_; }

private:
    WebPMux* mux_;
};

// The encoder writes a simple file; the profile needs the extended layout, which the mux makes.
WriteResult writeWithProfile(ByteSink& sink, const HDIB& image, const WebpSettings& settings)
{
    MemorySink simple;
    WebpSettings plain = settings;
    plain.iccProfile = {};
    if (const WriteResult encoded = WriteWebp(simple, image, plain); encoded != WriteResult::Written)
        return encoded;
    const std::vector<std::uint8_t> bytes = simple.take();
    const WebPData picture{bytes.data(), bytes.size()};
    const WebPData profile{settings.iccProfile.data(), settings.iccProfile.size()};
    Mux mux;
    WebPData assembled{};
    if (!mux.get() || WebPMuxSetImage(mux.get(), &picture, 0) != WEBP_MUX_OK
        || WebPMuxSetChunk(mux.get(), "ICCP", &profile, 1) != WEBP_MUX_OK
        || WebPMuxAssemble(mux.get(), &assembled) != WEBP_MUX_OK)
        return {WriteResult::OutOfMemory, {FileProblem::OutOfMemory}};
    const bool written = sink.write(assembled.bytes, assembled.size);
    WebPDataClear(&assembled);
    return written ? WriteResult::Written : WriteResult::NotWritten;
}

}  // namespace

WriteResult WriteWebp(ByteSink& sink, const HDIB& image, const WebpSettings& settings)
{
    if (!settings.iccProfile.empty())
        return writeWithProfile(sink, image, settings);
    if (!image || image.width() > WEBP_MAX_DIMENSION || image.height() > WEBP_MAX_DIMENSION)
        return {WriteResult::NotWritten, {FileProblem::TooLarge, "WebP"}};
    // 24-bit rows go to the library as they lie (bottom-up, blue first); others are widened.
    const bool direct = image.bitCount() == 24;
    const std::vector<std::uint8_t> rgb = direct ? std::vector<std::uint8_t>() : TopDownRgb(image);
    WebPConfig config;
    EncoderPicture holder;
    WebPPicture* picture = holder.get();
    if ((!direct && rgb.empty()) || !picture || !WebPConfigInit(&config))
        return {WriteResult::OutOfMemory, {FileProblem::OutOfMemory}};
    config.quality = float(std::clamp(settings.quality, 1, 100));
    config.lossless = settings.lossless ? 1 : 0;
    picture->use_argb = config.lossless;
    picture->width = image.width();
    picture->height = image.height();
    picture->writer = writeToSink;
    picture->custom_ptr = &sink;
    const int imported = direct ? WebPPictureImportBGR(picture, image.row(image.height() - 1), -int(image.stride()))
                                : WebPPictureImportRGB(picture, rgb.data(), image.width() * 3);
    if (!imported)
        return {WriteResult::OutOfMemory, {FileProblem::OutOfMemory}};
    if (!WebPEncode(&config, picture)) {
        // A failed write is the sink's to explain.
        if (picture->error_code == VP8_ENC_ERROR_BAD_WRITE)
            return WriteResult::NotWritten;
        return {WriteResult::OutOfMemory, {FileProblem::OutOfMemory}};
    }
    return WriteResult::Written;
}

WriteResult WriteWebp(const std::string& path, const HDIB& image, const WebpSettings& settings)
{
    return WriteImageFile(path, [&](ByteSink& sink) { return WriteWebp(sink, image, settings); });
}

}  // namespace lv
