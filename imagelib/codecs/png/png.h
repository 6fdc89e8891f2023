#pragma once
// PNG files through the PNG library: every PNG reads as a 24-bit picture; 8-bit and
// 24-bit pictures are written.

#include "common/byte_sink.h"
#include "common/byte_source.h"
#include "imagelib/codecs/codec_result.h"

#include <cstdint>
#include <span>
#include <string>

namespace lv {

// NotThisFormat (-1) when the file can't be opened or isn't PNG, and when the library
// fails, with its message as the detail of the failure's cause (cut or damaged). Broken
// (-2) when cancelled, Failure (0) when memory runs out. Samples are cut to 8 bits, grey
// and palette become RGB, alpha is dropped (not composited) and the display gamma is
// applied: the sRGB intent when declared, else screen gamma 2.2 against the file's gamma,
// or 0.5 when the file has none; a file with an ICC profile (iCCP) is read as stored and
// its profile goes into the result's facts.
ReadResult ReadPng(const std::string& path);
ReadResult ReadPng(ByteSource& source);

enum class PngWriteResult : int {
    Written = 1,
    Refused = 0,           // not an 8-bit or 24-bit picture (no file is made)
    NoWriteStruct = -1,    // the library's write structure could not be created
    NoInfoStruct = -2,     // nor its information structure
    EncoderError = -3,     // the library failed, or the data could not be written
    NotCreated = -5,       // the file could not be created
    UnsupportedKind = -6,  // the stream writer was given a picture it can't write
};

// Adam7-interlaced, 8 bits per sample: 24-bit pictures as RGB, 8-bit ones as grey made
// of the red component of each pixel's palette entry. Carries the text entries "Title"
// "None", "Author" "Unknown" and a compressed empty "Description", and declares the gamma
// 1/2.2 so that the file reads back exactly.
// `failure`, when given, says why a file could not be created or written. With `alpha`, an
// 8-bit picture of the same size (255 opaque), the file carries it as its alpha channel: RGB
// with alpha (colour type 6), or grey with alpha (4); an alpha of another size is refused.
// A 24-bit picture with an `iccProfile` carries it in an iCCP chunk instead of the gamma.
PngWriteResult WritePng(const std::string& path, const HDIB& image, FileFailure* failure = nullptr,
                        const HDIB* alpha = nullptr, std::span<const std::uint8_t> iccProfile = {});
PngWriteResult WritePng(ByteSink& sink, const HDIB& image, const HDIB* alpha = nullptr,
                        std::span<const std::uint8_t> iccProfile = {});

}  // namespace lv
