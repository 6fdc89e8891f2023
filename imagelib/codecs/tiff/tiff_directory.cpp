#include "imagelib/codecs/tiff/tiff_directory.h"

#include "common/little_endian.h"
#include "imagelib/dib.h"

#include <cstring>
#include <limits>

namespace lv {
namespace {

constexpr std::size_t kEntrySize = 12;

enum TiffTag : std::uint16_t {
    kImageWidth = 256,
    kImageLength = 257,
    kBitsPerSample = 258,
    kCompression = 259,
    kPhotometric = 262,
    kMake = 271,
    kStripOffsets = 273,
    kSamplesPerPixel = 277,
    kRowsPerStrip = 278,
    kStripByteCounts = 279,
    kXResolution = 282,
    kYResolution = 283,
    kPlanarConfiguration = 284,
    kResolutionUnit = 296,
    kPredictor = 317,
    kColorMap = 320,
    kIccProfile = 34675,
};

constexpr std::uint8_t kCameraMake[6] = {'R', 'I', 'C', 'O', 'H', 0};

std::uint32_t fieldSize(std::uint16_t type)
{
    switch (type) {
    case 3: case 8:
        return 2;
    case 1: case 2: case 6: case 7:
        return 1;
    case 5: case 10: case 12:
        return 8;
    default:
        return 4;
    }
}

struct Entry {
    std::uint16_t tag;
    std::uint16_t type;
    std::uint32_t count;
    const std::uint8_t* field;
};

class DirectoryParser {
public:
    DirectoryParser(ByteSource& source, const TiffByteOrder& order)
        : source_(source)
        , order_(order)
    {
    }

    // The first value, from the entry or from where its offset points; `fallback` when unreadable.
    std::uint32_t first(const Entry& e, std::uint32_t fallback)
    {
        const std::uint32_t size = fieldSize(e.type);
        std::uint8_t bytes[4];
        const std::uint8_t* p = e.field;
        if (std::uint64_t(e.count) * size > 4) {
            if (!source_.seek(order_.u32(e.field)) || !source_.readExact(bytes, std::min<std::uint32_t>(size, 4)))
                return fallback;
            p = bytes;
        }
        if (size == 1)
            return p[0];
        return size == 2 ? order_.u16(p) : order_.u32(p);
    }

    TiffRational rational(const Entry& e)
    {
        std::uint8_t bytes[8];
        if (!source_.seek(order_.u32(e.field)) || !source_.readExact(bytes, 8))
            return {};
        return {order_.u32(bytes), order_.u32(bytes + 4)};
    }

    static TiffValueList list(const Entry& e)
    {
        TiffValueList l;
        l.count = e.count;
        l.type = e.type == 0 ? kTiffLong : e.type;
        std::memcpy(l.field, e.field, 4);
        return l;
    }

