#include "imagelib/codecs/png/png_icc.h"

#include "imagelib/colour/colour_profile.h"

namespace lv {

void ReadPngIccProfile(png_structp png, png_infop info, std::vector<std::uint8_t>& profile)
{
    profile.clear();
    png_charp name = nullptr;
    int compression = 0;
    png_bytep bytes = nullptr;
    png_uint_32 length = 0;
    if (png_get_iCCP(png, info, &name, &compression, &bytes, &length) && bytes && length <= kMaxColourProfileBytes)
        profile.assign(bytes, bytes + length);
}

bool WritePngIccProfile(png_structp png, png_infop info, std::span<const std::uint8_t> profile)
{
    // The library stops the write on a profile it finds unfit; only sound RGB ones are offered.
    if (!IsUsableRgbProfile(profile))
        return false;
    char name[] = "ICC profile";
    png_set_iCCP(png, info, name, PNG_COMPRESSION_TYPE_BASE, profile.data(), png_uint_32(profile.size()));
    return png_get_valid(png, info, PNG_INFO_iCCP) != 0;
}

}  // namespace lv
