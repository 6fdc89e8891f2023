#include "imagelib/bmp.h"

#include "common/little_endian.h"
#include "imagelib/bmp_rle.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/image_file.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace lv {
namespace {

constexpr std::uint16_t kBmpSignature = 0x4D42;  // "BM"
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
// Resolution written when the picture's own lies outside this range: 200 dpi.
constexpr std::int32_t kMinWrittenResolution = 395;
constexpr std::int32_t kMaxWrittenResolution = 78740;
constexpr std::int32_t kDefaultWrittenResolution = 7874;
// A run-length code pair yields at most 255 pixels: a file can't fill more than this per byte.
constexpr std::uint64_t kMaxRleExpansion = 128;

BitmapInfoHeader parseInfoHeader(const std::uint8_t* p)
{
    BitmapInfoHeader h{};
    h.biSize = LoadLE32(p);
    h.biWidth = std::int32_t(LoadLE32(p + 4));
    h.biHeight = std::int32_t(LoadLE32(p + 8));
    h.biPlanes = LoadLE16(p + 12);
    h.biBitCount = LoadLE16(p + 14);
    h.biCompression = LoadLE32(p + 16);
    h.biSizeImage = LoadLE32(p + 20);
    h.biXPelsPerMeter = std::int32_t(LoadLE32(p + 24));
    h.biYPelsPerMeter = std::int32_t(LoadLE32(p + 28));
    h.biClrUsed = LoadLE32(p + 32);
    h.biClrImportant = LoadLE32(p + 36);
    return h;
}

BitmapInfoHeader parseCoreHeader(const std::uint8_t* p)
{
    BitmapInfoHeader h{};
    h.biWidth = LoadLE16(p + 4);
    h.biHeight = LoadLE16(p + 6);
    h.biPlanes = LoadLE16(p + 8);
    h.biBitCount = LoadLE16(p + 10);
    return h;
}

void serialiseInfoHeader(const BitmapInfoHeader& h, std::uint8_t* p)
{
    StoreLE32(p, h.biSize);
    StoreLE32(p + 4, std::uint32_t(h.biWidth));
    StoreLE32(p + 8, std::uint32_t(h.biHeight));
    StoreLE16(p + 12, h.biPlanes);
    StoreLE16(p + 14, h.biBitCount);
    StoreLE32(p + 16, h.biCompression);
    StoreLE32(p + 20, h.biSizeImage);
    StoreLE32(p + 24, std::uint32_t(h.biXPelsPerMeter));
    StoreLE32(p + 28, std::uint32_t(h.biYPelsPerMeter));
    StoreLE32(p + 32, h.biClrUsed);
    StoreLE32(p + 36, h.biClrImportant);
}

// Widens one row of a 16-bit (5-5-5) or 32-bit file row to blue, green, red.
void widenRow(const std::uint8_t* in, std::uint8_t* out, int width, unsigned fileBits)
{
    for (int x = 0; x < width; ++x, out += 3) {
        if (fileBits == 32)
            std::memcpy(out, in + 4 * x, 3);
        else
            WidenWord555(LoadLE16(in + 2 * x), out);
    }
}

void flipRows(HDIB& picture)
{
    const std::size_t stride = picture.stride();
    std::vector<std::uint8_t> temp(stride);
    for (int top = 0, bottom = picture.height() - 1; top < bottom; ++top, --bottom) {
        std::memcpy(temp.data(), picture.row(top), stride);
        std::memcpy(picture.row(top), picture.row(bottom), stride);
        std::memcpy(picture.row(bottom), temp.data(), stride);
    }
}

ReadCode readUncompressed(ByteSource& source, const BmpLayout& layout, HDIB& picture)
{
    const int width = picture.width();
    const int height = picture.height();
    if (layout.fileBitCount == layout.header.biBitCount) {
        if (!source.readExact(picture.pixels(), picture.header().biSizeImage))
            return ReadCode::Broken;
    } else {
        std::vector<std::uint8_t> fileRow(std::size_t(DibStride(std::uint32_t(width), layout.fileBitCount)));
        for (int y = 0; y < height; ++y) {
            if (!source.readExact(fileRow.data(), fileRow.size()))
                return ReadCode::Broken;
            widenRow(fileRow.data(), picture.row(y), width, layout.fileBitCount);
        }
    }
    if (layout.topDown)
        flipRows(picture);
    return ReadCode::Image;
}

}  // namespace