    bool isCameraMake(const Entry& e)
    {
        std::uint8_t text[sizeof kCameraMake];
        if (e.count < sizeof text)
            return false;
        return source_.seek(order_.u32(e.field)) && source_.readExact(text, sizeof text) &&
               std::memcmp(text, kCameraMake, sizeof text) == 0;
    }

private:
    ByteSource& source_;
    const TiffByteOrder& order_;
};

}  // namespace

std::uint16_t TiffByteOrder::u16(const std::uint8_t* p) const
{
    return bigEndian ? LoadBE16(p) : LoadLE16(p);
}

std::uint32_t TiffByteOrder::u32(const std::uint8_t* p) const
{
    return bigEndian ? LoadBE32(p) : LoadLE32(p);
}

std::optional<TiffInfo> ReadTiffDirectory(ByteSource& source)
{
    std::uint8_t header[8];
    if (!source.seek(0) || !source.readExact(header, sizeof header))
        return std::nullopt;
    TiffInfo info;
    if (header[0] == 'M' && header[1] == 'M')
        info.order.bigEndian = true;
    else if (header[0] != 'I' || header[1] != 'I')
        return std::nullopt;

    std::uint8_t countBytes[2];
    if (!source.seek(info.order.u32(header + 4)) || !source.readExact(countBytes, 2))
        return std::nullopt;
    const std::uint16_t count = info.order.u16(countBytes);
    if (count > kTiffMaxEntries)
        return std::nullopt;
    std::uint8_t entries[kTiffMaxEntries * kEntrySize];
    if (!source.readExact(entries, count * kEntrySize))
        return std::nullopt;

    DirectoryParser parse(source, info.order);
    bool rowsPerStripGiven = false;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* p = entries + i * kEntrySize;
        const Entry e{info.order.u16(p), info.order.u16(p + 2), info.order.u32(p + 4), p + 8};
        switch (e.tag) {
        case kImageWidth: info.width = parse.first(e, 0); break;
        case kImageLength: info.height = parse.first(e, 0); break;
        case kBitsPerSample: info.bitsPerSample = parse.first(e, 1); break;
        case kCompression: info.compression = parse.first(e, 1); break;
        case kPhotometric: info.photometric = parse.first(e, 1); break;
        case kSamplesPerPixel: info.samplesPerPixel = parse.first(e, 1); break;
        case kRowsPerStrip:
            info.rowsPerStrip = parse.first(e, 0);
            rowsPerStripGiven = true;
            break;
        case kStripOffsets: info.stripOffsets = DirectoryParser::list(e); break;
        case kStripByteCounts: info.stripByteCounts = DirectoryParser::list(e); break;
        case kXResolution: info.xResolution = parse.rational(e); break;
        case kYResolution: info.yResolution = parse.rational(e); break;
        case kPlanarConfiguration: info.planarConfiguration = parse.first(e, 1); break;
        case kResolutionUnit: info.resolutionUnit = parse.first(e, 0); break;
        case kPredictor: info.predictor = parse.first(e, 1); break;
        case kColorMap:
            info.colorMap = DirectoryParser::list(e);
            info.colorMap.type = kTiffShort;
            break;
        case kMake: info.camera = parse.isCameraMake(e); break;
        case kIccProfile: info.iccProfile = DirectoryParser::list(e); break;
        default: break;
        }
    }
    if (!rowsPerStripGiven)
        info.rowsPerStrip = info.height;
    return info;
}

std::optional<std::vector<std::uint32_t>> ReadTiffValues(ByteSource& source, const TiffByteOrder& order,
                                                          const TiffValueList& list)
{
    const std::uint32_t size = list.type == kTiffShort ? 2 : 4;
    const std::uint64_t bytes = std::uint64_t(list.count) * size;
    std::vector<std::uint8_t> raw;
    const std::uint8_t* p = list.field;
    if (bytes > 4) {
        const std::uint32_t offset = order.u32(list.field);
        if (offset > source.size() || bytes > source.size() - offset || !source.seek(offset))
            return std::nullopt;
        raw.resize(std::size_t(bytes));
        if (!source.readExact(raw.data(), raw.size()))
            return std::nullopt;
        p = raw.data();
    }
    std::vector<std::uint32_t> values(list.count);
    for (std::uint32_t i = 0; i < list.count; ++i)
        values[i] = size == 2 ? order.u16(p + 2 * i) : order.u32(p + 4 * i);
    return values;
}

std::int32_t TiffPixelsPerMeter(const TiffRational& resolution, std::uint32_t unit)
{
    std::uint64_t dpi = resolution.denominator == 0 ? 0 : resolution.numerator / resolution.denominator;
    if (unit == 3)
        dpi = (dpi * 10000 + 3936) / 3937;
    else if (unit != 2)
        dpi = 0;
    const std::int64_t ppm = PixelsPerMetreFromDpi(std::int64_t(dpi));
    return ppm > std::numeric_limits<std::int32_t>::max() ? 0 : std::int32_t(ppm);
}

}  // namespace lv
