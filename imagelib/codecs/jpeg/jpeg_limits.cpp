#include "imagelib/codecs/jpeg/jpeg_limits.h"

#include "imagelib/dib.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/codecs/picture_budget.h"

#include <jerror.h>

namespace lv {
namespace {
constexpr std::uint64_t kBestCompressionRatio = 2048;
constexpr int kMaxScans = 1000;
constexpr int kDotsPerInch = 1;
constexpr int kDotsPerCentimetre = 2;
}  // namespace

void LimitJpegScans(j_common_ptr cinfo)
{
    if (reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxScans)
        ERREXIT(cinfo, JERR_NOTIMPL);
}

bool JpegDataCanFill(std::uint64_t pictureBytes, std::uint64_t dataLeft)
{
    return pictureBytes != 0 && pictureBytes <= dataLeft * kBestCompressionRatio;
}

FileFailure ReadJpegHeaderForOutput(j_decompress_ptr cinfo, jpeg_progress_mgr& progress,
                                    const JpegSourceManager& input, const ByteSource& source)
{
    progress.progress_monitor = LimitJpegScans;
    cinfo->progress = &progress;
    jpeg_read_header(cinfo, TRUE);
    // The library's default output, with colour delivered in the picture's blue-green-red order.
    if (cinfo->out_color_space == JCS_RGB)
        cinfo->out_color_space = JCS_EXT_BGR;
    jpeg_calc_output_dimensions(cinfo);
    const int components = cinfo->output_components;
    if (components != 1 && components != 3)
        return {FileProblem::Unsupported, "JPEG de " + std::to_string(components) + " componentes"};
    const std::uint64_t left = source.remaining() + input.library.bytes_in_buffer;
    const std::uint64_t pictureBytes = PictureBytes(cinfo->output_width, cinfo->output_height, 8u * unsigned(components));
    if (!JpegDataCanFill(pictureBytes, left))
        return {FileProblem::TooLarge, {}};
    return CheckPictureBudget(pictureBytes, left);
}

std::int32_t JpegPixelsPerMetre(int unit, unsigned density)
{
    if (unit == kDotsPerInch)
        return std::int32_t(PixelsPerMetreFromDpi(density));
    if (unit == kDotsPerCentimetre)
        return std::int32_t(density) * 100;
    return 0;
}

}  // namespace lv
