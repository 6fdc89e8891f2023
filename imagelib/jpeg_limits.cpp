#include "imagelib/jpeg_limits.h"

#include "imagelib/dib.h"

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

std::int32_t JpegPixelsPerMetre(int unit, unsigned density)
{
    if (unit == kDotsPerInch)
        return std::int32_t(PixelsPerMetreFromDpi(density));
    if (unit == kDotsPerCentimetre)
        return std::int32_t(density) * 100;
    return 0;
}

}  // namespace lv
