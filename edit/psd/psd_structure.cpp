#include "edit/psd/psd_structure.h"

#include "common/text_encoding.h"
#include "edit/psd/psd_names.h"
#include "imagelib/dib.h"

#include <cstring>
#include <string_view>

namespace lv {
namespace {

constexpr std::uint16_t kResolutionResource = 0x03ED;
constexpr std::size_t kMaxChannelsPerLayer = 56;
// Rectangle, channel count, blend signature and key, opacity, clipping, flags, filler, extra length.
constexpr std::uint64_t kSmallestLayerRecord = 16 + 2 + 16 + 4;
constexpr std::uint64_t kChannelEntryBytes = 6;

// Big-endian fields one after another; the first short read marks the whole parse failed.
class FieldReader {
public:
    explicit FieldReader(ByteSource& source)
        : source_(source)
    {
    }

    bool ok() const { return ok_; }
    std::uint64_t position() const { return source_.position(); }
    std::uint64_t size() const { return source_.size(); }

    std::uint8_t u8() { return std::uint8_t(take(source_.readU8())); }
    std::uint16_t u16() { return std::uint16_t(take(source_.readBE16())); }
    std::int16_t i16() { return std::int16_t(u16()); }
    std::uint32_t u32() { return std::uint32_t(take(source_.readBE32())); }
    std::int32_t i32() { return std::int32_t(u32()); }
    std::array<char, 4> tag()
    {
        std::array<char, 4> t{};
        bytes(t.data(), t.size());
        return t;
    }
    void bytes(void* destination, std::size_t count)
    {
        if (ok_ && !source_.readExact(destination, count))
            ok_ = false;
    }
    // Moves to `position`, which must lie within the file.
    void seek(std::uint64_t position)
    {
        if (ok_ && (position > source_.size() || !source_.seek(position)))
            ok_ = false;
    }
    void skip(std::uint64_t count) { seek(position() + count); }
    // The end of a block of `length` bytes starting here; fails when the file is shorter.
    std::uint64_t endOf(std::uint64_t length)
    {
        if (length > source_.remaining())
            ok_ = false;
        return ok_ ? position() + length : position();
    }
    void fail() { ok_ = false; }

private:
    template<typename T>
    std::uint32_t take(const std::optional<T>& value)
    {
        if (!ok_ || !value) {
            ok_ = false;
            return 0;
        }
        return *value;
    }

