#pragma once
// A row of JPEG tiles joined into one wide stream. Setting the library up costs about as
// much as decoding a small tile, so a row of tiles is decoded as one picture: the tiles
// share one header, and each restarts at every row of MCUs, so their coded segments can
// be laid side by side, MCU row by MCU row, with restart markers renumbered; every tile
// then starts with fresh DC predictions, exactly as alone. Bytes no MCU decodes lie
// before each marker.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace lv::flashpix {

struct WideTileStream {
    std::vector<std::uint8_t> bytes;
    int tiles = 0;
    bool halfChroma = false;  // colour with chroma halved both ways; else every channel whole
};

// Nothing when the tiles don't all carry the same header, or any is not a 64 x 64
// baseline stream of `channels` channels (grey, or colour whole or with chroma halved)
// with a restart at each MCU row.
std::optional<WideTileStream> JoinTileRow(std::span<const std::span<const std::uint8_t>> tiles, int channels);

}  // namespace lv::flashpix
