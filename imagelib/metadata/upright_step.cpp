#include "imagelib/metadata/upright_step.h"

#include "common/byte_source.h"
#include "imagelib/metadata/orient_upright.h"
#include "imagelib/metadata/sparse_file_bytes.h"

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

namespace {

// A JPEG's metadata all lies in the segments before its first scan: the length of that head
// (through the scan's marker and length), so the compressed data is not read twice. Zero
// when the file is no JPEG or its segments don't lead to a scan.
std::uint64_t jpegHeadLength(ByteSource& source)
{
    if (source.readBE16() != 0xFFD8)
        return 0;
    while (true) {
        const auto marker = source.readBE16();
        const auto length = source.readBE16();
        if (!marker || !length || (*marker & 0xFF00) != 0xFF00 || *length < 2)
            return 0;
        if (*marker == 0xFFDA)
            return source.position();
        if (!source.skip(*length - 2u))
            return 0;
    }
}

}  // namespace

FileBytes ReadMetadataBytes(const std::string& path)
{
    auto source = FileSource::Open(path);
    if (!source || source->size() == 0 || source->size() > kMaxMetadataInputBytes)
        return {};
    const std::uint64_t head = jpegHeadLength(*source);
    FileBytes bytes(std::size_t(head ? head : source->size()));
    if (!source->seek(0) || !source->readExact(bytes.data(), bytes.size()))
        return {};
    return bytes;
}

PhotoMetadata ReadFileMetadata(const std::string& path)
{
    const SparseFileBytes file = SparseFileBytes::Read(path);
    if (!file.bytes().empty())
        return ReadPhotoMetadata(file.bytes());
    const FileBytes bytes = ReadMetadataBytes(path);
    return bytes.empty() ? PhotoMetadata{} : ReadPhotoMetadata(bytes);
}

PhotoMetadata ApplyPhotoMetadata(ReadResult& result, const std::string& path)
{
    if (!result.ok())
        return {};
    return ApplyKnownPhotoMetadata(result, ReadFileMetadata(path));
}

PhotoMetadata ApplyKnownPhotoMetadata(ReadResult& result, PhotoMetadata metadata)
{
    if (!result.ok())
        return {};
    PictureFacts& facts = result.facts();
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
