#include "imagelib/metadata/metadata_writer.h"

#include "imagelib/metadata/exiv2_session.h"

#include <cstring>

namespace lv {
namespace {

bool isPersonal(const std::string& group, const std::string& name)
{
    return group.find("GPS") != std::string::npos || name.find("Serial") != std::string::npos ||
           name == "MakerNote" || name == "CameraOwnerName" || name == "OwnerName";
}

// Maker notes hold serials in each maker's own layout, so the whole note goes.
bool isMakerNoteGroup(const Exiv2::Exifdatum& datum)
{
    return Exiv2::ExifTags::isMakerGroup(datum.groupName());
}

void erasePersonal(Exiv2::ExifData& exif)
{
    for (auto it = exif.begin(); it != exif.end();)
        it = isPersonal(it->groupName(), it->tagName()) || isMakerNoteGroup(*it) ? exif.erase(it) : std::next(it);
}

void erasePersonal(Exiv2::XmpData& xmp)
{
    for (auto it = xmp.begin(); it != xmp.end();) {
        const std::string name = it->tagName();
        it = name.rfind("GPS", 0) == 0 || isPersonal("", name) ? xmp.erase(it) : std::next(it);
    }
}

void prepareExif(Exiv2::ExifData& exif, const MetadataWriteOptions& options)
{
    Exiv2::ExifThumb(exif).erase();
    if (options.removePersonal)
        erasePersonal(exif);
    exif["Exif.Image.Orientation"] = std::uint16_t(1);
    if (exif.findKey(Exiv2::ExifKey("Exif.Photo.PixelXDimension")) != exif.end() ||
        exif.findKey(Exiv2::ExifKey("Exif.Photo.PixelYDimension")) != exif.end()) {
        exif["Exif.Photo.PixelXDimension"] = std::uint32_t(options.width);
        exif["Exif.Photo.PixelYDimension"] = std::uint32_t(options.height);
    }
}

void prepareXmp(Exiv2::XmpData& xmp, const MetadataWriteOptions& options)
{
    if (options.removePersonal)
        erasePersonal(xmp);
    if (xmp.findKey(Exiv2::XmpKey("Xmp.tiff.Orientation")) != xmp.end())
        xmp["Xmp.tiff.Orientation"] = "1";
    for (const char* key : {"Xmp.exif.PixelXDimension", "Xmp.tiff.ImageWidth"})
        if (xmp.findKey(Exiv2::XmpKey(key)) != xmp.end())
            xmp[key] = std::to_string(options.width);
    for (const char* key : {"Xmp.exif.PixelYDimension", "Xmp.tiff.ImageLength"})
        if (xmp.findKey(Exiv2::XmpKey(key)) != xmp.end())
            xmp[key] = std::to_string(options.height);
}

std::vector<std::uint8_t> readAll(Exiv2::BasicIo& io)
{
    if (io.open() != 0)
        return {};
    std::vector<std::uint8_t> bytes(io.size());
    const long read = bytes.empty() ? 0 : io.read(bytes.data(), long(bytes.size()));
    io.close();
    if (read != long(bytes.size()))
        return {};
    return bytes;
}

}  // namespace

bool InsertPhotoMetadata(std::vector<std::uint8_t>& encoded, const PhotoMetadata& metadata,
                         const MetadataWriteOptions& options)
{
    if (!metadata.hasBlocks() || encoded.empty() || encoded.size() > kMaxMetadataInputBytes)
        return false;
    try {
        metadata::EnsureLibraryReady();
        auto image = Exiv2::ImageFactory::open(encoded.data(), long(encoded.size()));
        if (!image.get())
            return false;
        image->readMetadata();
        // The encoder's own tags (a TIFF's layout) stay; the photo's are laid over them.
        Exiv2::ExifData exif = image->exifData();
        for (const Exiv2::Exifdatum& datum : metadata::DecodeExif(metadata.exif))
            exif[datum.key()] = datum.value();
        prepareExif(exif, options);
        image->setExifData(exif);
        if (!metadata.xmp.empty()) {
            Exiv2::XmpData xmp;
            if (Exiv2::XmpParser::decode(xmp, metadata.xmp) == 0) {
                prepareXmp(xmp, options);
                image->setXmpData(xmp);
            }
        }
        if (!metadata.iptc.empty()) {
            Exiv2::IptcData iptc;
            if (Exiv2::IptcParser::decode(iptc, metadata.iptc.data(), std::uint32_t(metadata.iptc.size())) == 0)
                image->setIptcData(iptc);
        }
        image->writeMetadata();
        std::vector<std::uint8_t> written = readAll(image->io());
        if (written.empty())
            return false;
        encoded = std::move(written);
        return true;
    } catch (...) {
        return false;
    }
}

PhotoMetadata PreparedForSave(const PhotoMetadata& metadata, const MetadataWriteOptions& options)
{
    PhotoMetadata prepared = metadata;
    try {
        metadata::EnsureLibraryReady();
        if (!metadata.exif.empty()) {
            Exiv2::ExifData exif = metadata::DecodeExif(metadata.exif);
            prepareExif(exif, options);
            prepared.exif = metadata::EncodeExif(exif);
        }
        Exiv2::XmpData xmp;
        std::string packet;
        if (!metadata.xmp.empty() && Exiv2::XmpParser::decode(xmp, metadata.xmp) == 0) {
            prepareXmp(xmp, options);
            if (Exiv2::XmpParser::encode(packet, xmp) == 0)
                prepared.xmp = packet;
        }
    } catch (...) {
        prepared.exif.clear();
        prepared.xmp.clear();
    }
    prepared.orientation = 1;
    return prepared;
}

PhotoMetadata WithoutPersonalData(const PhotoMetadata& metadata)
{
    PhotoMetadata kept = metadata;
    try {
        metadata::EnsureLibraryReady();
        Exiv2::ExifData exif = metadata::DecodeExif(metadata.exif);
        erasePersonal(exif);
        kept.exif = metadata::EncodeExif(exif);
        if (!metadata.xmp.empty()) {
            Exiv2::XmpData xmp;
            std::string packet;
            if (Exiv2::XmpParser::decode(xmp, metadata.xmp) == 0) {
                erasePersonal(xmp);
                if (Exiv2::XmpParser::encode(packet, xmp) == 0)
                    kept.xmp = packet;
            }
        }
    } catch (...) {
        kept.exif.clear();
        kept.xmp.clear();
    }
    return kept;
}

}  // namespace lv
