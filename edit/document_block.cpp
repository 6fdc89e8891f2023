#include "edit/document_block.h"

#include "common/little_endian.h"
#include "edit/layered_layout.h"

#include <array>
#include <string>

namespace lv {
namespace {

std::array<std::uint64_t, 4> readLengths(ByteSource& source, std::uint64_t position, bool& ok)
{
    std::array<std::uint64_t, 4> lengths{};
    std::uint8_t words[16];
    ok = ReadBlockEncoding(source, position) == kBlockDocument && source.readExact(words, sizeof words);
    for (std::size_t i = 0; ok && i < lengths.size(); ++i)
        lengths[i] = LoadLE32(words + 4 * i);
    return lengths;
}

template <typename Bytes>
bool readRun(ByteSource& source, std::uint64_t length, Bytes& into)
{
    into.resize(std::size_t(length));
    return length == 0 || source.readExact(into.data(), into.size());
}

}  // namespace

bool WriteDocumentBlock(ByteSink& sink, const DocumentMetadata& metadata)
{
    const PhotoMetadata& photo = metadata.photo;
    const std::size_t lengths[4] = {photo.exif.size(), photo.xmp.size(), photo.iptc.size(), metadata.iccProfile.size()};
    for (const std::size_t length : lengths)
        if (length > UINT32_MAX)
            return false;
    if (!WriteBlockHeader(sink, kBlockDocument))
        return false;
    for (const std::size_t length : lengths)
        if (!sink.writeLE32(std::uint32_t(length)))
            return false;
    return sink.write(photo.exif.data(), photo.exif.size()) && sink.write(photo.xmp.data(), photo.xmp.size())
           && sink.write(photo.iptc.data(), photo.iptc.size())
           && sink.write(metadata.iccProfile.data(), metadata.iccProfile.size());
}

std::optional<std::uint64_t> DocumentBlockLength(ByteSource& source, std::uint64_t position)
{
    bool ok = false;
    const auto lengths = readLengths(source, position, ok);
    if (!ok)
        return std::nullopt;
    return kDocumentBlockHead + lengths[0] + lengths[1] + lengths[2] + lengths[3];
}

std::optional<DocumentMetadata> ReadDocumentBlock(ByteSource& source, std::uint64_t position)
{
    bool ok = false;
    const auto lengths = readLengths(source, position, ok);
    // The caller has checked the extent; this only keeps a lying length from allocating.
    if (!ok || lengths[0] + lengths[1] + lengths[2] + lengths[3] > source.remaining())
        return std::nullopt;
    std::vector<std::uint8_t> exif;
    std::string xmp;
    std::vector<std::uint8_t> iptc;
    DocumentMetadata metadata;
    if (!readRun(source, lengths[0], exif) || !readRun(source, lengths[1], xmp) || !readRun(source, lengths[2], iptc)
        || !readRun(source, lengths[3], metadata.iccProfile))
        return std::nullopt;
    metadata.photo = ReadExifBlock(exif);
    metadata.photo.xmp = std::move(xmp);
    metadata.photo.iptc = std::move(iptc);
    metadata.photo.orientation = 1;
    return metadata;
}

}  // namespace lv
