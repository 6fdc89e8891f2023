#include "imagelib/metadata/photo_metadata.h"

#include "imagelib/metadata/exiv2_session.h"

#include <cstdio>
#include <ctime>

namespace lv {
namespace {

std::string firstText(const Exiv2::ExifData& exif, std::initializer_list<const char*> keys)
{
    for (const char* key : keys) {
        const auto it = exif.findKey(Exiv2::ExifKey(key));
        if (it != exif.end() && it->count() > 0) {
            std::string text = it->toString();
            while (!text.empty() && (text.back() == ' ' || text.back() == '\0'))
                text.pop_back();
            if (!text.empty())
                return text;
        }
    }
    return {};
}

std::string firstText(const Exiv2::XmpData& xmp, std::initializer_list<const char*> keys)
{
    for (const char* key : keys) {
        const auto it = xmp.findKey(Exiv2::XmpKey(key));
        if (it != xmp.end() && it->count() > 0)
            return it->toString();
    }
    return {};
}

int validOrientation(long value)
{
    return value >= 1 && value <= 8 ? int(value) : 1;
}

// XMP dates are ISO 8601 ("2021-06-05T14:03:09+02:00"); EXIF's form is kept throughout.
std::string exifDateFromXmp(std::string date)
{
    if (date.size() < 19 || date[4] != '-' || date[10] != 'T')
        return {};
    date.resize(19);
    date[4] = date[7] = ':';
    date[10] = ' ';
    return date;
}

void decodeFacts(PhotoMetadata& facts, const Exiv2::ExifData& exif, const Exiv2::XmpData& xmp)
{
    const auto orientation = exif.findKey(Exiv2::ExifKey("Exif.Image.Orientation"));
    if (orientation != exif.end() && orientation->count() > 0) {
        facts.orientation = validOrientation(orientation->toLong());
    } else {
        const auto stored = xmp.findKey(Exiv2::XmpKey("Xmp.tiff.Orientation"));
        if (stored != xmp.end() && stored->count() > 0)
            facts.orientation = validOrientation(stored->toLong());
    }
    facts.dateTaken = firstText(exif, {"Exif.Photo.DateTimeOriginal", "Exif.Photo.DateTimeDigitized"});
    if (DateTakenSeconds(facts.dateTaken) == 0)
        facts.dateTaken = exifDateFromXmp(
            firstText(xmp, {"Xmp.exif.DateTimeOriginal", "Xmp.photoshop.DateCreated", "Xmp.xmp.CreateDate"}));
    const std::string make = firstText(exif, {"Exif.Image.Make"});
    std::string model = firstText(exif, {"Exif.Image.Model"});
    if (model.empty())
        model = firstText(xmp, {"Xmp.tiff.Model"});
    facts.camera = make.empty() || model.rfind(make, 0) == 0 || model.empty() ? model : make + " " + model;
}

}  // namespace

PhotoMetadata ReadPhotoMetadata(std::span<const std::uint8_t> encoded)
{
    PhotoMetadata facts;
    if (encoded.empty() || encoded.size() > kMaxMetadataInputBytes)
        return facts;
    try {
        metadata::EnsureLibraryReady();
        auto image = Exiv2::ImageFactory::open(encoded.data(), long(encoded.size()));
        if (!image.get())
            return facts;
        image->readMetadata();
        Exiv2::ExifData exif = image->exifData();
        metadata::EraseLayoutTags(exif);
        decodeFacts(facts, exif, image->xmpData());
        facts.exif = metadata::EncodeExif(exif);
        facts.xmp = image->xmpPacket();
        if (!image->iptcData().empty()) {
            const Exiv2::DataBuf iptc = Exiv2::IptcParser::encode(image->iptcData());
            facts.iptc.assign(iptc.pData_, iptc.pData_ + iptc.size_);
        }
    } catch (...) {
        // A block the library can't read is no metadata, whatever it threw.
        return PhotoMetadata{};
    }
    return facts;
}

PhotoMetadata ReadExifBlock(std::span<const std::uint8_t> block)
{
    PhotoMetadata facts;
    if (block.empty() || block.size() > kMaxMetadataInputBytes)
        return facts;
    try {
        metadata::EnsureLibraryReady();
        const Exiv2::ExifData exif = metadata::DecodeExif(block);
        decodeFacts(facts, exif, Exiv2::XmpData());
        facts.exif = metadata::EncodeExif(exif);
    } catch (...) {
        return PhotoMetadata{};
    }
    return facts;
}

std::int64_t DateTakenSeconds(const std::string& dateTaken)
{
    std::tm parts{};
    if (dateTaken.size() < 19 || std::sscanf(dateTaken.c_str(), "%4d:%2d:%2d %2d:%2d:%2d", &parts.tm_year, &parts.tm_mon,
                                             &parts.tm_mday, &parts.tm_hour, &parts.tm_min, &parts.tm_sec) != 6)
        return 0;
    if (parts.tm_year < 1900 || parts.tm_mon < 1 || parts.tm_mon > 12 || parts.tm_mday < 1 || parts.tm_mday > 31)
        return 0;
    parts.tm_year -= 1900;
    parts.tm_mon -= 1;
    parts.tm_isdst = -1;
    const std::time_t seconds = std::mktime(&parts);
    return seconds > 0 ? std::int64_t(seconds) : 0;
}

}  // namespace lv
