#include "imagelib/metadata/exiv2_session.h"

#include <array>
#include <mutex>
#include <string_view>

namespace lv::metadata {

void EnsureLibraryReady()
{
    static std::once_flag once;
    std::call_once(once, [] {
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
        Exiv2::XmpParser::initialize();
    });
}

void EraseLayoutTags(Exiv2::ExifData& exif)
{
    static constexpr std::array<std::string_view, 22> kLayout = {
        "ImageWidth", "ImageLength", "BitsPerSample", "Compression", "PhotometricInterpretation",
        "StripOffsets", "SamplesPerPixel", "RowsPerStrip", "StripByteCounts", "PlanarConfiguration",
        "TileWidth", "TileLength", "TileOffsets", "TileByteCounts", "ColorMap", "ExtraSamples",
        "SampleFormat", "Predictor", "NewSubfileType", "SubfileType", "FillOrder", "SubIFDs",
    };
    for (auto it = exif.begin(); it != exif.end();) {
        const bool primary = it->groupName() == "Image";
        bool layout = false;
        for (std::string_view name : kLayout)
            layout = layout || it->tagName() == name;
        it = primary && layout ? exif.erase(it) : std::next(it);
    }
}

std::vector<std::uint8_t> EncodeExif(const Exiv2::ExifData& exif)
{
    if (exif.empty())
        return {};
    Exiv2::Blob blob;
    Exiv2::ExifParser::encode(blob, Exiv2::littleEndian, exif);
    return {blob.begin(), blob.end()};
}

Exiv2::ExifData DecodeExif(std::span<const std::uint8_t> block)
{
    Exiv2::ExifData exif;
    if (!block.empty())
        Exiv2::ExifParser::decode(exif, block.data(), std::uint32_t(block.size()));
    return exif;
}

}  // namespace lv::metadata
