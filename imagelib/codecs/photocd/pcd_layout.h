#pragma once
// Where an image pack keeps things. Everything is counted in 2048-byte sectors.

#include <array>
#include <cstdint>
#include <string_view>

namespace lv::photocd {

inline constexpr std::uint64_t kSectorBytes = 2048;
// "PCD_IPI" opens the second sector of an image pack.
inline constexpr std::uint64_t kSignatureOffset = 2048;
inline constexpr std::string_view kSignature = "PCD_IPI";
// Bits 0-1: the quarter turns to show the picture upright (1 = a quarter turn
// anticlockwise); bits 2-3: the largest level the pack holds (0 Base, 1 4Base, 2 16Base).
inline constexpr std::uint64_t kAttributesOffset = 0x0E02;

enum class Level : int { Base16 = 0, Base4 = 1, Base = 2, FourBase = 3, SixteenBase = 4 };
inline constexpr int kLevelCount = 5;

struct LevelSize {
    int width;
    int height;
};
inline constexpr std::array<LevelSize, kLevelCount> kLevelSizes = {{
    {192, 128}, {384, 256}, {768, 512}, {1536, 1024}, {3072, 2048},
}};

// The three levels stored as planes: each pair of luma rows is followed by one row of
// each half-width chroma channel.
inline constexpr std::array<std::uint64_t, 3> kStoredLevelSectors = {4, 23, 96};

// The sector after a stored level's planes: 1.5 bytes a pixel, in whole sectors.
constexpr std::uint64_t StoredLevelEndSector(int stored)
{
    const LevelSize size = kLevelSizes[std::size_t(stored)];
    const std::uint64_t bytes = std::uint64_t(size.width) * std::uint64_t(size.height) * 3 / 2;
    return kStoredLevelSectors[std::size_t(stored)] + (bytes + kSectorBytes - 1) / kSectorBytes;
}

// 4Base residuals: one Huffman table in sector 388, the coded rows from sector 389.
inline constexpr std::uint64_t kFourBaseTableSector = 388;
inline constexpr std::uint64_t kFourBaseDataSector = 389;
// 16Base residuals: three tables (luma, C1, C2) this many sectors past the sector that
// ends the 4Base rows (the sectors between hold row pointers, not needed here).
inline constexpr std::uint64_t kSixteenBaseTableGap = 12;

constexpr LevelSize SizeOf(Level level)
{
    return kLevelSizes[std::size_t(level)];
}

}  // namespace lv::photocd
