#include "imagelib/codecs/targa/targa.h"
#include "imagelib/codecs/picture_budget.h"
#include "imagelib/codecs/alpha_rows.h"

#include "common/little_endian.h"
#include "imagelib/codecs/chunked_read.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/codecs/image_file.h"
#include "imagelib/codecs/library_messages.h"
#include "imagelib/mono_polarity.h"
#include "imagelib/progress.h"
#include "imagelib/codecs/save_options.h"
#include "imagelib/codecs/targa/targa_rle.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <span>
#include <vector>

namespace lv {
namespace {

constexpr std::uint8_t kColourMapped = 1;
constexpr std::uint8_t kTrueColour = 2;
constexpr std::uint8_t kGrey = 3;
constexpr std::uint8_t kCompressedFlag = 8;
constexpr std::uint8_t kAlphaBits = 8;  // descriptor: attribute bits per pixel, rows from the bottom
constexpr int kProgressRows = 16;

// The picture the reader makes of a header: its depth, and for colour maps the table size.
struct TargaPicture {
    unsigned bits;
    unsigned colours;
};

// Nothing for an image type or pixel size the reader doesn't take.
std::optional<TargaPicture> pictureFor(const TargaHeader& h)
{
    const unsigned bpp = h.bitsPerPixel;
    switch (h.imageType) {
    case kColourMapped:
    case kColourMapped | kCompressedFlag:
        if (bpp == 1 || bpp == 4 || bpp == 8)
            return TargaPicture{bpp, std::min(unsigned(h.colourMapFirst) + h.colourMapLength, 1u << bpp)};
        break;
    case kTrueColour:
        if (bpp == 15 || bpp == 16 || bpp == 24 || bpp == 32)
            return TargaPicture{24, 0};
        break;
    case kTrueColour | kCompressedFlag:
        if (bpp == 24)
            return TargaPicture{24, 0};
        break;
    case kGrey:
    case kGrey | kCompressedFlag:
        if (bpp == 1)
            return TargaPicture{1, 2};
        if (bpp == 8)
            return TargaPicture{8, 256};
        break;
    }
    return std::nullopt;
}

bool isColourMapped(const TargaHeader& h)
{
    return (h.imageType & ~kCompressedFlag) == kColourMapped;
}

std::size_t entryBytes(unsigned bits)
{
    return (bits + 7) / 8;
}

RgbQuad fromWord555(unsigned w)
{
    return {std::uint8_t((w & 31) << 3), std::uint8_t(((w >> 5) & 31) << 3), std::uint8_t(((w >> 10) & 31) << 3), 0};
}

// The colour map as stored, placed from its first entry on.
void fillColourMap(const TargaHeader& h, const std::vector<std::uint8_t>& map, HDIB& picture)
{
    const std::size_t size = entryBytes(h.colourMapEntryBits);
    RgbQuad* table = picture.colors();
    for (std::size_t j = 0; j < h.colourMapLength && h.colourMapFirst + j < picture.clrUsed(); ++j) {
        const std::uint8_t* e = map.data() + j * size;
        table[h.colourMapFirst + j] = size == 2 ? fromWord555(LoadLE16(e)) : RgbQuad{e[0], e[1], e[2], 0};
    }
}

// How the pixel data is laid out in the file.
struct TargaPixelLayout {
    std::size_t pixelSize;        // bytes per file pixel; pixels of up to eight bits count as one byte of packed pixels
    std::size_t pixelsPerRow;
    std::uint64_t bytes;          // uncompressed size of all rows
};

TargaPixelLayout pixelLayout(const TargaHeader& h, unsigned pictureBits)
{
    const unsigned bpp = h.bitsPerPixel;
    const std::size_t rowBytes = (std::size_t(h.width) * pictureBits + 7) / 8;
    TargaPixelLayout layout{};
    layout.pixelSize = bpp <= 8 ? 1 : entryBytes(bpp);
    layout.pixelsPerRow = bpp <= 8 ? rowBytes : h.width;
    layout.bytes = std::uint64_t(layout.pixelsPerRow) * layout.pixelSize * h.height;
    return layout;
}

// Whether `available` bytes could hold the rows. A run packet of one header byte and one
// pixel makes 128 pixels at best.
bool fillable(const TargaHeader& h, const TargaPixelLayout& layout, std::uint64_t available)
{
    if (!h.compressed())
        return layout.bytes <= available;
    return layout.bytes * (1 + layout.pixelSize) <= available * kTargaMaxPacket * layout.pixelSize;
}

std::uint8_t widen5(unsigned v)
{
    return std::uint8_t(v << 3 | v >> 2);
}

// One raw file row as picture pixels.
void convertRawRow(const std::uint8_t* in, unsigned bpp, int width, std::size_t rowBytes, std::uint8_t* out)
{
    if (bpp == 32) {
        for (int x = 0; x < width; ++x, in += 4, out += 3)
            std::memcpy(out, in, 3);
    } else if (bpp == 15 || bpp == 16) {
        for (int x = 0; x < width; ++x, in += 2, out += 3) {
            const unsigned w = LoadLE16(in);
            out[0] = widen5(w & 31);
            out[1] = widen5((w >> 5) & 31);
            out[2] = widen5((w >> 10) & 31);
        }
    } else {
        std::memcpy(out, in, rowBytes);
    }
}

ReadCode readPixels(ByteSource& source, const TargaHeader& h, const TargaPixelLayout& layout, HDIB& picture)
{
    const int width = picture.width(), height = picture.height();
    const std::size_t rowBytes = (std::size_t(width) * unsigned(picture.bitCount()) + 7) / 8;
    const std::size_t fileRowBytes = layout.pixelsPerRow * layout.pixelSize;
    const std::uint64_t wanted = h.compressed() ? source.remaining() : layout.bytes;
    std::vector<std::uint8_t> data;
    switch (ReadInChunks(source, std::size_t(wanted), data)) {
    case ChunkedRead::Cancelled:
        return ReadCode::Failure;
    case ChunkedRead::Short:
        return ReadCode::Broken;
    case ChunkedRead::Complete:
        break;
    }

    TargaPacketDecoder packets(data, layout.pixelSize);
    for (int i = 0; i < height; ++i) {
        if (i % kProgressRows == 0) {
            if (AbortRequested())
                return ReadCode::Failure;
            ReportProgress(kProgressReading, i * 100 / height);
        }
        std::uint8_t* row = picture.row(h.topOrigin() ? height - 1 - i : i);
        if (!h.compressed())
            convertRawRow(data.data() + std::size_t(i) * fileRowBytes, h.bitsPerPixel, width, rowBytes, row);
        else if (!packets.fill(row, layout.pixelsPerRow))
            return ReadCode::Broken;
    }
    return ReadCode::Image;
}

struct WrittenKind {
    std::uint8_t imageType;
    bool colourMap;
};

std::optional<WrittenKind> writtenKind(ImageType type)
{
    switch (type) {
    case IMG_PAL8:
    case IMG_PAL4:
        return WrittenKind{kColourMapped, true};
    case IMG_RGB24:
        return WrittenKind{kTrueColour, false};
    case IMG_GREY8:
    case IMG_MONO:
        return WrittenKind{kGrey, false};
    default:
        return std::nullopt;
    }
}

std::vector<std::uint8_t> headerAndMap(const HDIB& image, WrittenKind kind, bool compress)
{
    std::vector<std::uint8_t> out(kTargaHeaderSize, 0);
    out[2] = std::uint8_t(kind.imageType | (compress ? kCompressedFlag : 0));
    StoreLE16(&out[12], std::uint16_t(image.width()));
    StoreLE16(&out[14], std::uint16_t(image.height()));
    out[16] = std::uint8_t(image.bitCount());
    if (kind.colourMap) {
        out[1] = 1;
        StoreLE16(&out[5], std::uint16_t(image.clrUsed()));
        out[7] = 24;
        for (std::uint32_t i = 0; i < image.clrUsed(); ++i) {
            const RgbQuad& c = image.colors()[i];
            out.insert(out.end(), {c.rgbBlue, c.rgbGreen, c.rgbRed});
        }
    }
    return out;
}

}  // namespace

TargaHeader ParseTargaHeader(const std::uint8_t* p)
{
    TargaHeader h{};
    h.idLength = p[0];
    h.colourMapType = p[1];
    h.imageType = p[2];
    h.colourMapFirst = LoadLE16(p + 3);
    h.colourMapLength = LoadLE16(p + 5);
    h.colourMapEntryBits = p[7];
    h.width = LoadLE16(p + 12);
    h.height = LoadLE16(p + 14);
    h.bitsPerPixel = p[16];
    h.descriptor = p[17];
    return h;
}

ReadResult ReadTarga(ByteSource& source)
{
    std::uint8_t raw[kTargaHeaderSize];
    if (!source.readExact(raw, sizeof raw))
        return ReadCode::NotThisFormat;
    const TargaHeader h = ParseTargaHeader(raw);
    const auto kind = pictureFor(h);
    if (!kind)
        return {ReadCode::Failure, Notice(std::string(kUnknownFileFormatMessage))};
    const bool mapped = isColourMapped(h);
    const unsigned mapBits = h.colourMapEntryBits;
    const bool mapBitsValid = mapBits == 15 || mapBits == 16 || mapBits == 24 || mapBits == 32;
    if (PictureBytes(h.width, h.height, kind->bits) == 0 || (mapped && (h.colourMapLength == 0 || !mapBitsValid)))
        return ReadCode::Failure;
    if (!source.skip(h.idLength))
        return ReadCode::Broken;
    std::vector<std::uint8_t> map;
    if (mapped) {
        map.resize(entryBytes(mapBits) * h.colourMapLength);
        if (!source.readExact(map.data(), map.size()))
            return ReadCode::Failure;
    } else if (h.colourMapType != 0 && !source.skip(entryBytes(mapBits) * h.colourMapLength)) {
        return ReadCode::Broken;  // a map beside true-colour or grey pixels isn't used
    }
    const TargaPixelLayout layout = pixelLayout(h, kind->bits);
    if (!fillable(h, layout, source.remaining()))
        return {ReadCode::Broken, {FileProblem::Truncated, {}}};
    if (FileFailure refused = CheckPictureBudget(PictureBytes(h.width, h.height, kind->bits), source.remaining()))
        return {ReadCode::Broken, refused};

    FileFailure shortage;
    HDIB picture = AllocatePicture(h.width, h.height, kind->bits, kind->colours, &shortage);
    if (!picture)
        return {ReadCode::Failure, NoticesOnly(shortage)};
    if (mapped)
        fillColourMap(h, map, picture);
    else
        FillGreyRamp(picture.colors(), kind->colours);
    const ReadCode code = readPixels(source, h, layout, picture);
    if (code != ReadCode::Image)
        return code;
    return picture;
}

ReadResult ReadTarga(const std::string& path)
{
    FileFailure notice;
    auto source = OpenImageForReading(path, notice);
    if (!source)
        return {ReadCode::Broken, notice};
    return ReadTarga(*source);
}

WriteResult WriteTarga(ByteSink& sink, const HDIB& image, bool compress)
{
    const auto kind = writtenKind(DibGetType(image));
    if (!kind)
        return WriteResult::NotWritten;
    const std::vector<std::uint8_t> header = headerAndMap(image, *kind, compress);
    if (!sink.write(header.data(), header.size()) || !sink.flush())
        return WriteResult::Failed;

    const int width = image.width(), height = image.height();
    const std::size_t rowBytes = (std::size_t(width) * unsigned(image.bitCount()) + 7) / 8;
    const std::size_t pixelSize = image.bitCount() == 24 ? 3 : 1;
    const bool invert = MonoTableInverted(image);
    std::vector<std::uint8_t> row(rowBytes);
    std::vector<std::uint8_t> coded;
    coded.reserve(rowBytes + rowBytes / pixelSize + 1);
    for (int y = 0; y < height; ++y) {
        if (AbortRequested())
            return WriteResult::NotWritten;
        if (y % kProgressRows == 0)
            ReportProgress(kProgressWriting, y * 100 / height);
        std::span<const std::uint8_t> pixels(image.row(y), rowBytes);
        if (invert) {
            std::copy(pixels.begin(), pixels.end(), row.begin());
            InvertMonoRow(row.data(), std::size_t(width));
            pixels = row;
        }
        if (!compress) {
            if (!sink.write(pixels.data(), pixels.size()))
                return WriteResult::NotWritten;
            continue;
        }
        coded.clear();
        EncodeTargaRow(pixels, pixelSize, coded);
        if (!sink.write(coded.data(), coded.size()))
            return WriteResult::Failed;
    }
    return WriteResult::Written;
}

WriteResult WriteTarga(const std::string& path, const HDIB& image)
{
    if (!image)
        return WriteResult::NotWritten;
    const bool compress = CurrentSaveOptions().compress;
    return WriteImageFile(path, [&](ByteSink& sink) { return WriteTarga(sink, image, compress); },
                          {WriteResult::CannotCreate, compress ? WriteResult::Failed : WriteResult::NotWritten});
}

WriteResult WriteTargaWithAlpha(ByteSink& sink, const HDIB& image, const HDIB& alpha)
{
    if (!AlphaFitsPicture(image, alpha))
        return WriteResult::NotWritten;
    std::vector<std::uint8_t> header(kTargaHeaderSize, 0);
    header[2] = kTrueColour;
    StoreLE16(&header[12], std::uint16_t(image.width()));
    StoreLE16(&header[14], std::uint16_t(image.height()));
    header[16] = 32;
    header[17] = kAlphaBits;
    if (!sink.write(header.data(), header.size()))
        return WriteResult::Failed;
    return WriteBgraRows(sink, image, alpha);
}

WriteResult WriteTargaWithAlpha(const std::string& path, const HDIB& image, const HDIB& alpha)
{
    return WriteImageFile(path, [&](ByteSink& sink) { return WriteTargaWithAlpha(sink, image, alpha); },
                          {WriteResult::CannotCreate, WriteResult::Failed});
}

}  // namespace lv
