#pragma once
// The first image file directory of a TIFF file: the tags the reader acts on, in either
// byte order.

#include "common/byte_source.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace lv {

inline constexpr std::uint16_t kTiffShort = 3;
inline constexpr std::uint16_t kTiffLong = 4;
// Directories with more entries than this are refused.
inline constexpr std::uint16_t kTiffMaxEntries = 26;

struct TiffByteOrder {
    bool bigEndian = false;
    std::uint16_t u16(const std::uint8_t* p) const;
    std::uint32_t u32(const std::uint8_t* p) const;
};

// Where a tag's values lie: in the entry's own value field when they fit in its four
// bytes, else at the offset that field holds.
struct TiffValueList {
    std::uint32_t count = 0;
    std::uint16_t type = 0;  // 0 when the tag is absent
    std::uint8_t field[4] = {};
    bool present() const { return type != 0; }
};

struct TiffRational {
    std::uint32_t numerator = 0;
    std::uint32_t denominator = 1;
};

struct TiffInfo {
    TiffByteOrder order;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t bitsPerSample = 1;  // the first value only
    std::uint32_t compression = 1;
    std::uint32_t photometric = 1;
    std::uint32_t samplesPerPixel = 1;
    std::uint32_t rowsPerStrip = 0;  // the height when the tag is absent
    TiffValueList stripOffsets;
    TiffValueList stripByteCounts;
    TiffRational xResolution;
    TiffRational yResolution;
    std::uint32_t planarConfiguration = 1;  // read, not acted on
    std::uint32_t resolutionUnit = 0;       // 0 when absent
    std::uint32_t predictor = 1;
    TiffValueList colorMap;  // always SHORT values
    bool camera = false;  // Make is "RICOH": 4:2:2 samples
    TiffValueList iccProfile;  // UNDEFINED bytes
};

// Reads the byte-order mark, the first directory and the values its tags point to.
// Nothing when the file isn't TIFF, the directory can't be read or has too many entries.
std::optional<TiffInfo> ReadTiffDirectory(ByteSource& source);

// The values of a list, SHORT ones as two bytes and all others as four; nothing when they
// lie beyond the end of the file.
std::optional<std::vector<std::uint32_t>> ReadTiffValues(ByteSource& source, const TiffByteOrder& order,
                                                          const TiffValueList& list);

// Resolution in pixels per metre: dots per inch from the rational, centimetres converted,
// 0 for any other unit.
std::int32_t TiffPixelsPerMeter(const TiffRational& resolution, std::uint32_t unit);

}  // namespace lv
