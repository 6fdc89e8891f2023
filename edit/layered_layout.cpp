#include "edit/layered_layout.h"

#include "common/little_endian.h"
#include "edit/layer_stack.h"

#include <algorithm>
#include <cstring>

namespace lv {
namespace {

constexpr std::uint8_t kMagic[4] = {'F', 'L', 'V', 'T'};

}  // namespace

std::array<std::uint8_t, kLayeredHeaderSize> SerialiseLayeredHeader(const LayeredHeader& h)
{
    std::array<std::uint8_t, kLayeredHeaderSize> b{};
    std::memcpy(b.data(), kMagic, 4);
    StoreLE32(b.data() + 4, kLayeredVersion);
    StoreLE32(b.data() + 8, std::uint32_t(h.width));
    StoreLE32(b.data() + 12, std::uint32_t(h.height));
    StoreLE32(b.data() + 16, h.depth);
    StoreLE32(b.data() + 20, std::uint32_t(h.xPelsPerMeter));
    StoreLE32(b.data() + 24, std::uint32_t(h.yPelsPerMeter));
    StoreLE32(b.data() + 28, h.count);
    StoreLE32(b.data() + 32, h.current);
    StoreLE32(b.data() + 36, h.previewOffset);
    StoreLE32(b.data() + 40, h.documentOffset);
    return b;
}

std::array<std::uint8_t, kLayeredEntrySize> SerialiseLayeredEntry(const LayeredEntry& e)
{
    std::array<std::uint8_t, kLayeredEntrySize> b{};
    StoreLE32(b.data(), kLayeredEntrySize);
    StoreLE32(b.data() + 4, e.kind);
    StoreLE32(b.data() + 8, e.nameOffset);
    StoreLE32(b.data() + 12, e.flags);
    StoreLE32(b.data() + 16, std::uint32_t(e.x));
    StoreLE32(b.data() + 20, std::uint32_t(e.y));
    StoreLE32(b.data() + 24, e.opacity);
    StoreLE32(b.data() + 28, e.imageOffset);
    StoreLE32(b.data() + 32, e.maskOffset);
    StoreLE32(b.data() + 36, e.textOffset);
    StoreLE32(b.data() + 40, e.placementOffset);
    return b;
}

std::optional<LayeredHeader> ReadLayeredHeader(ByteSource& source)
{
    std::uint8_t b[kLayeredHeaderSize];
    if (!source.readExact(b, sizeof b) || std::memcmp(b, kMagic, 4) != 0 || LoadLE32(b + 4) != kLayeredVersion)
        return std::nullopt;
    LayeredHeader h;
    h.width = std::int32_t(LoadLE32(b + 8));
    h.height = std::int32_t(LoadLE32(b + 12));
    h.depth = LoadLE32(b + 16);
    h.xPelsPerMeter = std::int32_t(LoadLE32(b + 20));
    h.yPelsPerMeter = std::int32_t(LoadLE32(b + 24));
    h.count = LoadLE32(b + 28);
    h.current = LoadLE32(b + 32);
    h.previewOffset = LoadLE32(b + 36);
    h.documentOffset = LoadLE32(b + 40);
    if (h.depth != 8 && h.depth != 24)
        return std::nullopt;
    return h;
}

std::optional<LayeredLayout> ReadLayeredLayout(ByteSource& source)
{
    LayeredLayout layout;
    layout.base = source.position();
    const auto header = ReadLayeredHeader(source);
    if (!header)
        return std::nullopt;
    layout.header = *header;
    const std::uint32_t count = std::min<std::uint32_t>(header->count, kMaxLayers);
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint8_t b[kLayeredEntrySize];
        if (!source.readExact(b, sizeof b))
            return std::nullopt;
        LayeredEntry e;
        e.kind = LoadLE32(b + 4);
        e.nameOffset = LoadLE32(b + 8);
        e.flags = LoadLE32(b + 12);
        e.x = std::int32_t(LoadLE32(b + 16));
        e.y = std::int32_t(LoadLE32(b + 20));
        e.opacity = LoadLE32(b + 24);
        e.imageOffset = LoadLE32(b + 28);
        e.maskOffset = LoadLE32(b + 32);
        e.textOffset = LoadLE32(b + 36);
        e.placementOffset = LoadLE32(b + 40);
        layout.entries.push_back(e);
    }
    return layout;
}

std::optional<std::string> ReadNameBlock(ByteSource& source, std::uint64_t position)
{
    std::uint8_t head[8];
    if (!source.seek(position) || !source.readExact(head, sizeof head))
        return std::nullopt;
    const std::uint32_t bytes = LoadLE32(head);
    // The bytes past the longest name only help tell encodings apart; a file may end first.
    const std::uint64_t needed = std::min<std::uint64_t>(bytes, kMaxLayerNameBytes);
    std::string name(std::size_t(std::max(needed, std::min({std::uint64_t(bytes), std::uint64_t(kStoredLayerNameBytes), source.remaining()}))), '\0');
    if (!source.readExact(name.data(), name.size()))
        return std::nullopt;
    return LayerNameFromFile(name);
}

bool WriteNameBlock(ByteSink& sink, const std::string& name)
{
    return sink.writeLE32(std::uint32_t(name.size() + 1)) && sink.writeLE32(0) && sink.write(name.c_str(), name.size() + 1);
}

std::optional<std::uint32_t> ReadBlockEncoding(ByteSource& source, std::uint64_t position)
{
    std::uint8_t head[kBlockHeaderSize];
    if (!source.seek(position) || !source.readExact(head, sizeof head) || LoadLE32(head) != kBlockHeaderSize)
        return std::nullopt;
    return LoadLE32(head + 4);
}

bool WriteBlockHeader(ByteSink& sink, BlockEncoding encoding)
{
    return sink.writeLE32(kBlockHeaderSize) && sink.writeLE32(encoding) && sink.writeZeros(8);
}

bool PadBlock(ByteSink& sink, std::uint64_t base)
{
    const std::uint64_t length = sink.position() - base;
    return sink.writeZeros(std::size_t((kBlockAlignment - length % kBlockAlignment) % kBlockAlignment));
}

}  // namespace lv
