#include "imagelib/codecs/webp/webp.h"

#include "imagelib/codecs/memory_decode.h"

#include <webp/decode.h>
#include <webp/demux.h>

#include <cstring>
#include <memory>

namespace lv {
namespace {

struct DemuxDelete {
    void operator()(WebPDemuxer* demux) const { WebPDemuxDelete(demux); }
};
struct AnimDecoderDelete {
    void operator()(WebPAnimDecoder* decoder) const { WebPAnimDecoderDelete(decoder); }
};

bool isWebp(std::span<const std::uint8_t> bytes)
{
    return bytes.size() >= 12 && std::memcmp(bytes.data(), "RIFF", 4) == 0 && std::memcmp(bytes.data() + 8, "WEBP", 4) == 0;
}

// An animation's first frame is composed on its canvas by the library's own decoder.
FileFailure decodeFirstFrame(const WebPData& data, HDIB& picture)
{
    WebPAnimDecoderOptions options;
    if (!WebPAnimDecoderOptionsInit(&options))
        return {FileProblem::Unsupported, "libwebp"};
    options.color_mode = MODE_RGBA;
    options.use_threads = 0;
    const std::unique_ptr<WebPAnimDecoder, AnimDecoderDelete> decoder(WebPAnimDecoderNew(&data, &options));
    std::uint8_t* frame = nullptr;
    int timestamp = 0;
    if (!decoder || !WebPAnimDecoderGetNext(decoder.get(), &frame, &timestamp))
        return {FileProblem::Corrupt, "WebP animation"};
    StoreTopDownRgb(picture, frame, std::size_t(picture.width()) * 4, 4);
    return {};
}

// A still picture decodes straight into the picture's rows, flipped to bottom-up.
FileFailure decodeStill(const WebPData& data, HDIB& picture)
{
    WebPDecoderConfig config;
    if (!WebPInitDecoderConfig(&config))
        return {FileProblem::Unsupported, "libwebp"};
    config.options.flip = 1;
    config.output.colorspace = MODE_BGR;
    config.output.is_external_memory = 1;
    config.output.u.RGBA.rgba = picture.pixels();
    config.output.u.RGBA.stride = int(picture.stride());
    config.output.u.RGBA.size = picture.stride() * std::size_t(picture.height());
    const VP8StatusCode status = WebPDecode(data.bytes, data.size, &config);
    WebPFreeDecBuffer(&config.output);
    if (status == VP8_STATUS_OK)
        return {};
    return {status == VP8_STATUS_NOT_ENOUGH_DATA ? FileProblem::Truncated : FileProblem::Corrupt, "WebP"};
}

}  // namespace

ReadResult ReadWebp(ByteSource& source)
{
    std::uint8_t head[12];
    if (!source.readExact(head, sizeof head) || !isWebp(head) || !source.seek(0))
        return ReadCode::NotThisFormat;
    std::vector<std::uint8_t> bytes;
    if (FileFailure failure = ReadRestIntoMemory(source, bytes))
        return UnreadInput(failure);
    const WebPData data{bytes.data(), bytes.size()};
    WebPDemuxState state = WEBP_DEMUX_PARSE_ERROR;
    const std::unique_ptr<WebPDemuxer, DemuxDelete> demux(WebPDemuxPartial(&data, &state));
    if (!demux || state != WEBP_DEMUX_DONE)
        return DecodeFailure(state == WEBP_DEMUX_PARSE_ERROR || !demux ? FileProblem::Corrupt : FileProblem::Truncated,
                             "WebP");
    const std::uint32_t width = WebPDemuxGetI(demux.get(), WEBP_FF_CANVAS_WIDTH);
    const std::uint32_t height = WebPDemuxGetI(demux.get(), WEBP_FF_CANVAS_HEIGHT);
    const std::uint32_t flags = WebPDemuxGetI(demux.get(), WEBP_FF_FORMAT_FLAGS);
    FilePicture allocated = AllocateDecodedPicture(width, height, bytes.size());
    if (!allocated.picture)
        return RefusedPicture(allocated.failure);
    const FileFailure failure
        = (flags & ANIMATION_FLAG) ? decodeFirstFrame(data, allocated.picture) : decodeStill(data, allocated.picture);
    if (failure)
        return {ReadCode::NotThisFormat, failure};
    ReadResult result(std::move(allocated.picture));
    WebPChunkIterator chunk;
    if ((flags & ICCP_FLAG) && WebPDemuxGetChunk(demux.get(), "ICCP", 1, &chunk)) {
        result.facts().iccProfile.assign(chunk.chunk.bytes, chunk.chunk.bytes + chunk.chunk.size);
        WebPDemuxReleaseChunkIterator(&chunk);
    }
    return result;
}

ReadResult ReadWebp(const std::string& path)
{
    return ReadFileWith(path, [](ByteSource& source) { return ReadWebp(source); });
}

}  // namespace lv
