#include "imagelib/metadata/sparse_file_bytes.h"

#include "common/byte_source.h"
#include "imagelib/codecs/tiff/tiff_directory.h"
#include "imagelib/metadata/photo_metadata.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace lv {
namespace {

using Range = std::pair<std::uint64_t, std::uint64_t>;  // [begin, end)

// The strips of the first directory, sorted and clipped to the file; empty when the file
// isn't TIFF or they can't be read.
std::vector<Range> stripRanges(ByteSource& source)
{
    const std::optional<TiffInfo> info = ReadTiffDirectory(source);
    if (!info)
        return {};
    const auto offsets = ReadTiffValues(source, info->order, info->stripOffsets);
    const auto counts = ReadTiffValues(source, info->order, info->stripByteCounts);
    if (!offsets || !counts || offsets->size() != counts->size())
        return {};
    std::vector<Range> ranges;
    for (std::size_t i = 0; i < offsets->size(); ++i) {
        const std::uint64_t begin = std::min<std::uint64_t>((*offsets)[i], source.size());
        ranges.push_back({begin, std::min(begin + (*counts)[i], source.size())});
    }
    std::sort(ranges.begin(), ranges.end());
    return ranges;
}

}  // namespace

SparseFileBytes SparseFileBytes::Read(const std::string& path)
{
    SparseFileBytes file;
    auto source = FileSource::Open(path);
    if (!source || source->size() == 0 || source->size() > kMaxMetadataInputBytes)
        return file;
    const std::vector<Range> strips = stripRanges(*source);
    if (strips.empty())
        return file;
    file.block_.reset(static_cast<std::uint8_t*>(std::calloc(std::size_t(source->size()), 1)));
    if (!file.block_)
        return file;
    // The gaps between the strips, and what lies before the first and after the last.
    std::uint64_t at = 0;
    const auto readUpTo = [&](std::uint64_t end) {
        return end <= at || (source->seek(at) && source->readExact(file.block_.get() + at, std::size_t(end - at)));
    };
    for (const Range& strip : strips) {
        if (!readUpTo(strip.first))
            return {};
        at = std::max(at, strip.second);
    }
    if (!readUpTo(source->size()))
        return {};
    file.size_ = std::size_t(source->size());
    return file;
}

}  // namespace lv
