#pragma once
// What the JPEG readers refuse and how they read density, shared so that every JPEG entry
// point accepts exactly the same files.

#include "common/byte_source.h"
#include "common/file_problem.h"
#include "imagelib/codecs/jpeg/jpeg_managers.h"

#include <cstdint>

namespace lv {

// Progress monitor that stops streams of more than 1000 scans (each scan makes the decoder
// walk the whole picture again).
void LimitJpegScans(j_common_ptr cinfo);

// Whether `dataLeft` bytes of Huffman-coded data could make a picture of `pictureBytes`:
// no real stream fills more than about 1500 bytes per byte, so 2048 is the bound.
bool JpegDataCanFill(std::uint64_t pictureBytes, std::uint64_t dataLeft);

// Reads the header and asks for the output ReadJpeg gives (colour in blue-green-red order).
// Why the file is refused, if it is: output other than 1 or 3 components, more picture than
// the data left could fill, or beyond the picture budget. Call inside the jump-back scope of
// a created decompressor whose source is attached; installs the scan limit as its progress
// monitor.
FileFailure ReadJpegHeaderForOutput(j_decompress_ptr cinfo, jpeg_progress_mgr& progress, const JpegSourceManager& input,
                             const ByteSource& source);

// The JFIF density in pixels per metre (0 when the unit is no unit).
std::int32_t JpegPixelsPerMetre(int unit, unsigned density);

}  // namespace lv
