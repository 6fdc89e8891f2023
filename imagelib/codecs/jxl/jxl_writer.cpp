#include "imagelib/codecs/jxl/jxl.h"

#include "imagelib/codecs/image_file.h"
#include "imagelib/codecs/jxl/jxl_runner.h"
#include "imagelib/codecs/memory_decode.h"

#include <algorithm>
#include <cmath>

namespace lv {
namespace {

constexpr std::size_t kOutputChunk = 1 << 16;

WriteResult encoderFailure() { return {WriteResult::NotWritten, {FileProblem::Unsupported, "JPEG XL"}}; }

}  // namespace

float JxlDistanceForQuality(int quality)
{
    const double q = std::clamp(quality, 1, 100);
    return float(q >= 30 ? 0.1 + (100 - q) * 0.09 : 6.4 + std::pow(2.5, (30 - q) / 5.0) / 6.25);
}

WriteResult WriteJxl(ByteSink& sink, const HDIB& image, const JxlSettings& settings)
{
    const JxlLibrary* library = LoadedJxlLibrary();
    if (!library)
        return encoderFailure();
    const JxlLibrary& jxl = *library;
    const std::vector<std::uint8_t> rgb = image ? TopDownRgb(image) : std::vector<std::uint8_t>();
    const std::unique_ptr<JxlEncoder, JxlEncoderFree> encoder(jxl.JxlEncoderCreate(nullptr), {&jxl});
    const JxlRunner runner = MakeJxlRunner(jxl);
    if (rgb.empty() || !encoder || !runner)
        return {WriteResult::OutOfMemory, {FileProblem::OutOfMemory}};
    jxl.JxlEncoderSetParallelRunner(encoder.get(), jxl.JxlThreadParallelRunner, runner.get());

    JxlBasicInfo info;
    jxl.JxlEncoderInitBasicInfo(&info);
    info.xsize = std::uint32_t(image.width());
    info.ysize = std::uint32_t(image.height());
    info.bits_per_sample = 8;
    info.num_color_channels = 3;
    info.uses_original_profile = settings.lossless ? JXL_TRUE : JXL_FALSE;
    JxlColorEncoding colour;
    jxl.JxlColorEncodingSetToSRGB(&colour, JXL_FALSE);
    if (jxl.JxlEncoderSetBasicInfo(encoder.get(), &info) != JXL_ENC_SUCCESS
        || jxl.JxlEncoderSetColorEncoding(encoder.get(), &colour) != JXL_ENC_SUCCESS)
        return encoderFailure();
    JxlEncoderFrameSettings* frame = jxl.JxlEncoderFrameSettingsCreate(encoder.get(), nullptr);
    if (!frame)
        return encoderFailure();
    if (settings.lossless)
        jxl.JxlEncoderSetFrameLossless(frame, JXL_TRUE);
    else
        jxl.JxlEncoderSetFrameDistance(frame, JxlDistanceForQuality(settings.quality));
    const JxlPixelFormat format = {3, JXL_TYPE_UINT8, JXL_NATIVE_ENDIAN, 0};
    if (jxl.JxlEncoderAddImageFrame(frame, &format, rgb.data(), rgb.size()) != JXL_ENC_SUCCESS)
        return encoderFailure();
    jxl.JxlEncoderCloseInput(encoder.get());

    std::vector<std::uint8_t> chunk(kOutputChunk);
    for (;;) {
        std::uint8_t* next = chunk.data();
        std::size_t available = chunk.size();
        const JxlEncoderStatus status = jxl.JxlEncoderProcessOutput(encoder.get(), &next, &available);
        if (status == JXL_ENC_ERROR)
            return encoderFailure();
        if (!sink.write(chunk.data(), std::size_t(next - chunk.data())))
            return WriteResult::NotWritten;
        if (status == JXL_ENC_SUCCESS)
            return WriteResult::Written;
    }
}

WriteResult WriteJxl(const std::string& path, const HDIB& image, const JxlSettings& settings)
{
    return WriteImageFile(path, [&](ByteSink& sink) { return WriteJxl(sink, image, settings); });
}

}  // namespace lv
