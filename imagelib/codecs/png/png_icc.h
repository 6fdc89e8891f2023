#pragma once
// The ICC profile of a PNG file: its iCCP chunk.

#include <png.h>

#include <cstdint>
#include <span>
#include <vector>

namespace lv {

// The profile after the file's header was read; left empty when there is none.
void ReadPngIccProfile(png_structp png, png_infop info, std::vector<std::uint8_t>& profile);

// Declares `profile` before the header is written; false when it is empty (nothing to write).
bool WritePngIccProfile(png_structp png, png_infop info, std::span<const std::uint8_t> profile);

}  // namespace lv
