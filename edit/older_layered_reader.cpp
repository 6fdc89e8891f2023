#include "common/little_endian.h"
#include "edit/layered_document.h"
#include "edit/layered_format.h"
#include "imagelib/dib_alloc.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

namespace lv {
namespace {

constexpr std::size_t kSlotTable = 8;
constexpr std::size_t kSlotSize = 16;
constexpr std::size_t kDocumentFields = 520;
constexpr std::size_t kRecords = 536;
constexpr std::size_t kRecordSize = 296;
constexpr std::size_t kMagicOffset = 10008;
constexpr std::string_view kMagic{"Verandolith Layer Version 1.0\0", 30};
// A run-length pair of two bytes yields at most 255 bytes.
constexpr std::uint64_t kMaxMaskExpansion = 128;

// A picture block stored as held in memory: header, table and rows.
HDIB parsePackedPicture(const std::vector<std::uint8_t>& bytes)
{
    if (bytes.size() < kDibHeaderSize || LoadLE32(bytes.data()) != kDibHeaderSize)
        return {};
    const std::int32_t width = std::int32_t(LoadLE32(bytes.data() + 4));
    const std::int32_t height = std::int32_t(LoadLE32(bytes.data() + 8));
    const unsigned bits = LoadLE16(bytes.data() + 14);
    const std::uint32_t compression = LoadLE32(bytes.data() + 16);
    const std::uint32_t colours = LoadLE32(bytes.data() + 32);
    if ((bits != 8 && bits != 24) || compression != 0 || colours > 256)
        return {};
    const std::uint64_t rows = PictureBytes(width, height, bits);
    const std::uint64_t table = 4 * std::uint64_t(colours);
    if (rows == 0 || kDibHeaderSize + table + rows > bytes.size())
        return {};
    HDIB picture = AllocatePicture(width, height, bits, colours);
    if (!picture)
        return {};
    BitmapInfoHeader& h = picture.header();
    h.biXPelsPerMeter = std::int32_t(LoadLE32(bytes.data() + 24));
    h.biYPelsPerMeter = std::int32_t(LoadLE32(bytes.data() + 28));
    h.biClrImportant = LoadLE32(bytes.data() + 36);
    std::memcpy(picture.colors(), bytes.data() + kDibHeaderSize, std::size_t(table + rows));
    return picture;
}

std::optional<std::vector<std::uint8_t>> readBytes(ByteSource& source, std::uint64_t offset, std::uint64_t size)
{
    if (!source.seek(offset) || size > source.remaining())
        return std::nullopt;
    std::vector<std::uint8_t> bytes(std::size_t(size), 0);
    if (!source.readExact(bytes.data(), bytes.size()))
        return std::nullopt;
    return bytes;
}

// A mask: the unpacked length, then pairs (n, v) for n bytes of v and (0, n) before n
// literal bytes; the unpacked bytes are a picture block.
HDIB readMask(ByteSource& source, std::uint64_t offset, std::uint64_t size)
{
    const auto packed = readBytes(source, offset, size);
    if (!packed || packed->size() < 4)
        return {};
    const std::uint32_t length = LoadLE32(packed->data());
    if (length > (packed->size() - 4) * kMaxMaskExpansion)
        return {};
    std::vector<std::uint8_t> bytes;
    bytes.reserve(length);
    std::size_t at = 4;
    while (bytes.size() < length && at + 2 <= packed->size()) {
        const std::uint8_t n = (*packed)[at];
        const std::uint8_t v = (*packed)[at + 1];
        at += 2;
        if (n > 0) {
            bytes.insert(bytes.end(), std::min<std::size_t>(n, length - bytes.size()), v);
        } else {
            const std::size_t literal = std::min({std::size_t(v), length - bytes.size(), packed->size() - at});
            bytes.insert(bytes.end(), packed->begin() + std::ptrdiff_t(at), packed->begin() + std::ptrdiff_t(at + literal));
            at += v;
        }
    }
    return bytes.size() == length ? parsePackedPicture(bytes) : HDIB{};
}

std::int32_t i32(const std::uint8_t* p)
{
    return std::int32_t(LoadLE32(p));
}

}  // namespace

std::unique_ptr<LayerStack> ReadOlderLayeredFile(ByteSource& source)
{
    const auto head = readBytes(source, 0, kMagicOffset + kMagic.size());
    if (!head || std::memcmp(head->data() + kMagicOffset, kMagic.data(), kMagic.size()) != 0)
        return nullptr;
    const std::uint8_t* fields = head->data() + kDocumentFields;
    FileDocument document;
    document.width = LoadLE16(fields);
    document.height = LoadLE16(fields + 2);
    document.depth = LoadLE16(fields + 4);
    const std::int32_t count = std::clamp(i32(fields + 8), 0, kMaxLayers);
    const std::int32_t current = i32(fields + 12);
    if ((document.depth != 8 && document.depth != 24) ||
        !PlausibleDocument(document.width, document.height, document.depth, source.size()))
        return nullptr;
    // Records without an image are left out; the current one keeps designating its record.
    document.current = current >= 0 && current < count ? 0 : std::uint32_t(kMaxLayers);

    for (std::int32_t i = 0; i < count; ++i) {
        const std::uint8_t* slot = head->data() + kSlotTable + std::size_t(i) * kSlotSize;
        const std::uint8_t* record = head->data() + kRecords + std::size_t(i) * kRecordSize;
        // A record without an image has no pixels to show and is left out.
        if (LoadLE32(slot) == 0)
            continue;
        if (i <= current && current < count)
            document.current = std::uint32_t(document.layers.size());
        const auto imageBytes = readBytes(source, LoadLE32(slot), LoadLE32(slot + 4));
        FileLayer layer;
        layer.image = imageBytes ? parsePackedPicture(*imageBytes) : HDIB{};
        layer.mask = layer.image && LoadLE32(slot + 8) != 0 ? readMask(source, LoadLE32(slot + 8), LoadLE32(slot + 12)) : HDIB{};
        if (!layer.mask)
            return nullptr;
        layer.x = i32(record + 8);
        layer.y = i32(record + 12);
        layer.name = LayerNameFromFile(std::string_view(reinterpret_cast<const char*>(record + 16), 256));
        layer.linked = LoadLE32(record + 272) != 0;
        layer.visible = LoadLE32(record + 276) != 0;
        layer.maskLocked = LoadLE32(record + 280) != 0;
        layer.opacity = LoadLE32(record + 288);
        const std::uint32_t kind = LoadLE32(record + 292);
        layer.kind = kind == LAYER_MASK ? LAYER_MASK : LAYER_IMAGE;  // text layers lose their text here
        document.layers.push_back(std::move(layer));
    }
    return MakeStackFromFile(std::move(document));
}

}  // namespace lv
