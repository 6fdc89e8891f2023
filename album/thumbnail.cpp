#include "album/thumbnail.h"

#include "common/little_endian.h"
#include "imagelib/dib_alloc.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <limits>

namespace lv::album {
namespace {

constexpr int kFieldLimit = std::numeric_limits<std::uint16_t>::max();

// An entry with its record filled and the thumbnail's header written; rows left zero.
std::optional<AlbumEntry> startEntry(int width, int height, int bitCount, std::int32_t xPels, std::int32_t yPels,
                                     const EntryLabel& label)
{
    if (width < 1 || height < 1 || width > kFieldLimit || height > kFieldLimit)
        return std::nullopt;
    const Size size = ThumbnailSize(width, height);
    const std::uint32_t bytes = ThumbnailBytes(size);
    AlbumEntry entry(bytes);
    const FileFacts facts = StatPhotoFile(label.path);
    entry.setFileSize(facts.size);
    entry.setCreated(facts.time);
    entry.setPath(label.path);
    if (!label.caption.empty())
        entry.setCaption(label.caption);
    for (int i = 0; i < 3; ++i)
        entry.setItemValue(i, std::uint16_t(label.values[i]));
    entry.setBitCount(std::uint16_t(bitCount));
    entry.setWidth(std::uint16_t(width));
    entry.setHeight(std::uint16_t(height));
    entry.setThumbWidth(std::uint16_t(size.width));
    entry.setThumbHeight(std::uint16_t(size.height));
    entry.setThumbSize(bytes);

    BitmapInfoHeader header{};
    header.biSize = std::uint32_t(kDibHeaderSize);
    header.biWidth = size.width;
    header.biHeight = size.height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biSizeImage = bytes - std::uint32_t(kDibHeaderSize);
    header.biXPelsPerMeter = xPels;
    header.biYPelsPerMeter = yPels;
    std::uint8_t* out = entry.thumbnail().data();
    StoreLE32(out + 0, header.biSize);
    StoreLE32(out + 4, std::uint32_t(header.biWidth));
    StoreLE32(out + 8, std::uint32_t(header.biHeight));
    StoreLE16(out + 12, header.biPlanes);
    StoreLE16(out + 14, header.biBitCount);
    StoreLE32(out + 20, header.biSizeImage);
    StoreLE32(out + 24, std::uint32_t(header.biXPelsPerMeter));
    StoreLE32(out + 28, std::uint32_t(header.biYPelsPerMeter));
    return entry;
}

std::uint8_t* thumbnailRow(AlbumEntry& entry, int y)
{
    return entry.thumbnail().data() + kDibHeaderSize + std::size_t(y) * ThumbnailRowBytes(entry.thumbWidth());
}

void putColour(std::uint8_t* out, const HDIB& image, unsigned index)
{
    if (index >= image.clrUsed()) {
        out[0] = out[1] = out[2] = 0;
        return;
    }
    const RgbQuad& c = image.colors()[index];
    out[0] = c.rgbBlue, out[1] = c.rgbGreen, out[2] = c.rgbRed;
}

void samplePixel(const HDIB& image, const std::uint8_t* row, int x, std::uint8_t* out)
{
    switch (image.bitCount()) {
    case 24:
        std::memcpy(out, row + std::size_t(x) * 3, 3);
        break;
    case 16:
        WidenWord555(LoadLE16(row + std::size_t(x) * 2), out);
        break;
    case 8:
        putColour(out, image, row[x]);
        break;
    case 4:
        putColour(out, image, x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2] & 15u);
        break;
    default:  // 1
        putColour(out, image, (row[x / 8] >> (7 - x % 8)) & 1u);
        break;
    }
}

}  // namespace

Size ThumbnailSize(int width, int height)
{
    return ThumbnailSizeWithin(width, height, kThumbnailSide);
}

Size ThumbnailSizeWithin(int width, int height, int side)
{
    const int longer = std::max(width, height);
    if (longer < side + 1)
        return {width, height};
    const auto shorter = [longer, side](int other) {
        return std::max(1, int((std::int64_t(other) * side + longer / 2) / longer));
    };
    if (width >= height)
        return {side, shorter(height)};
    return {shorter(width), side};
}

SampleGrid ThumbnailGrid(int width, int height)
{
    return ThumbnailGridWithin(width, height, kThumbnailSide);
}

