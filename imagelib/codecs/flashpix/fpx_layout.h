#pragma once
// Names and numbers of a FlashPix image object as this program reads and writes it.
//
// The root storage holds the summary and image-contents property sets and one storage
// per resolution, "Resolution 0000" the full size and each next one half the previous
// (rounded up) down to one that fits a single tile. A resolution storage holds
// "Subimage 0000 Header" (the tile table) and "Subimage 0000 Data" (the tiles).

#include "imagelib/codecs/flashpix/fpx_storage.h"

#include <cstdint>
#include <string>

namespace lv::flashpix {

inline constexpr int kTileSize = 64;
inline constexpr int kMaxResolutions = 32;

inline const std::string kSummaryStream = "\005SummaryInformation";
inline const std::string kImageContentsStream = "\005Image Contents";
inline const std::string kSubimageHeaderStream = "Subimage 0000 Header";
inline const std::string kSubimageDataStream = "Subimage 0000 Data";
std::string ResolutionStorageName(int level);

// 56616000-C154-11CE-8553-00AA00A1F95B: the image object's class and its contents' format.
inline constexpr ClassId kImageClass = {0x00, 0x60, 0x61, 0x56, 0x54, 0xC1, 0xCE, 0x11,
                                        0x85, 0x53, 0x00, 0xAA, 0x00, 0xA1, 0xF9, 0x5B};
inline constexpr ClassId kImageContentsFormat = kImageClass;
// F29F85E0-4FF9-1068-AB91-08002B27B3D9: summary information.
inline constexpr ClassId kSummaryFormat = {0xE0, 0x85, 0x9F, 0xF2, 0xF9, 0x4F, 0x68, 0x10,
                                           0xAB, 0x91, 0x08, 0x00, 0x2B, 0x27, 0xB3, 0xD9};

// Image contents properties. Per-resolution ones carry the level in bits 16-23, JPEG
// tables their index there.
inline constexpr std::uint32_t kNumberOfResolutions = 0x01000000;
inline constexpr std::uint32_t kHighestWidth = 0x01000002;
inline constexpr std::uint32_t kHighestHeight = 0x01000003;
inline constexpr std::uint32_t kDisplayHeight = 0x01000004;
inline constexpr std::uint32_t kDisplayWidth = 0x01000005;
inline constexpr std::uint32_t kDisplayUnits = 0x01000006;
inline constexpr std::uint32_t kSubimageWidth = 0x02000000;
inline constexpr std::uint32_t kSubimageHeight = 0x02000001;
inline constexpr std::uint32_t kSubimageColour = 0x02000002;
inline constexpr std::uint32_t kSubimageNumericalFormat = 0x02000003;
inline constexpr std::uint32_t kDecimationMethod = 0x02000004;
inline constexpr std::uint32_t kJpegTables = 0x03000001;
inline constexpr std::uint32_t kMaxJpegTableIndex = 0x03000002;
constexpr std::uint32_t ForLevel(std::uint32_t property, int level)
{
    return property | std::uint32_t(level) << 16;
}

// Summary information.
inline constexpr std::uint32_t kCodePage = 1;
inline constexpr std::uint32_t kCreatingApplication = 0x12;

// Subimage colour: per channel, bits 16-30 the colour space and 0-15 the channel.
enum ColourSpace : std::uint32_t { kColourless = 0, kMonochrome = 1, kPhotoYcc = 2, kNifRgb = 3 };
inline constexpr std::uint32_t kOpacityChannel = 0x7FFE;
constexpr std::uint32_t ChannelColour(ColourSpace space, std::uint32_t channel)
{
    return std::uint32_t(space) << 16 | channel;
}
constexpr ColourSpace SpaceOf(std::uint32_t channelColour)
{
    return ColourSpace((channelColour >> 16) & 0x7FFF);
}
inline constexpr std::uint32_t kUnsignedByte = 17;  // numerical format of every channel

// Tile compression. A single-colour tile keeps its colour in the subtype, channel 0 in
// the top byte. A JPEG tile's subtype holds, from the top byte down: interleaving (0),
// chroma subsampling (0x11 none, 0x22 halved both ways), colour conversion (1 when the
// stream holds YCbCr made from RGB) and the JPEG tables' index (0: tables in the tile).
enum Compression : std::uint32_t { kUncompressed = 0, kSingleColour = 1, kJpeg = 2, kNoTile = 0xFFFFFFFF };
constexpr std::uint32_t JpegSubtype(unsigned subsampling, bool converted, unsigned table)
{
    return std::uint32_t(subsampling) << 16 | std::uint32_t(converted ? 1 : 0) << 8 | table;
}
constexpr bool JpegConverted(std::uint32_t subtype)
{
    return ((subtype >> 8) & 0xFF) == 1;
}
constexpr unsigned JpegTable(std::uint32_t subtype)
{
    return subtype & 0xFF;
}

}  // namespace lv::flashpix
