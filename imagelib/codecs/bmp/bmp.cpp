#include "imagelib/codecs/bmp/bmp.h"

#include "common/little_endian.h"
#include "imagelib/codecs/bmp/bmp_rle.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/codecs/image_file.h"
#include "imagelib/codecs/picture_budget.h"

#include <algorithm>
#include <bit>
#include <iterator>
#include <cstring>
#include <vector>

namespace lv {
namespace {

constexpr std::uint16_t kBmpSignature = 0x4D42;  // "BM"
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
// Later headers extend the 40-byte one: 52 and 56 bytes add the bit-field masks (and
// alpha), 108 and 124 bytes colour-space data this program does not use.
constexpr std::uint32_t kLongerHeaderSizes[] = {52, 56, 108, 124};
constexpr std::uint32_t kMasksOffset = 40;
constexpr std::uint32_t kBitFields = 3;
// Resolution written when the picture's own lies outside this range: 200 dpi.
constexpr std::int32_t kMinWrittenResolution = 395;
constexpr std::int32_t kMaxWrittenResolution = 78740;
constexpr std::int32_t kDefaultWrittenResolution = 7874;

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

// One channel of a pixel under a bit-field mask, as 8 bits: narrower fields are scaled to
// the full range (31 is white, as other programs show it), wider ones keep their top 8 bits.
std::uint8_t channel(std::uint32_t pixel, std::uint32_t mask)
{
    if (mask == 0)
        return 0;
    const int shift = std::countr_zero(mask);
    const int bits = std::countr_one(mask >> shift);
    const std::uint32_t value = (pixel & mask) >> shift & ((std::uint64_t(1) << bits) - 1);
    if (bits >= 8)
        return std::uint8_t(value >> (bits - 8));
    return std::uint8_t(value * 255 / ((1u << bits) - 1));
}

// Widens one 16- or 32-bit file row to blue, green, red through the layout's masks.
void widenRow(const std::uint8_t* in, std::uint8_t* out, int width, const BmpLayout& layout)
{
    const std::uint32_t* m = layout.masks;
    for (int x = 0; x < width; ++x, out += 3) {
        const std::uint32_t pixel = layout.fileBitCount == 32 ? LoadLE32(in + 4 * x) : LoadLE16(in + 2 * x);
        out[0] = channel(pixel, m[2]);
        out[1] = channel(pixel, m[1]);
        out[2] = channel(pixel, m[0]);
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

// Rows as far as the file's own image size says, within the rows the picture holds.
ReadResult readUncompressed(ByteSource& source, const BmpLayout& layout, HDIB& picture)
{
    const int width = picture.width();
    const int height = picture.height();
    const std::uint64_t fileStride = DibStride(std::uint32_t(width), layout.fileBitCount);
    const std::uint64_t wanted = layout.fileSizeImage != 0 ? std::min<std::uint64_t>(layout.fileSizeImage, fileStride * height)
                                                           : fileStride * height;
    const FileFailure truncated{FileProblem::Truncated, {}};
    if (layout.fileBitCount == layout.header.biBitCount) {
        if (!source.readExact(picture.pixels(), std::size_t(wanted)))
            return {ReadCode::Broken, truncated};
    } else {
        std::vector<std::uint8_t> fileRow(static_cast<std::size_t>(fileStride));
        for (int y = 0; std::uint64_t(y + 1) * fileStride <= wanted; ++y) {
            if (!source.readExact(fileRow.data(), fileRow.size()))
                return {ReadCode::Broken, truncated};
            widenRow(fileRow.data(), picture.row(y), width, layout);
        }
    }
    if (layout.topDown)
        flipRows(picture);
    return std::move(picture);
}

bool longerHeader(std::uint32_t size)
{
    return std::find(std::begin(kLongerHeaderSizes), std::end(kLongerHeaderSizes), size) != std::end(kLongerHeaderSizes);
}

}  // namespace

BmpHeaderCheck ReadBmpHeaders(ByteSource& source)
{
    BmpHeaderCheck check;
    const auto unsupported = [&check](std::string what) {
        check.cause = {FileProblem::Unsupported, std::move(what)};
        return check;
    };
    std::uint8_t fileHeader[kBmpFileHeaderSize];
    if (!source.readExact(fileHeader, sizeof fileHeader)) {
        check.cause = {FileProblem::Truncated, {}};
        return check;
    }
    if (LoadLE16(fileHeader) != kBmpSignature) {
        check.failure = ReadCode::NotThisFormat;
        check.cause = {FileProblem::UnknownFormat, {}};
        return check;
    }
    std::uint8_t info[kInfoHeaderSize + 16] = {};
    if (!source.readExact(info, 4)) {
        check.cause = {FileProblem::Truncated, {}};
        return check;
    }
    BmpLayout layout{};
    layout.fileHeaderSize = LoadLE32(info);
    layout.dataOffset = LoadLE32(fileHeader + 10);
    const bool longer = longerHeader(layout.fileHeaderSize);
    if (layout.fileHeaderSize != kCoreHeaderSize && layout.fileHeaderSize != kInfoHeaderSize && !longer)
        return unsupported("BMP com cabeçalho de " + std::to_string(layout.fileHeaderSize) + " bytes");
    // What a longer header adds beyond its masks is skipped.
    const std::uint32_t kept = std::min<std::uint32_t>(layout.fileHeaderSize, sizeof info);
    if (!source.readExact(info + 4, kept - 4) || !source.skip(layout.fileHeaderSize - kept)) {
        check.cause = {FileProblem::Truncated, {}};
        return check;
    }
    layout.header = layout.fileHeaderSize == kCoreHeaderSize ? parseCoreHeader(info) : parseInfoHeader(info);

    BitmapInfoHeader& h = layout.header;
    layout.compression = h.biCompression;
    layout.fileBitCount = h.biBitCount;
    layout.fileSizeImage = layout.fileHeaderSize == kCoreHeaderSize ? 0 : h.biSizeImage;
    const unsigned bits = h.biBitCount;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 16 && bits != 32)
        return unsupported("BMP de " + std::to_string(bits) + " bits por pixel");
    const bool rleMatches = (h.biCompression == 1 && bits == 8) || (h.biCompression == 2 && bits == 4);
    const bool bitFields = h.biCompression == kBitFields && (bits == 16 || bits == 32);
    if (h.biCompression != 0 && !rleMatches && !bitFields)
        return unsupported("BMP com compressão " + std::to_string(h.biCompression) + " e " + std::to_string(bits) + " bits");
    const bool wide = bits == 32;
    layout.masks[0] = wide ? 0x00FF0000u : 0x7C00u;
    layout.masks[1] = wide ? 0x0000FF00u : 0x03E0u;
    layout.masks[2] = wide ? 0x000000FFu : 0x001Fu;
    if (bitFields && layout.fileHeaderSize == kInfoHeaderSize) {
        layout.masksFollowHeader = true;
    } else if (bitFields) {
        for (int i = 0; i < 3; ++i)
            layout.masks[i] = LoadLE32(info + kMasksOffset + 4 * i);
    }
    if (h.biHeight < 0) {
        if ((h.biCompression != 0 && !bitFields) || h.biHeight == INT32_MIN)
            return check;
        layout.topDown = true;
        h.biHeight = -h.biHeight;
    }
    const unsigned pictureBits = bits > 8 ? 24 : bits;
    const std::uint64_t rows = PictureBytes(h.biWidth, h.biHeight, pictureBits);
    if (rows == 0) {
        if (h.biWidth > 0 && h.biHeight > 0)
            check.cause = {FileProblem::TooLarge, {}};
        return check;
    }

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
        return {check.failure, check.cause};
    BmpLayout layout = *check.layout;
    const BitmapInfoHeader& h = layout.header;
    const FileFailure truncated{FileProblem::Truncated, {}};

    if (layout.masksFollowHeader) {
        std::uint8_t masks[12];
        if (!source.readExact(masks, sizeof masks))
            return {ReadCode::Broken, truncated};
        for (int i = 0; i < 3; ++i)
            layout.masks[i] = LoadLE32(masks + 4 * i);
    }
    // Colour table: 4-byte entries after a 40-byte header, blue-green-red triples after a 12-byte one.
    const std::size_t entrySize = layout.fileHeaderSize == kCoreHeaderSize ? 3 : 4;
    std::vector<std::uint8_t> table(entrySize * h.biClrUsed);
    if (!source.readExact(table.data(), table.size()))
        return {ReadCode::Broken, truncated};
    if (layout.dataOffset != 0 && !source.seek(layout.dataOffset))
        return {ReadCode::Broken, truncated};

    // Refuse sizes the rest of the file can't possibly fill before allocating them. Run-length
    // data can fill any size (end-of-line and end-of-bitmap codes leave the rest zero), so
    // only the picture budget bounds it.
    const std::uint64_t available = source.remaining();
    if (layout.compression == 0 || layout.compression == kBitFields) {
        const std::uint64_t fileRows = DibStride(std::uint32_t(h.biWidth), layout.fileBitCount) * std::uint64_t(h.biHeight);
        const std::uint64_t wanted = layout.fileSizeImage != 0 ? std::min<std::uint64_t>(layout.fileSizeImage, fileRows) : fileRows;
        if (wanted > available)
            return {ReadCode::Broken, truncated};
    }

    FilePicture made = AllocateFilePicture(h.biWidth, h.biHeight, h.biBitCount, h.biClrUsed, available);
    if (!made.picture)
        return {layout.compression == 0 ? ReadCode::Failure : ReadCode::Broken, made.failure};
    HDIB picture = std::move(made.picture);
    picture.header() = h;
    RgbQuad* colours = picture.colors();
    for (std::uint32_t i = 0; i < h.biClrUsed; ++i) {
        const std::uint8_t* e = table.data() + i * entrySize;
        colours[i] = {e[0], e[1], e[2], 0};
    }

    if (layout.compression == 1 || layout.compression == 2) {
        DecodeBmpRle(source, picture);
        return picture;
    }
    return readUncompressed(source, layout, picture);
}

ReadResult ReadBmp(const std::string& path)
{
    FileFailure notice;
    auto source = OpenImageForReading(path, notice);
    if (!source)
        return {ReadCode::NotThisFormat, notice};
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
