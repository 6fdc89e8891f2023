#include "imagelib/codecs/tiff/tiff_icc.h"

#include "imagelib/colour/colour_profile.h"

namespace lv {

std::vector<std::uint8_t> ReadTiffIccProfile(ByteSource& source, const TiffInfo& info)
{
    const TiffValueList& list = info.iccProfile;
    if (!list.present() || list.count <= 4 || list.count > kMaxColourProfileBytes)
        return {};
    if (list.type != kTiffUndefined && list.type != 1)  // UNDEFINED, or BYTE from some writers
        return {};
    const std::uint32_t offset = info.order.u32(list.field);
    if (offset > source.size() || list.count > source.size() - offset || !source.seek(offset))
        return {};
    std::vector<std::uint8_t> profile(list.count);
    if (!source.readExact(profile.data(), profile.size()))
        return {};
    return profile;
}

std::optional<TiffIccPlacement> AppendTiffIccProfile(ByteSink& sink, std::span<const std::uint8_t> profile)
{
    if (profile.empty() || profile.size() > kMaxColourProfileBytes)
        return std::nullopt;
    if (sink.position() % 2 != 0 && !sink.writeU8(0))
        return std::nullopt;
    const std::uint64_t offset = sink.position();
    if (offset + profile.size() > 0xFFFFFFFFu || !sink.write(profile.data(), profile.size()))
        return std::nullopt;
    return TiffIccPlacement{std::uint32_t(offset), std::uint32_t(profile.size())};
}

}  // namespace lv
