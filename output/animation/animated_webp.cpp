#include "output/animation/animated_webp.h"

#include <webp/encode.h>
#include <webp/mux.h>

#include <memory>

namespace lv::animation {
namespace {

struct EncoderDeleter {
    void operator()(WebPAnimEncoder* e) const { WebPAnimEncoderDelete(e); }
};

// A picture that frees its buffers when it goes.
struct Picture {
    WebPPicture picture;
    Picture() { WebPPictureInit(&picture); }
    ~Picture() { WebPPictureFree(&picture); }
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;
};

struct Data {
    WebPData data;
    Data() { WebPDataInit(&data); }
    ~Data() { WebPDataClear(&data); }
    Data(const Data&) = delete;
    Data& operator=(const Data&) = delete;
};

// The frame's rows top first in red, green, blue order, as the encoder takes them.
std::vector<std::uint8_t> TopDownRgb(const HDIB& picture)
{
    const int w = picture.width(), h = picture.height();
    std::vector<std::uint8_t> rgb(std::size_t(w) * std::size_t(h) * 3);
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* bgr = picture.row(h - 1 - y);
        std::uint8_t* out = rgb.data() + std::size_t(y) * std::size_t(w) * 3;
        for (int x = 0; x < w; ++x) {
            out[3 * x] = bgr[3 * x + 2];
            out[3 * x + 1] = bgr[3 * x + 1];
            out[3 * x + 2] = bgr[3 * x];
        }
    }
    return rgb;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> EncodeAnimatedWebp(std::span<const Frame> frames, int loop, int quality)
{
    if (frames.empty())
        return std::nullopt;
    const int w = frames[0].picture.width(), h = frames[0].picture.height();
    if (w > WEBP_MAX_DIMENSION || h > WEBP_MAX_DIMENSION)
        return std::nullopt;
    WebPAnimEncoderOptions options;
    if (!WebPAnimEncoderOptionsInit(&options))
        return std::nullopt;
    options.anim_params.loop_count = loop;
    std::unique_ptr<WebPAnimEncoder, EncoderDeleter> encoder(WebPAnimEncoderNew(w, h, &options));
    WebPConfig config;
    if (!encoder || !WebPConfigInit(&config))
        return std::nullopt;
    config.quality = float(quality);
    int timestamp = 0;
    for (const Frame& frame : frames) {
        if (!frame.picture || frame.picture.width() != w || frame.picture.height() != h || frame.picture.bitCount() != 24)
            return std::nullopt;
        Picture picture;
        picture.picture.width = w;
        picture.picture.height = h;
        picture.picture.use_argb = 1;
        const std::vector<std::uint8_t> rgb = TopDownRgb(frame.picture);
        if (!WebPPictureImportRGB(&picture.picture, rgb.data(), w * 3) ||
            !WebPAnimEncoderAdd(encoder.get(), &picture.picture, timestamp, &config))
            return std::nullopt;
        timestamp += frame.delayMs;
    }
    Data data;
    if (!WebPAnimEncoderAdd(encoder.get(), nullptr, timestamp, nullptr) ||
        !WebPAnimEncoderAssemble(encoder.get(), &data.data))
        return std::nullopt;
    return std::vector<std::uint8_t>(data.data.bytes, data.data.bytes + data.data.size);
}

}  // namespace lv::animation