BmpHeaderCheck ReadBmpHeaders(ByteSource& source)
{
    BmpHeaderCheck check;
    std::uint8_t fileHeader[kBmpFileHeaderSize];
    if (!source.readExact(fileHeader, sizeof fileHeader))
        return check;
    if (LoadLE16(fileHeader) != kBmpSignature) {
        check.failure = ReadCode::NotThisFormat;
        return check;
    }
    std::uint8_t info[kInfoHeaderSize];
    if (!source.readExact(info, 4))
        return check;
    BmpLayout layout{};
    layout.fileHeaderSize = LoadLE32(info);
    layout.dataOffset = LoadLE32(fileHeader + 10);
    if (layout.fileHeaderSize == kCoreHeaderSize) {
        if (!source.readExact(info + 4, kCoreHeaderSize - 4))
            return check;
        layout.header = parseCoreHeader(info);
    } else if (layout.fileHeaderSize == kInfoHeaderSize) {
        if (!source.readExact(info + 4, kInfoHeaderSize - 4))
            return check;
        layout.header = parseInfoHeader(info);
    } else {
        return check;
    }

    BitmapInfoHeader& h = layout.header;
    layout.compression = h.biCompression;
    layout.fileBitCount = h.biBitCount;
    const unsigned bits = h.biBitCount;
    const bool rleMatches = (h.biCompression == 1 && bits == 8) || (h.biCompression == 2 && bits == 4);
    if (h.biCompression != 0 && !rleMatches)
        return check;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 16 && bits != 32)
        return check;
    if (h.biHeight < 0) {
        if (h.biCompression != 0 || h.biHeight == INT32_MIN)
            return check;
        layout.topDown = true;
        h.biHeight = -h.biHeight;
    }
    const unsigned pictureBits = bits > 8 ? 24 : bits;
    const std::uint64_t rows = PictureBytes(h.biWidth, h.biHeight, pictureBits);
    if (rows == 0)
        return check;

    const std::uint32_t maxColours = pictureBits == 24 ? 0 : 1u << pictureBits;
    std::uint32_t colours = maxColours;
    if (h.biClrUsed != 0 && h.biClrUsed <= maxColours)
        colours = h.biClrUsed;
    h.biSize = kInfoHeaderSize;
    h.biPlanes = 1;
    h.biBitCount = std::uint16_t(pictureBits);
    h.biCompression = 0;
    h.biClrUsed = colours;
    h.biSizeImage = std::uint32_t(rows);
    check.layout = layout;
    return check;
}

ReadResult ReadBmp(ByteSource& source)
{
    const BmpHeaderCheck check = ReadBmpHeaders(source);
    if (!check.layout)
        return check.failure;
    const BmpLayout& layout = *check.layout;
    const BitmapInfoHeader& h = layout.header;

    // Colour table: 4-byte entries after a 40-byte header, blue-green-red triples after a 12-byte one.
    const std::size_t entrySize = layout.fileHeaderSize == kCoreHeaderSize ? 3 : 4;
    std::vector<std::uint8_t> table(entrySize * h.biClrUsed);
    if (!source.readExact(table.data(), table.size()))
        return ReadCode::Broken;
    if (layout.dataOffset != 0 && !source.seek(layout.dataOffset))
        return ReadCode::Broken;

    // Refuse sizes the rest of the file can't possibly fill before allocating them.
    const std::uint64_t available = source.remaining();
    if (layout.compression == 0) {
        const std::uint64_t fileRows = DibStride(std::uint32_t(h.biWidth), layout.fileBitCount) * std::uint64_t(h.biHeight);
        if (fileRows > available)
            return ReadCode::Broken;
    } else if (h.biSizeImage > available * kMaxRleExpansion) {
        return ReadCode::Broken;
    }

    HDIB picture = AllocatePicture(h.biWidth, h.biHeight, h.biBitCount, h.biClrUsed);
    if (!picture)
        return ReadCode::Failure;
    picture.header() = h;
    RgbQuad* colours = picture.colors();
    for (std::uint32_t i = 0; i < h.biClrUsed; ++i) {
        const std::uint8_t* e = table.data() + i * entrySize;
        colours[i] = {e[0], e[1], e[2], 0};
    }

    if (layout.compression != 0) {
        DecodeBmpRle(source, picture);
        return picture;
    }
    const ReadCode code = readUncompressed(source, layout, picture);
    if (code != ReadCode::Image)
        return code;
    return picture;
}

ReadResult ReadBmp(const std::string& path)
{
    auto source = OpenImageForReading(path);
    if (!source)
        return ReadCode::NotThisFormat;
    return ReadBmp(*source);
}

WriteResult WriteBmp(ByteSink& sink, HDIB& image)
{
    if (!image)
        return WriteResult::NotWritten;
    BitmapInfoHeader& h = image.header();
    const auto outside = [](std::int32_t v) { return v < kMinWrittenResolution || v > kMaxWrittenResolution; };
    if (outside(h.biXPelsPerMeter) || outside(h.biYPelsPerMeter))
        h.biXPelsPerMeter = h.biYPelsPerMeter = kDefaultWrittenResolution;
    if (h.biSizeImage == 0)
        h.biSizeImage = std::uint32_t(image.stride() * std::size_t(h.biHeight));

    const std::uint32_t headerSize = std::uint32_t(image.pixelOffset());
    const std::size_t dataBytes = std::min<std::size_t>(headerSize + std::size_t(h.biSizeImage), image.size());
    std::uint8_t fileHeader[kBmpFileHeaderSize] = {};
    StoreLE16(fileHeader, kBmpSignature);
    StoreLE32(fileHeader + 2, std::uint32_t(kBmpFileHeaderSize + headerSize + h.biSizeImage));
    StoreLE32(fileHeader + 10, std::uint32_t(kBmpFileHeaderSize + headerSize));
    if (!sink.write(fileHeader, sizeof fileHeader) || !sink.flush())
        return WriteResult::Failed;

    // The in-memory header is written through an explicit little-endian copy.
    std::uint8_t info[kInfoHeaderSize];
    serialiseInfoHeader(h, info);
    if (!sink.write(info, sizeof info) || !sink.write(image.data() + kInfoHeaderSize, dataBytes - kInfoHeaderSize))
        return WriteResult::NotWritten;
    return WriteResult::Written;
}

WriteResult WriteBmp(const std::string& path, HDIB& image)
{
    if (!image)
        return WriteResult::NotWritten;
    return WriteImageFile(path, [&](ByteSink& sink) { return WriteBmp(sink, image); },
                          {WriteResult::Failed, WriteResult::NotWritten});
}

}  // namespace lv
