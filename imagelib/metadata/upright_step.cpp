#include "imagelib/metadata/upright_step.h"

#include "common/byte_source.h"
#include "imagelib/metadata/orient_upright.h"

#include <array>

namespace lv {

bool FormatCarriesMetadata(std::string_view format)
{
    static constexpr std::array<std::string_view, 9> kFormats = {"JPG", "JPEG", "TIF", "TIFF", "PNG",
                                                                 "WEBP", "HEIC", "AVIF", "JXL"};
    for (std::string_view name : kFormats)
        if (name == format)
            return true;
    return false;
}

PhotoMetadata ReadFileMetadata(const std::string& path)
{
    auto source = FileSource::Open(path);
    if (!source || source->size() == 0 || source->size() > kMaxMetadataInputBytes)
        return {};
    std::vector<std::uint8_t> bytes(std::size_t(source->size()));
    if (!source->readExact(bytes.data(), bytes.size()))
        return {};
    return ReadPhotoMetadata(bytes);
}

PhotoMetadata ApplyPhotoMetadata(ReadResult& result, const std::string& path)
{
    if (!result.ok())
        return {};
    PictureFacts& facts = result.facts();
    PhotoMetadata metadata = ReadFileMetadata(path);
    if (facts.alreadyUpright)
        return metadata;
    if (facts.storedOrientation == 1)
        facts.storedOrientation = metadata.orientation;
    if (facts.storedOrientation == 1)
        return metadata;
    HDIB upright = OrientUpright(result.image(), facts.storedOrientation);
    if (!upright)
        return metadata;
    result.image() = std::move(upright);
    facts.alreadyUpright = true;
    return metadata;
}

}  // namespace lv
