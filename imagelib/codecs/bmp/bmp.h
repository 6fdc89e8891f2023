#pragma once
// Windows bitmap files.

#include "common/byte_sink.h"
#include "common/byte_source.h"
#include "imagelib/codecs/codec_result.h"

#include <cstdint>
#include <optional>
#include <string>

namespace lv {

inline constexpr std::size_t kBmpFileHeaderSize = 14;
inline constexpr std::size_t kBmpRleChunkSize = 20480;

// The validated description of a bitmap file's headers.
struct BmpLayout {
    BitmapInfoHeader header;  // widened to 40 bytes; biClrUsed and biSizeImage as the picture will hold them
    std::uint32_t fileHeaderSize;  // 12, 40, or a longer header read as the 40 bytes it starts with
    std::uint32_t dataOffset;      // 0 means "straight after the colour table"
    std::uint16_t fileBitCount;    // 16 and 32 are widened to 24 on reading
    std::uint32_t compression;     // 0, 1 (8-bit run-length), 2 (4-bit run-length) or 3 (bit fields)
    std::uint32_t fileSizeImage;   // the file's own count of pixel bytes (0: not given)
    std::uint32_t masks[3];        // red, green, blue of 16- and 32-bit pixels
    bool masksFollowHeader;        // bit fields after a 40-byte header: 12 bytes before the table
    bool topDown;
};

// Reads and checks the file header and information header; the one gate of both probe
// and decoder. On failure holds the reader result to return and its cause.
struct BmpHeaderCheck {
    std::optional<BmpLayout> layout;
    ReadCode failure = ReadCode::Failure;
    FileFailure cause{FileProblem::Corrupt, {}};
};
BmpHeaderCheck ReadBmpHeaders(ByteSource& source);

ReadResult ReadBmp(const std::string& path);
ReadResult ReadBmp(ByteSource& source);

// Out-of-range resolution is set to 7874 pixels per metre in the image itself too.
WriteResult WriteBmp(const std::string& path, HDIB& image);
WriteResult WriteBmp(ByteSink& sink, HDIB& image);

}  // namespace lv
