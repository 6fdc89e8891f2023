#pragma once
// The block structure of GIF files: the logical screen, the two ways of finding the first
// image descriptor, and data sub-blocks in both directions.

#include "common/byte_sink.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace lv {

inline constexpr std::size_t kGifScreenEnd = 13;  // signature and logical screen descriptor
inline constexpr std::size_t kGifDescriptorSize = 10;
inline constexpr std::uint8_t kGifDescriptorByte = 0x2C;
inline constexpr std::uint8_t kGifExtensionByte = 0x21;
inline constexpr std::uint8_t kGifTrailerByte = 0x3B;

struct GifScreen {
    std::uint16_t width;
    std::uint16_t height;
    bool globalTable;
    int exponent;                   // table size is 2^exponent entries
    std::size_t afterGlobalTable;   // where blocks start
};

// Checks the signature ("GIF87a" or "GIF89a") and reads the logical screen.
std::optional<GifScreen> ReadGifScreen(std::span<const std::uint8_t> file);

// The first 0x2C byte at or after `from`, whatever block it lies in.
std::optional<std::size_t> ScanForGifDescriptor(std::span<const std::uint8_t> file, std::size_t from);

struct GifGraphicControl {
    std::uint16_t delay = 0;
    bool transparent = false;
    std::uint8_t transparentIndex = 0;
    std::uint8_t disposal = 0;
};

struct GifBlockWalk {
    std::size_t descriptor;
    std::optional<GifGraphicControl> control;  // the last graphic control before the image
};

// Walks extension blocks from `from` to the first image descriptor. Nothing at the
// trailer, at an unknown extension label or past the end.
std::optional<GifBlockWalk> WalkGifBlocks(std::span<const std::uint8_t> file, std::size_t from);

// The data of the sub-blocks starting at `from`, up to a zero length or the end of the file.
std::vector<std::uint8_t> GatherGifSubBlocks(std::span<const std::uint8_t> file, std::size_t from);

// Frames what is written into data sub-blocks of up to 255 bytes.
class GifSubBlockSink final : public ByteSink {
public:
    explicit GifSubBlockSink(ByteSink& out)
        : out_(out)
    {
    }
    bool write(const void* bytes, std::size_t count) override;
    bool seek(std::uint64_t) override { return false; }
    std::uint64_t position() const override { return position_; }
    // Writes the last, partly filled block and the zero-length block that ends the data.
    bool finish();

private:
    bool writeBlock();

    ByteSink& out_;
    std::uint8_t block_[256] = {};
    std::size_t filled_ = 0;
    std::uint64_t position_ = 0;
    bool failed_ = false;
};

}  // namespace lv
