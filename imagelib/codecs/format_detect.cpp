#include "imagelib/codecs/format_detect.h"

#include "common/byte_source.h"
#include "common/little_endian.h"
#include "imagelib/codecs/heif/heif.h"
#include "imagelib/codecs/jxl/jxl.h"
#include "imagelib/codecs/raw/camera_raw.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <vector>

namespace lv {
namespace {

// The older layered files carry their magic far into the file.
constexpr std::size_t kOlderLayeredMagicAt = 10008;
constexpr std::string_view kOlderLayeredMagic = "Verandolith Layer Version 1.0";
constexpr std::size_t kHeadBytes = kOlderLayeredMagicAt + kOlderLayeredMagic.size();

bool startsWith(std::span<const std::uint8_t> head, std::initializer_list<std::uint8_t> signature)
{
    return head.size() >= signature.size() && std::equal(signature.begin(), signature.end(), head.begin());
}

bool bitmapHeader(std::span<const std::uint8_t> head)
{
    if (!startsWith(head, {'B', 'M'}) || head.size() < 18)
        return false;
    const std::uint32_t size = LoadLE32(head.data() + 14);
    return size == 12 || size == 40 || size == 52 || size == 56 || size == 64 || size == 108 || size == 124;
}

bool paintbrushHeader(std::span<const std::uint8_t> head)
{
    if (head.size() < 128 || head[0] != 0x0A || head[2] != 1)
        return false;
    const std::uint8_t version = head[1], bits = head[3];
    return (version == 0 || version == 2 || version == 3 || version == 4 || version == 5) &&
           (bits == 1 || bits == 2 || bits == 4 || bits == 8);
}

}  // namespace

std::string DetectFormat(std::span<const std::uint8_t> head)
{
    // Raw files are TIFF inside; theirs is the more particular answer.
    if (IsCameraRawHead(head))
        return ".DNG";
    if (bitmapHeader(head))
        return ".BMP";
    if (startsWith(head, {'I', 'I', 42, 0}) || startsWith(head, {'M', 'M', 0, 42}))
        return ".TIF";
    if (startsWith(head, {'G', 'I', 'F', '8'}))
        return ".GIF";
    if (startsWith(head, {0xFF, 0xD8, 0xFF}))
        return ".JPG";
    if (startsWith(head, {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}))
        return ".PNG";
    if (startsWith(head, {'F', 'L', 'V', 'T'}))
        return ".VLF";
    if (head.size() >= kHeadBytes &&
        std::memcmp(head.data() + kOlderLayeredMagicAt, kOlderLayeredMagic.data(), kOlderLayeredMagic.size()) == 0)
        return ".VLF";
    if (startsWith(head, {'8', 'B', 'P', 'S'}))
        return ".PSD";
    if (head.size() >= 12 && std::memcmp(head.data(), "RIFF", 4) == 0 && std::memcmp(head.data() + 8, "WEBP", 4) == 0)
        return ".WEBP";
    if (IsAvifHead(head))
        return ".AVIF";
    if (IsHeifHead(head))
        return ".HEIC";
    if (IsJxlHead(head))
        return ".JXL";
    if (paintbrushHeader(head))
        return ".PCX";
    return {};
}

std::string DetectFileFormat(const std::string& path, FileFailure* failure)
{
    auto source = FileSource::Open(path, failure);
    if (!source)
        return {};
    std::vector<std::uint8_t> head(std::size_t(std::min<std::uint64_t>(kHeadBytes, source->size())));
    head.resize(source->read(head.data(), head.size()));
    return DetectFormat(head);
}

}  // namespace lv
