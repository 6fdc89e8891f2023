#include "imagelib/codecs/gif/gif_blocks.h"

#include "common/little_endian.h"

#include <algorithm>
#include <cstring>

namespace lv {
namespace {

constexpr std::size_t kMaxBlock = 255;

enum GifLabel : std::uint8_t {
    kPlainText = 0x01,
    kGraphicControl = 0xF9,
    kComment = 0xFE,
    kApplication = 0xFF,
};

// Steps over one length-prefixed block; false past the end.
bool skipSubBlock(std::span<const std::uint8_t> file, std::size_t& pos)
{
    if (pos >= file.size())
        return false;
    pos += 1 + std::size_t(file[pos]);
    return pos <= file.size();
}

}  // namespace

std::optional<GifScreen> ReadGifScreen(std::span<const std::uint8_t> file)
{
    if (file.size() < kGifScreenEnd)
        return std::nullopt;
    if (std::memcmp(file.data(), "GIF87a", 6) != 0 && std::memcmp(file.data(), "GIF89a", 6) != 0)
        return std::nullopt;
    GifScreen screen{};
    screen.width = LoadLE16(&file[6]);
    screen.height = LoadLE16(&file[8]);
    const std::uint8_t flags = file[10];
    screen.globalTable = (flags & 0x80) != 0;
    screen.exponent = (flags & 7) + 1;
    screen.afterGlobalTable = kGifScreenEnd + (screen.globalTable ? 3u << screen.exponent : 0);
    return screen;
}

std::optional<std::size_t> ScanForGifDescriptor(std::span<const std::uint8_t> file, std::size_t from)
{
    if (from >= file.size())
        return std::nullopt;
    const auto found = std::find(file.begin() + std::ptrdiff_t(from), file.end(), kGifDescriptorByte);
    if (found == file.end())
        return std::nullopt;
    return std::size_t(found - file.begin());
}

std::optional<GifBlockWalk> WalkGifBlocks(std::span<const std::uint8_t> file, std::size_t from)
{
    std::optional<GifGraphicControl> control;
    std::size_t pos = from;
    while (pos < file.size()) {
        const std::uint8_t byte = file[pos];
        if (byte == kGifDescriptorByte)
            return GifBlockWalk{pos, control};
        if (byte == kGifTrailerByte)
            return std::nullopt;
        if (byte != kGifExtensionByte) {
            ++pos;
            continue;
        }
        if (pos + 1 >= file.size())
            return std::nullopt;
        const std::uint8_t label = file[pos + 1];
        pos += 2;
        switch (label) {
        case kPlainText:
        case kApplication:
            // The fixed header block, one data sub-block, and its terminator.
            if (!skipSubBlock(file, pos) || !skipSubBlock(file, pos))
                return std::nullopt;
            ++pos;
            break;
        case kGraphicControl: {
            if (pos + 5 >= file.size())
                return std::nullopt;
            const std::uint8_t flags = file[pos + 1];
            control = GifGraphicControl{LoadLE16(&file[pos + 2]), (flags & 1) != 0, file[pos + 4],
                                        std::uint8_t((flags >> 2) & 7)};
            if (!skipSubBlock(file, pos))
                return std::nullopt;
            ++pos;
            break;
        }
        case kComment:
            if (!skipSubBlock(file, pos))
                return std::nullopt;
            ++pos;
            break;
        default:
            return std::nullopt;
        }
    }
    return std::nullopt;
}

std::vector<std::uint8_t> GatherGifSubBlocks(std::span<const std::uint8_t> file, std::size_t from)
{
    std::vector<std::uint8_t> data;
    data.reserve(file.size() > from ? file.size() - from : 0);
    std::size_t pos = from;
    while (pos < file.size() && file[pos] != 0) {
        const std::size_t length = std::min<std::size_t>(file[pos], file.size() - pos - 1);
        data.insert(data.end(), file.begin() + std::ptrdiff_t(pos + 1), file.begin() + std::ptrdiff_t(pos + 1 + length));
        pos += 1 + length;
    }
    return data;
}

bool GifSubBlockSink::writeBlock()
{
    block_[0] = std::uint8_t(filled_);
    if (!out_.write(block_, filled_ + 1))
        failed_ = true;
    filled_ = 0;
    return !failed_;
}

bool GifSubBlockSink::write(const void* bytes, std::size_t count)
{
    const auto* p = static_cast<const std::uint8_t*>(bytes);
    while (count > 0 && !failed_) {
        const std::size_t take = std::min(count, kMaxBlock - filled_);
        std::memcpy(block_ + 1 + filled_, p, take);
        filled_ += take;
        p += take;
        count -= take;
        position_ += take;
        if (filled_ == kMaxBlock)
            writeBlock();
    }
    return !failed_;
}

bool GifSubBlockSink::finish()
{
    if (filled_ > 0)
        writeBlock();
    return !failed_ && out_.writeU8(0);
}

}  // namespace lv
