#include "edit/placement_block.h"

#include "common/little_endian.h"
#include "edit/layered_layout.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace lv {
namespace {

void storeDouble(std::uint8_t* p, double value)
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    StoreLE32(p, std::uint32_t(bits));
    StoreLE32(p + 4, std::uint32_t(bits >> 32));
}

double loadDouble(const std::uint8_t* p)
{
    const std::uint64_t bits = LoadLE32(p) | std::uint64_t(LoadLE32(p + 4)) << 32;
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// The span of the source's corners under the matrix along one output axis.
double span(const Placement& m, int first, int width, int height)
{
    double low = 0, high = 0;
    for (int corner = 0; corner < 4; ++corner) {
        const double row = corner & 2 ? height : 0;
        const double column = corner & 1 ? width : 0;
        const double value = m[std::size_t(first)] * row + m[std::size_t(first + 1)] * column + m[std::size_t(first + 2)];
        low = corner == 0 ? value : std::min(low, value);
        high = corner == 0 ? value : std::max(high, value);
    }
    return high - low;
}

bool withinHalfToTwice(double mapped, int side)
{
    return std::isfinite(mapped) && mapped >= side / 2.0 - 2 && mapped <= 2.0 * side + 2;
}

}  // namespace

bool WritePlacementBlock(ByteSink& sink, const PlacementBlock& block)
{
    std::uint8_t body[kPlacementBlockSize - kBlockHeaderSize];
    for (std::size_t i = 0; i < block.matrix.size(); ++i)
        storeDouble(body + 8 * i, block.matrix[i]);
    StoreLE32(body + 72, block.sourceImageOffset);
    StoreLE32(body + 76, block.sourceMaskOffset);
    return WriteBlockHeader(sink, kBlockPlacement) && sink.write(body, sizeof body);
}

std::optional<PlacementBlock> ReadPlacementBlock(ByteSource& source, std::uint64_t position)
{
    const auto encoding = ReadBlockEncoding(source, position);
    std::uint8_t body[kPlacementBlockSize - kBlockHeaderSize];
    if (encoding != kBlockPlacement || !source.readExact(body, sizeof body))
        return std::nullopt;
    PlacementBlock block;
    for (std::size_t i = 0; i < block.matrix.size(); ++i) {
        block.matrix[i] = loadDouble(body + 8 * i);
        if (!std::isfinite(block.matrix[i]))
            return std::nullopt;
    }
    block.sourceImageOffset = LoadLE32(body + 72);
    block.sourceMaskOffset = LoadLE32(body + 76);
    const Placement& m = block.matrix;
    if (m[6] != 0 || m[7] != 0 || m[8] != 1 || block.sourceImageOffset == 0 || block.sourceMaskOffset == 0)
        return std::nullopt;
    return block;
}

bool PlacementFitsLayer(const Placement& m, int sourceWidth, int sourceHeight, int layerWidth, int layerHeight)
{
    const double det = m[0] * m[4] - m[1] * m[3];
    if (!std::isfinite(det) || det == 0 || sourceWidth <= 0 || sourceHeight <= 0)
        return false;
    return withinHalfToTwice(span(m, 0, sourceWidth, sourceHeight), layerHeight) &&
           withinHalfToTwice(span(m, 3, sourceWidth, sourceHeight), layerWidth);
}

}  // namespace lv
