#pragma once
// Names and numbers of a FlashPix file as this program writes and reads it.
//
// The root storage is an image view holding the summary and, in "Data Object Store 000001",
// the image object: its image-contents property set and one storage per resolution.
// "Resolution 0000" is the smallest, one that fits a single tile, and each next one is
// twice its size (the full size halved and rounded up, level after level) up to the full
// size, the highest number. A resolution storage holds "Subimage 0000 Header" (the tile
// table) and "Subimage 0000 Data" (the tiles), each after a 28-byte stream header.

#include "imagelib/codecs/flashpix/fpx_storage.h"

#include <cstdint>
#include <string>

namespace lv::flashpix {

inline constexpr int kTileSize = 64;
inline constexpr int kMaxResolutions = 32;

inline const std::string kSummaryStream = "\005SummaryInformation";
inline const std::string kImageContentsStream = "\005Image Contents";
inline const std::string kDataObjectStore = "Data Object Store 000001";
inline const std::string kSubimageHeaderStream = "Subimage 0000 Header";
inline const std::string kSubimageDataStream = "Subimage 0000 Data";
std::string ResolutionStorageName(int number);

// 56616000-C154-11CE-8553-00AA00A1F95B: the image object's class and its contents' format.
inline constexpr ClassId kImageClass = {0x00, 0x60, 0x61, 0x56, 0x54, 0xC1, 0xCE, 0x11,
                                        0x85, 0x53, 0x00, 0xAA, 0x00, 0xA1, 0xF9, 0x5B};
inline constexpr ClassId kImageContentsFormat = kImageClass;
// 56616700-C154-11CE-8553-00AA00A1F95B: the image view, the root of a file.
inline constexpr ClassId kImageViewClass = {0x00, 0x67, 0x61, 0x56, 0x54, 0xC1, 0xCE, 0x11,
                                            0x85, 0x53, 0x00, 0xAA, 0x00, 0xA1, 0xF9, 0x5B};
// F29F85E0-4FF9-1068-AB91-08002B27B3D9: summary information.
inline constexpr ClassId kSummaryFormat = {0xE0, 0x85, 0x9F, 0xF2, 0xF9, 0x4F, 0x68, 0x10,
                                           0xAB, 0x91, 0x08, 0x00, 0x2B, 0x27, 0xB3, 0xD9};

// Files this program wrote before it wrote the published layout: the image object is the
// root, "Resolution 0000" the full size, the subimage streams have no stream header, the
// colour blob starts with the channel count and tile subtypes are packed otherwise.
enum class FileLayout { Published, OldPrivate };

// Before the subimage header's fields and before the tiles; offsets count from its end.
inline constexpr std::uint32_t kSubimageStreamHeaderBytes = 28;
constexpr std::uint32_t SubimageStreamHeaderBytes(FileLayout layout)
{
    return layout == FileLayout::Published ? kSubimageStreamHeaderBytes : 0;
}

// Image contents properties. Per-resolution ones carry the resolution's number in bits
// 16-23, JPEG tables their index there.
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
constexpr std::uint32_t ForLevel(std::uint32_t property, int number)
{
    return property | std::uint32_t(number) << 16;
}

// Display units of the default display size.
enum DisplayUnit : std::uint32_t { kInches = 0, kMetres = 1, kCentimetres = 2, kMillimetres = 3 };

// Summary information.
inline constexpr std::uint32_t kCodePage = 1;
inline constexpr std::uint32_t kCreatingApplication = 0x12;

// Subimage colour: per channel, bit 31 "uncalibrated", bits 16-30 the colour space and
// 0-15 the channel. The blob holds the sub-image count, the channel count, then the
// channels' colours; the old layout left the sub-image count out.
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
constexpr std::uint32_t ColourBlobChannelCountAt(FileLayout layout)
{
    return layout == FileLayout::Published ? 4 : 0;
}
inline constexpr std::uint32_t kUnsignedByte = 17;  // numerical format of every channel

enum Compression : std::uint32_t { kUncompressed = 0, kSingleColour = 1, kJpeg = 2, kNoTile = 0xFFFFFFFF };

// A single-colour tile keeps its colour in the subtype: channel 0 in the low byte, the
// next channels in the next bytes up (the old layout started from the top byte).
constexpr std::uint8_t SingleColourChannel(std::uint32_t subtype, unsigned channel, FileLayout layout)
{
    return std::uint8_t(layout == FileLayout::Published ? subtype >> (8 * channel) : subtype >> (24 - 8 * channel));
}

// A JPEG tile's subtype, from the low byte up: interleaving (0), chroma subsampling (0x11
// none, 0x22 halved both ways), colour conversion (1 when the stream holds YCbCr made
// from RGB) and the JPEG tables' index (0: tables in the tile). The old layout had the
// index in the low byte, the conversion above it and the subsampling in bits 16-23.
struct JpegCoding {
    unsigned subsampling = 0x11;
    bool converted = false;
    unsigned table = 0;
};
constexpr std::uint32_t JpegSubtype(const JpegCoding& coding)
{
    return std::uint32_t(coding.table) << 24 | std::uint32_t(coding.converted ? 1 : 0) << 16 |
           std::uint32_t(coding.subsampling) << 8;
}
constexpr JpegCoding JpegCodingOf(std::uint32_t subtype, FileLayout layout)
{
    if (layout == FileLayout::Published)
        return {(subtype >> 8) & 0xFF, ((subtype >> 16) & 0xFF) == 1, subtype >> 24};
    return {(subtype >> 16) & 0xFF, ((subtype >> 8) & 0xFF) == 1, subtype & 0xFF};
}

}  // namespace lv::flashpix