    ByteSource& source_;
    bool ok_ = true;
};

bool isSignature(const std::array<char, 4>& tag)
{
    return std::memcmp(tag.data(), "8BIM", 4) == 0 || std::memcmp(tag.data(), "8B64", 4) == 0;
}

bool isKey(const std::array<char, 4>& tag, std::string_view key)
{
    return std::memcmp(tag.data(), key.data(), 4) == 0;
}

PsdRect readRect(FieldReader& in)
{
    PsdRect rect;
    rect.top = in.i32();
    rect.left = in.i32();
    rect.bottom = in.i32();
    rect.right = in.i32();
    return rect;
}

bool plausibleRect(const PsdRect& rect)
{
    return rect.width() >= 0 && rect.height() >= 0 && rect.width() <= kMaxPictureDimension && rect.height() <= kMaxPictureDimension;
}

// Pixels per metre from the resolution resource (16.16 dots per inch, whatever unit it is shown in).
std::int32_t pelsPerMeter(std::uint32_t fixedDpi)
{
    return std::int32_t((std::uint64_t(fixedDpi) * 3937 / 100 + 32768) >> 16);
}

void readResources(FieldReader& in, std::uint64_t end, PsdStructure& out)
{
    while (in.ok() && in.position() + 12 <= end) {
        in.tag();
        const std::uint16_t id = in.u16();
        const std::uint8_t nameLength = in.u8();
        in.skip(nameLength + ((nameLength + 1) & 1));  // the name and its length byte fill an even count
        const std::uint32_t length = in.u32();
        if (!in.ok() || in.position() + length > end)
            return;
        const std::uint64_t next = in.position() + length + (length & 1);
        if (id == kResolutionResource && length >= 16) {
            const std::uint32_t h = in.u32();
            in.skip(4);
            const std::uint32_t v = in.u32();
            out.xPelsPerMeter = pelsPerMeter(h);
            out.yPelsPerMeter = pelsPerMeter(v);
        }
        if (next > end)
            return;
        in.seek(next);
    }
}

// The tagged blocks after a record's name: the Unicode name and the group markers.
void readRecordBlocks(FieldReader& in, std::uint64_t end, PsdLayerRecord& record)
{
    while (in.ok() && in.position() + 12 <= end) {
        if (!isSignature(in.tag()))
            return;
        const std::array<char, 4> key = in.tag();
        const std::uint32_t length = in.u32();
        if (!in.ok() || in.position() + length > end)
            return;
        const std::uint64_t next = in.position() + length;
        if (isKey(key, "luni") && length >= 4) {
            const std::uint32_t units = in.u32();
            if (std::uint64_t(units) * 2 <= length - 4) {
                std::vector<std::uint8_t> utf16(std::size_t(units) * 2);
                in.bytes(utf16.data(), utf16.size());
                if (in.ok())
                    record.name = Utf16BigEndianToUtf8(utf16);
            }
        } else if ((isKey(key, "lsct") || isKey(key, "lsdk")) && length >= 4) {
            const std::uint32_t type = in.u32();
            if (type <= 3)
                record.section = PsdSection(type);
        }
        in.seek(next);
    }
}

PsdLayerRecord readRecord(FieldReader& in)
{
    PsdLayerRecord record;
    record.rect = readRect(in);
    const std::uint16_t channels = in.u16();
    if (!in.ok() || !plausibleRect(record.rect) || channels > kMaxChannelsPerLayer) {
        in.fail();
        return record;
    }
    record.channels.resize(channels);
    for (PsdChannel& channel : record.channels) {
        channel.id = in.i16();
        channel.length = in.u32();
    }
    in.tag();  // the blend signature
    record.blendKey = in.tag();
    record.opacity = in.u8();
    record.clipping = in.u8();
    record.flags = in.u8();
    in.u8();
    const std::uint64_t extraEnd = in.endOf(in.u32());

    const std::uint32_t maskLength = in.u32();
    const std::uint64_t maskEnd = in.position() + maskLength;
    if (!in.ok() || maskEnd > extraEnd) {
        in.fail();
        return record;
    }
    record.maskDataLength = maskLength;
    if (record.hasMaskRect()) {
        record.maskRect = readRect(in);
        record.maskDefault = in.u8();
        record.maskFlags = in.u8();
        if (!plausibleRect(record.maskRect))
            in.fail();
    }
    in.seek(maskEnd);
    const std::uint32_t rangesLength = in.u32();
    if (in.position() + rangesLength > extraEnd) {
        in.fail();
        return record;
    }
    in.skip(rangesLength);

    const std::uint8_t nameLength = in.u8();
    std::string name(nameLength, '\0');
    in.bytes(name.data(), name.size());
    record.name = ToUtf8(name);
    const std::uint64_t padded = (std::uint64_t(nameLength) + 1 + 3) / 4 * 4;
    if (in.position() - nameLength - 1 + padded <= extraEnd)
        in.skip(padded - nameLength - 1);
    if (in.position() > extraEnd)
        in.fail();
    readRecordBlocks(in, extraEnd, record);
    in.seek(extraEnd);
    return record;
}

// The layer information proper: the count, the records and then every channel's data in
// record order. Fills `out.layers`; false when the file cannot hold what it declares.
bool readLayerInfo(FieldReader& in, std::uint64_t end, PsdStructure& out)
{
    const std::int16_t declared = in.i16();
    const std::uint64_t count = std::uint64_t(declared < 0 ? -std::int32_t(declared) : declared);
    if (!in.ok() || count * kSmallestLayerRecord > end - in.position())
        return false;
    out.declaredLayerCount = declared;
    std::vector<PsdLayerRecord> layers;
    layers.reserve(count);
    for (std::uint64_t i = 0; i < count && in.ok(); ++i) {
        layers.push_back(readRecord(in));
        if (in.position() > end)
            in.fail();
    }
    if (!in.ok())
        return false;
    std::uint64_t position = in.position();
    for (PsdLayerRecord& layer : layers)
        for (PsdChannel& channel : layer.channels) {
            if (channel.length > out.fileSize - position)
                return false;
            channel.offset = position;
            position += channel.length;
        }
    out.layers = std::move(layers);
    return true;
}

// After the global mask: tagged blocks, where files of 16 bits per channel keep their layers.
void readLayersFromBlocks(FieldReader& in, std::uint64_t end, PsdStructure& out)
{
    while (in.ok() && out.layers.empty() && in.position() + 12 <= end) {
        if (!isSignature(in.tag()))
            return;
        const std::array<char, 4> key = in.tag();
        const std::uint32_t length = in.u32();
        if (!in.ok() || length > end - in.position())
            return;
        const std::uint64_t next = in.position() + length;
        if (isKey(key, "Lr16") || isKey(key, "Lr32") || isKey(key, "Layr")) {
            if (!readLayerInfo(in, next, out))
                in.fail();
            return;
        }
        in.seek(next + (length & 1) > end ? next : next + (length & 1));
    }
}

}  // namespace

const PsdChannel* PsdLayerRecord::channel(std::int16_t id) const
{
    for (const PsdChannel& c : channels)
        if (c.id == id)
            return &c;
    return nullptr;
}

PsdProblem CheckPsdModeAndDepth(const PsdHeader& header)
{
    if (header.mode != kPsdRgb && header.mode != kPsdGreyscale)
        return PsdProblem::UnsupportedMode;
    if (header.depth != 8 && header.depth != 16)
        return PsdProblem::UnsupportedDepth;
    return PsdProblem::None;
}

PsdParse ReadPsdStructure(ByteSource& source)
{
    PsdParse parse;
    PsdStructure& out = parse.structure;
    out.fileSize = source.size();
    FieldReader in(source);
    in.seek(0);
    if (in.tag() != std::array<char, 4>{'8', 'B', 'P', 'S'}) {
        parse.problem = PsdProblem::NotPsd;
        return parse;
    }
    PsdHeader& h = out.header;
    h.version = in.u16();
    in.skip(6);
    h.channels = in.u16();
    h.height = in.u32();
    h.width = in.u32();
    h.depth = in.u16();
    h.mode = in.u16();
    // Version 2 is the large-document variant, whose lengths are wider.
    if (!in.ok() || h.version != 1 || h.channels < 1 || h.channels > kMaxChannelsPerLayer || h.width < 1 ||
        h.height < 1 || h.width > kPsdMaxSide || h.height > kPsdMaxSide)
        return parse;

    const std::uint64_t modeDataEnd = in.endOf(in.u32());
    in.seek(modeDataEnd);
    const std::uint64_t resourcesEnd = in.endOf(in.u32());
    readResources(in, resourcesEnd, out);
    in.seek(resourcesEnd);
    const std::uint64_t layersAndMasksEnd = in.endOf(in.u32());
    if (!in.ok())
        return parse;
    if (layersAndMasksEnd > in.position()) {
        const std::uint64_t layerInfoEnd = in.endOf(in.u32());
        if (!in.ok() || layerInfoEnd > layersAndMasksEnd)
            return parse;
        if (layerInfoEnd > in.position() && !readLayerInfo(in, layerInfoEnd, out))
            return parse;
        in.seek(layerInfoEnd);
        if (in.position() + 4 <= layersAndMasksEnd) {
            const std::uint32_t globalMask = in.u32();
            if (in.ok() && globalMask <= layersAndMasksEnd - in.position()) {
                in.skip(globalMask);
                readLayersFromBlocks(in, layersAndMasksEnd, out);
            }
        }
        if (!in.ok())
            return parse;
    }
    out.mergedDataOffset = layersAndMasksEnd;
    if (out.mergedDataOffset + 2 > out.fileSize)
        return parse;
    parse.problem = PsdProblem::None;
    return parse;
}

}  // namespace lv
