#pragma once
// What the JPEG readers refuse and how they read density, shared so that every JPEG entry
// point accepts exactly the same files.

#include <cstdint>
#include <cstdio>  // jpeglib.h uses FILE and size_t without including their headers
#include <jpeglib.h>

namespace lv {

// Progress monitor that stops streams of more than 1000 scans (each scan makes the decoder
// walk the whole picture again).
void LimitJpegScans(j_common_ptr cinfo);

// Whether `dataLeft` bytes of Huffman-coded data could make a picture of `pictureBytes`:
// no real stream fills more than about 1500 bytes per byte, so 2048 is the bound.
bool JpegDataCanFill(std::uint64_t pictureBytes, std::uint64_t dataLeft);

// The JFIF density in pixels per metre (0 when the unit is no unit).
std::int32_t JpegPixelsPerMetre(int unit, unsigned density);

}  // namespace lv
