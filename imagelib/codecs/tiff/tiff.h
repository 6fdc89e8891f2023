#pragma once
// Tagged image files: strips, uncompressed or LZW, in either byte order, and the camera
// variant; written in one fixed Intel-ordered layout.

#include "common/byte_sink.h"
#include "common/byte_source.h"
#include "imagelib/codecs/codec_result.h"
#include "imagelib/codecs/row_sources.h"

#include <cstdint>
#include <span>
#include <string>

namespace lv {

// Where the writer puts things.
inline constexpr std::uint32_t kTiffWrittenEntries = 16;
inline constexpr std::uint32_t kTiffXResolutionOffset = 206;
inline constexpr std::uint32_t kTiffYResolutionOffset = 214;
inline constexpr std::uint32_t kTiffDocumentNameOffset = 222;
inline constexpr std::uint32_t kTiffTablesOffset = 238;  // bits per sample (24-bit) or colour map

// Failure (0) for anything that isn't a readable TIFF of a supported kind, or on cancel;
// Broken (-2) when the file can't be opened.
ReadResult ReadTiff(const std::string& path);
ReadResult ReadTiff(ByteSource& source);

// LZW-compressed when CurrentSaveOptions().compress is set. NotWritten for a null picture
// or on cancel, CannotCreate, Failed on a write error. A 24-bit picture carries a non-empty
// `iccProfile` after its pixels, named by the directory's last entry.
WriteResult WriteTiff(const std::string& path, const HDIB& image, std::span<const std::uint8_t> iccProfile = {});
WriteResult WriteTiff(ByteSink& sink, const HDIB& image, std::span<const std::uint8_t> iccProfile = {});
// The same file for a 24-bit picture that comes a band of rows at a time: NotWritten also
// when the rows stop coming, and then `rows.failure()` says why.
WriteResult WriteTiff(ByteSink& sink, RgbRowSource& rows, const StreamedFacts& facts);

}  // namespace lv
