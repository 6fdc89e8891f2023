#pragma once
// JPEG files through the JPEG library: 8-bit grey and 24-bit colour pictures.

#include "common/byte_sink.h"
#include "common/byte_source.h"
#include "imagelib/codecs/codec_result.h"

#include <cstdint>
#include <span>
#include <string>

namespace lv {

// Failure (0) for data that isn't JPEG, a decoder error, output with other than 1 or 3
// components, exhausted memory or cancellation; Broken (-2) when the file can't be
// opened. Density in dots per inch or per centimetre becomes pixels per metre.
ReadResult ReadJpeg(const std::string& path);
// On success the source stands just past the JPEG data.
ReadResult ReadJpeg(ByteSource& source);

// The picture reduced to 1/2, 1/4 or 1/8 while it keeps at least the pixels it takes when
// fitted, its shape kept, into a box of boxWidth × boxHeight (the resolution shrinks with it);
// the whole picture when no reduction keeps them. Printing
// uses it for photos drawn much smaller than they are: the printer's pixels are then all there is.
ReadResult ReadJpegAtLeast(ByteSource& source, int boxWidth, int boxHeight);
ReadResult ReadJpegAtLeast(const std::string& path, int boxWidth, int boxHeight);
// The same where the picture must keep at least minWidth × minHeight pixels in both
// directions (as stored, before any turn), for scaling to exactly that size. The resolution
// stays the file's: the scaling that follows sets the size that counts.
ReadResult ReadJpegCovering(ByteSource& source, int minWidth, int minHeight);
ReadResult ReadJpegCovering(const std::string& path, int minWidth, int minHeight);

// Grey 8-bit and 24-bit pictures only; others are refused, DepthNotWritable carrying the
// indexed-image message (NotWritten, and no file is created). CannotCreate when the file
// can't be made (the result says why); NotWritten when cancelled; Failed when the data
// could not be written. A non-empty `iccProfile` is embedded in APP2 markers.
WriteResult WriteJpeg(const std::string& path, const HDIB& image, int quality,
                      std::span<const std::uint8_t> iccProfile = {});
WriteResult WriteJpeg(ByteSink& sink, const HDIB& image, int quality, std::span<const std::uint8_t> iccProfile = {});

}  // namespace lv
