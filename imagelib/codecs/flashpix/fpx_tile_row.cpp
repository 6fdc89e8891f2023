#include "imagelib/codecs/flashpix/fpx_tile_row.h"

#include "common/little_endian.h"
#include "imagelib/codecs/flashpix/fpx_layout.h"

#include <cstring>

namespace lv::flashpix {
namespace {

constexpr std::uint8_t kMarker = 0xFF;
constexpr std::uint8_t kStartOfImage = 0xD8, kEndOfImage = 0xD9, kFirstRestart = 0xD0, kLastRestart = 0xD7;
// The library's fast Huffman path reads up to eight bytes ahead and gives up on any MCU
// whose look-ahead meets a marker; bytes that no MCU decodes keep the marker out of its
// reach. The library skips them on its way to the marker.
constexpr std::size_t kSegmentPadding = 8;
constexpr std::uint8_t kBaseline = 0xC0, kExtended = 0xC1, kStartOfScan = 0xDA, kRestartInterval = 0xDD;

struct Header {
    std::size_t length = 0;     // up to the coded data
    std::size_t frameAt = 0;    // where the frame marker lies
    int mcuRows = 0;
    bool halfChroma = false;
};

std::optional<Header> readHeader(std::span<const std::uint8_t> s, int channels)
{
    if (s.size() < 4 || s[0] != kMarker || s[1] != kStartOfImage)
        return std::nullopt;
    Header header;
    unsigned interval = 0, mcuWidth = 0;
    for (std::size_t at = 2; at + 4 <= s.size();) {
        if (s[at] != kMarker)
            return std::nullopt;
        const std::uint8_t marker = s[at + 1];
        const std::size_t length = LoadBE16(&s[at + 2]);
        if (length < 2 || at + 2 + length > s.size())
            return std::nullopt;
        const std::uint8_t* body = &s[at + 4];
        if (marker == kBaseline || marker == kExtended) {
            if (length != 8 + 3 * std::size_t(channels) || body[0] != 8 || LoadBE16(body + 1) != unsigned(kTileSize) ||
                LoadBE16(body + 3) != unsigned(kTileSize) || body[5] != channels)
                return std::nullopt;
            const std::uint8_t first = body[7];
            const bool whole = first == 0x11 && (channels == 1 || (body[10] == 0x11 && body[13] == 0x11));
            header.halfChroma = channels == 3 && first == 0x22 && body[10] == 0x11 && body[13] == 0x11;
            if (!whole && !header.halfChroma)
                return std::nullopt;
            mcuWidth = header.halfChroma ? 16 : 8;
            header.frameAt = at;
        } else if (marker >= 0xC2 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
            return std::nullopt;  // progressive, lossless or arithmetic
        } else if (marker == kRestartInterval && length == 4) {
            interval = LoadBE16(body);
        } else if (marker == kStartOfScan) {
            if (mcuWidth == 0 || body[0] != channels || interval != unsigned(kTileSize) / mcuWidth)
                return std::nullopt;
            header.length = at + 2 + length;
            header.mcuRows = kTileSize / int(mcuWidth);
            return header;
        }
        at += 2 + length;
    }
    return std::nullopt;
}

// The coded data between markers, MCU row by MCU row; false unless there are exactly
// `rows` segments, the last ending at the end marker.
bool splitSegments(std::span<const std::uint8_t> data, int rows, std::vector<std::span<const std::uint8_t>>& out)
{
    std::size_t begin = 0;
    int found = 0;
    for (std::size_t at = 0; at + 1 < data.size() && found < rows;) {
        const void* hit = std::memchr(&data[at], kMarker, data.size() - at - 1);
        if (!hit)
            return false;
        at = std::size_t(static_cast<const std::uint8_t*>(hit) - data.data());
        const std::uint8_t next = data[at + 1];
        if (next == 0) {
            at += 2;
            continue;
        }
        const bool last = found + 1 == rows;
        if (last ? next != kEndOfImage : (next < kFirstRestart || next > kLastRestart))
            return false;
        out.push_back(data.subspan(begin, at - begin));
        ++found;
        at += 2;
        begin = at;
    }
    return found == rows;
}

}  // namespace

std::optional<WideTileStream> JoinTileRow(std::span<const std::span<const std::uint8_t>> tiles, int channels)
{
    if (tiles.empty() || tiles.size() > 256)
        return std::nullopt;
    const std::optional<Header> header = readHeader(tiles[0], channels);
    if (!header)
        return std::nullopt;
    const std::span<const std::uint8_t> shared = tiles[0].first(header->length);
    std::vector<std::span<const std::uint8_t>> segments;
    segments.reserve(tiles.size() * std::size_t(header->mcuRows));
    std::size_t coded = 0;
    for (const auto& tile : tiles) {
        if (tile.size() < shared.size() || std::memcmp(tile.data(), shared.data(), shared.size()) != 0 ||
            !splitSegments(tile.subspan(shared.size()), header->mcuRows, segments))
            return std::nullopt;
        coded += tile.size();
    }

    WideTileStream wide;
    wide.tiles = int(tiles.size());
    wide.halfChroma = header->halfChroma;
    wide.bytes.reserve(coded + (2 + kSegmentPadding) * segments.size());
    wide.bytes.assign(shared.begin(), shared.end());
    const unsigned width = unsigned(tiles.size()) * unsigned(kTileSize);
    wide.bytes[header->frameAt + 7] = std::uint8_t(width >> 8);
    wide.bytes[header->frameAt + 8] = std::uint8_t(width);
    const std::size_t across = tiles.size();
    for (int row = 0, restart = 0; row < header->mcuRows; ++row)
        for (std::size_t t = 0; t < across; ++t) {
            const auto segment = segments[t * std::size_t(header->mcuRows) + std::size_t(row)];
            wide.bytes.insert(wide.bytes.end(), segment.begin(), segment.end());
            wide.bytes.insert(wide.bytes.end(), kSegmentPadding, 0);
            const bool last = row + 1 == header->mcuRows && t + 1 == across;
            wide.bytes.push_back(kMarker);
            wide.bytes.push_back(last ? kEndOfImage : std::uint8_t(kFirstRestart + restart++ % 8));
        }
    return wide;
}

}  // namespace lv::flashpix
