#include "imagelib/codecs/raw/camera_raw.h"

#include "common/little_endian.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace lv {
namespace {

constexpr std::array<std::string_view, 27> kRawExtensions = {
    "DNG", "CR2", "CR3", "CRW", "NEF", "NRW", "ARW", "SRF", "SR2", "ORF", "RW2", "RAF", "PEF", "SRW",
    "RWL", "MRW", "3FR", "FFF", "IIQ", "MOS", "MEF", "ERF", "KDC", "DCR", "X3F", "RAW", "GPR",
};

constexpr std::uint16_t kDngVersionTag = 0xC612;

std::uint32_t load32(const std::uint8_t* p, bool big)
{
    return big ? std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3] : LoadLE32(p);
}
std::uint16_t load16(const std::uint8_t* p, bool big)
{
    return big ? std::uint16_t(p[0] << 8 | p[1]) : std::uint16_t(p[0] | p[1] << 8);
}

// A TIFF whose first directory carries the DNG version.
bool dngDirectory(std::span<const std::uint8_t> head)
{
    const bool little = head[0] == 'I' && head[1] == 'I' && head[2] == 42 && head[3] == 0;
    const bool big = head[0] == 'M' && head[1] == 'M' && head[2] == 0 && head[3] == 42;
    if (!little && !big)
        return false;
    const std::uint64_t offset = load32(head.data() + 4, big);
    if (offset + 2 > head.size())
        return false;
    const std::uint16_t count = load16(head.data() + offset, big);
    for (std::uint64_t i = 0, entry = offset + 2; i < count && entry + 12 <= head.size(); ++i, entry += 12)
        if (load16(head.data() + entry, big) == kDngVersionTag)
            return true;
    return false;
}

bool startsWith(std::span<const std::uint8_t> head, std::size_t at, std::string_view mark)
{
    return head.size() >= at + mark.size() && std::memcmp(head.data() + at, mark.data(), mark.size()) == 0;
}

}  // namespace

bool IsCameraRawExtension(std::string_view upperExtension)
{
    return std::find(kRawExtensions.begin(), kRawExtensions.end(), upperExtension) != kRawExtensions.end();
}

bool IsCameraRawHead(std::span<const std::uint8_t> head)
{
    if (head.size() < 16)
        return false;
    return dngDirectory(head) || startsWith(head, 8, "CR\x02") || startsWith(head, 0, "IIRO") || startsWith(head, 0, "IIRS")
           || startsWith(head, 0, "MMOR") || startsWith(head, 0, std::string_view("IIU\0", 4))
           || startsWith(head, 0, "FUJIFILMCCD-RAW") || startsWith(head, 4, "ftypcrx ") || startsWith(head, 6, "HEAPCCDR");
}

}  // namespace lv