SampleGrid ThumbnailGridWithin(int width, int height, int side)
{
    const Size size = ThumbnailSizeWithin(width, height, side);
    SampleGrid grid;
    grid.columns.reserve(std::size_t(size.width));
    for (int x = 0; x < size.width; ++x)
        grid.columns.push_back(int(std::int64_t(x) * width / size.width));
    grid.rows.reserve(std::size_t(size.height));
    for (int y = size.height - 1; y >= 0; --y)
        grid.rows.push_back(height - 1 - int(std::int64_t(y) * height / size.height));
    return grid;
}

std::uint32_t ThumbnailRowBytes(int width)
{
    return (std::uint32_t(width) * 3 + 3) / 4 * 4;
}

std::uint32_t ThumbnailBytes(Size size)
{
    return std::uint32_t(kDibHeaderSize) + ThumbnailRowBytes(size.width) * std::uint32_t(size.height);
}

std::optional<FileFacts> StatFile(const std::string& path)
{
    struct stat st{};
    if (::stat(path.c_str(), &st) != 0)
        return std::nullopt;
    // The modification time: what changes when a photo is edited or replaced.
    return FileFacts{std::uint32_t(st.st_size), std::uint32_t(st.st_mtime)};
}

FileFacts StatPhotoFile(const std::string& path)
{
    return StatFile(path).value_or(FileFacts{});
}

std::optional<AlbumEntry> BuildEntry(const HDIB& image, const EntryLabel& label)
{
    const int bits = image ? image.bitCount() : 0;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24)
        return std::nullopt;
    const int w = image.width(), h = image.height();
    auto entry = startEntry(w, h, bits, image.header().biXPelsPerMeter, image.header().biYPelsPerMeter, label);
    if (!entry)
        return entry;
    const int tw = entry->thumbWidth(), th = entry->thumbHeight();
    for (int y = 0; y < th; ++y) {
        const std::uint8_t* source = image.row(int(std::int64_t(y) * h / th));
        std::uint8_t* out = thumbnailRow(*entry, y);
        for (int x = 0; x < tw; ++x, out += 3)
            samplePixel(image, source, int(std::int64_t(x) * w / tw), out);
    }
    return entry;
}

HDIB SampledThumbnail(const HDIB& image, int side)
{
    const int bits = image ? image.bitCount() : 0;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24)
        return {};
    const int w = image.width(), h = image.height();
    const Size size = ThumbnailSizeWithin(w, h, side);
    HDIB thumbnail = AllocatePicture(size.width, size.height, 24, 0);
    if (!thumbnail)
        return thumbnail;
    for (int y = 0; y < size.height; ++y) {
        const std::uint8_t* source = image.row(int(std::int64_t(y) * h / size.height));
        std::uint8_t* out = thumbnail.row(y);
        for (int x = 0; x < size.width; ++x, out += 3)
            samplePixel(image, source, int(std::int64_t(x) * w / size.width), out);
    }
    return thumbnail;
}

HDIB ThumbnailFromSamples(const SampledPixels& samples, int side)
{
    const Size size = ThumbnailSizeWithin(samples.width, samples.height, side);
    if (size.width < 1 || size.height < 1
        || samples.bgr.size() != std::size_t(size.width) * std::size_t(size.height) * 3)
        return {};
    HDIB thumbnail = AllocatePicture(size.width, size.height, 24, 0);
    if (!thumbnail)
        return thumbnail;
    for (int r = 0; r < size.height; ++r)
        std::memcpy(thumbnail.row(size.height - 1 - r), samples.bgr.data() + std::size_t(r) * std::size_t(size.width) * 3,
                    std::size_t(size.width) * 3);
    return thumbnail;
}

std::optional<AlbumEntry> BuildEntryFromSamples(const SampledPixels& samples, int bitCount, const EntryLabel& label)
{
    auto entry = startEntry(samples.width, samples.height, bitCount, samples.xPelsPerMeter, samples.yPelsPerMeter,
                            label);
    if (!entry)
        return entry;
    const int tw = entry->thumbWidth(), th = entry->thumbHeight();
    if (samples.bgr.size() != std::size_t(tw) * std::size_t(th) * 3)
        return std::nullopt;
    // Grid row r is thumbnail row th - 1 - r: the grid runs from the top.
    for (int r = 0; r < th; ++r)
        std::memcpy(thumbnailRow(*entry, th - 1 - r), samples.bgr.data() + std::size_t(r) * std::size_t(tw) * 3,
                    std::size_t(tw) * 3);
    return entry;
}

}  // namespace lv::album
