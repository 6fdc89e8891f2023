#pragma once
// The layout of a Photoshop document (".PSD"), as far as the import reads it: the header,
// the layer records and where each channel's data lies. Every number in the file is
// big-endian. Nothing here decodes pixels.

#include "common/byte_source.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace lv {

enum PsdColourMode : std::uint16_t {
    kPsdBitmap = 0,
    kPsdGreyscale = 1,
    kPsdIndexed = 2,
    kPsdRgb = 3,
    kPsdCmyk = 4,
    kPsdMultichannel = 7,
    kPsdDuotone = 8,
    kPsdLab = 9,
};

inline constexpr std::size_t kPsdHeaderBytes = 26;
// The format's own limit on either side of a document.
inline constexpr std::int64_t kPsdMaxSide = 30000;

struct PsdHeader {
    std::uint16_t version = 0;
    std::uint16_t channels = 0;
    std::uint32_t height = 0;
    std::uint32_t width = 0;
    std::uint16_t depth = 0;  // bits per channel
    std::uint16_t mode = 0;   // PsdColourMode
};

struct PsdRect {
    std::int32_t top = 0;
    std::int32_t left = 0;
    std::int32_t bottom = 0;
    std::int32_t right = 0;
    std::int64_t width() const { return std::int64_t(right) - left; }
    std::int64_t height() const { return std::int64_t(bottom) - top; }
    bool operator==(const PsdRect&) const = default;
};

// Channel identifiers the import uses; 0, 1 and 2 are red, green and blue (grey is 0).
inline constexpr std::int16_t kPsdTransparencyChannel = -1;
inline constexpr std::int16_t kPsdUserMaskChannel = -2;

struct PsdChannel {
    std::int16_t id = 0;
    std::uint32_t length = 0;  // bytes, the compression code included
    std::uint64_t offset = 0;  // file position of the compression code
};

// What the "lsct" block says a record is: group folders and their end markers carry no pixels.
enum class PsdSection : std::uint32_t { Layer = 0, OpenFolder = 1, ClosedFolder = 2, Divider = 3 };

struct PsdLayerRecord {
    PsdRect rect;
    std::vector<PsdChannel> channels;
    std::array<char, 4> blendKey{};  // "norm" for normal
    std::uint8_t opacity = 255;
    std::uint8_t clipping = 0;
    std::uint8_t flags = 0;  // bit 1: hidden
    std::uint32_t maskDataLength = 0;
    PsdRect maskRect;             // bounds of the user mask channel
    std::uint8_t maskDefault = 0;  // the mask's value outside maskRect
    std::uint8_t maskFlags = 0;    // bit 1: mask disabled
    std::string name;              // UTF-8: the Unicode name when the record has one
    PsdSection section = PsdSection::Layer;

    bool hidden() const { return (flags & 2) != 0; }
    bool hasMaskRect() const { return maskDataLength >= 20; }
    // Some writers store the key byte-swapped ("mron").
    bool normalBlend() const
    {
        return (blendKey == std::array<char, 4>{'n', 'o', 'r', 'm'} || blendKey == std::array<char, 4>{'m', 'r', 'o', 'n'}) &&
               clipping == 0;
    }
    const PsdChannel* channel(std::int16_t id) const;
};

struct PsdStructure {
    PsdHeader header;
    std::int32_t xPelsPerMeter = 0;  // from the resolution resource; 0 when absent
    std::int32_t yPelsPerMeter = 0;
    std::int16_t declaredLayerCount = 0;  // as the file gives it (negative: merged alpha)
    std::vector<PsdLayerRecord> layers;   // file order: the bottom layer first
    std::uint64_t mergedDataOffset = 0;   // file position of the merged image's compression code
    std::uint64_t fileSize = 0;
};

enum class PsdProblem {
    None,
    NotPsd,            // no "8BPS" signature
    Broken,            // a length, size or count the file cannot hold
    UnsupportedMode,   // colour modes other than RGB and greyscale
    UnsupportedDepth,  // other than 8 or 16 bits per channel
};

struct PsdParse {
    PsdProblem problem = PsdProblem::Broken;
    PsdStructure structure;
};

// Reads the header, the resolution and the layer records from the source's start, and
// checks that every channel's data lies within the file. Pixels are not read.
PsdParse ReadPsdStructure(ByteSource& source);

// Whether the depth and mode are ones the import reads (8- or 16-bit RGB or greyscale).
PsdProblem CheckPsdModeAndDepth(const PsdHeader& header);

}  // namespace lv
