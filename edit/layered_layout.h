#pragma once
// The layered stream's fixed parts: the 48-byte header, the 48-byte table entries, the
// 16-byte block headers and the name blocks. Offsets are relative to the stream's start.

#include "common/byte_sink.h"
#include "common/byte_source.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lv {

inline constexpr std::uint32_t kLayeredVersion = 3;
inline constexpr std::size_t kLayeredHeaderSize = 48;
inline constexpr std::size_t kLayeredEntrySize = 48;
inline constexpr std::size_t kBlockHeaderSize = 16;
inline constexpr std::uint64_t kBlockAlignment = 8;

enum BlockEncoding : std::uint32_t {
    kBlockBmp = 1,
    kBlockJpeg = 2,
    kBlockText = 3,
    kBlockPlacement = 4,  // a placed layer's matrix and where its source pictures are
    kBlockDocument = 5,   // the photo's metadata and colour profile
};

// Table flags.
inline constexpr std::uint32_t kLayerFlagLinked = 1;
inline constexpr std::uint32_t kLayerFlagVisible = 2;
inline constexpr std::uint32_t kLayerFlagMaskLocked = 4;

struct LayeredHeader {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint32_t depth = 0;
    std::int32_t xPelsPerMeter = 0;
    std::int32_t yPelsPerMeter = 0;
    std::uint32_t count = 0;
    std::uint32_t current = 0;
    std::uint32_t previewOffset = 0;
    // Word 40, which readers that don't know it leave alone: the document block, 0 if none.
    std::uint32_t documentOffset = 0;
};

struct LayeredEntry {
    std::uint32_t kind = 0;
    std::uint32_t nameOffset = 0;
    std::uint32_t flags = 0;
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::uint32_t opacity = 0;
    std::uint32_t imageOffset = 0;
    std::uint32_t maskOffset = 0;
    std::uint32_t textOffset = 0;
    // Word 40, which readers that don't know it leave alone: the placement block, 0 if none.
    std::uint32_t placementOffset = 0;
};

std::array<std::uint8_t, kLayeredHeaderSize> SerialiseLayeredHeader(const LayeredHeader& header);
std::array<std::uint8_t, kLayeredEntrySize> SerialiseLayeredEntry(const LayeredEntry& entry);

// Reads the header at the source's position: nothing unless the magic is "FLVT", the
// version 3 and the depth 8 or 24.
std::optional<LayeredHeader> ReadLayeredHeader(ByteSource& source);

// The header and the table entries of at most 32 layers, from the source's position.
struct LayeredLayout {
    std::uint64_t base = 0;
    LayeredHeader header;
    std::vector<LayeredEntry> entries;
};
std::optional<LayeredLayout> ReadLayeredLayout(ByteSource& source);

// The name of a name block (cut at 255 bytes on a character boundary), or nothing when
// the block can't be read.
std::optional<std::string> ReadNameBlock(ByteSource& source, std::uint64_t position);
bool WriteNameBlock(ByteSink& sink, const std::string& name);

// The encoding word of the block header at `position`, or nothing.
std::optional<std::uint32_t> ReadBlockEncoding(ByteSource& source, std::uint64_t position);
bool WriteBlockHeader(ByteSink& sink, BlockEncoding encoding);

// Zero bytes up to the next multiple of 8 from `base`.
bool PadBlock(ByteSink& sink, std::uint64_t base);

}  // namespace lv
