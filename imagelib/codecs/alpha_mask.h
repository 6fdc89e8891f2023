#pragma once
// The transparency a picture file carries beside its colours, which the readers drop: the
// alpha channel or transparency chunk of a PNG file, the alpha bits of a 32-bit Targa file
// and the fourth bytes of a 32-bit bitmap. It comes back as an 8-bit grey picture of the
// file's size, rows bottom-up like every picture: 255 opaque, 0 transparent.

#include "common/byte_source.h"
#include "common/file_problem.h"
#include "imagelib/dib.h"

#include <string>

namespace lv {

// Null when the file has no transparency, when every pixel is opaque, and for a file that
// can't be read (the colour reader reports those). Targa and bitmap files whose alpha bytes
// are all zero were written without alpha and count as opaque. What the user is to be told
// (a file that could not be opened, memory that ran out) goes to `notices` when given.
HDIB ReadAlphaMask(ByteSource& source, FileFailure* notices = nullptr);
HDIB ReadAlphaMask(const std::string& path, FileFailure* notices = nullptr);

// Whether a mask leaves any pixel less than opaque.
bool HasTransparency(const HDIB& mask);

}  // namespace lv
