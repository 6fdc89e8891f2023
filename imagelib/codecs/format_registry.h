#pragma once
// The library's table of file formats: extension, reader and writer, in trial order.

#include "imagelib/codecs/codec_result.h"

#include <span>
#include <string>
#include <string_view>

namespace lv {

using FileReader = ReadResult (*)(const std::string& path);
using FileWriter = WriteResult (*)(const std::string& path, HDIB& image);
// A writer that also carries what the reader learned beside the pixels (the colour profile).
using FactsWriter = WriteResult (*)(const std::string& path, HDIB& image, const PictureFacts& facts);

struct ImageFormat {
    int number;                    // position in trial order, 1-based
    std::string_view name;         // the canonical extension, upper-case
    std::string_view alternative;  // a second extension naming the same format, or empty
    FileReader read;
    FileWriter write;              // null for read-only formats
    FactsWriter writeWithFacts = nullptr;  // used instead of `write` when present
};

// Writes with the format's facts-carrying writer when it has one, else its plain one.
WriteResult WriteWithFacts(const ImageFormat& format, const std::string& path, HDIB& image, const PictureFacts& facts);

// Every format whose codec exists, in trial order.
std::span<const ImageFormat> ImageFormats();

// The format named by an upper-case extension, or null.
const ImageFormat* FindFormatByExtension(std::string_view upperExtension);

// The write slot (1..7) named by an upper-case extension, or 0. Only the seven slot
// names count: "JPEG" is a reading name, not a writing one.
int FindWriteSlot(std::string_view upperExtension);

// The format with this write-slot number (1 BMP, 2 TIF, 3 PCX, 4 GIF, 5 TGA, 6 JPG, 7 FPX), or null.
const ImageFormat* FindFormatByWriteSlot(int slot);

}  // namespace lv
