// The lossless JPEG turn on hostile bytes: every transform family, both edge rules.
#include "album/orientation/lossless_jpeg_turn.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);
    const int transform = size ? 1 + data[size - 1] % 8 : 6;
    lv::orientation::TurnJpegBlocks(bytes, transform, lv::orientation::EdgeBlocks::Trim);
    lv::orientation::TurnJpegBlocks(bytes, transform, lv::orientation::EdgeBlocks::Refuse);
    return 0;
}
