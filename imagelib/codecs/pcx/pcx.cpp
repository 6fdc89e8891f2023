#include "imagelib/codecs/pcx/pcx.h"
#include "imagelib/codecs/picture_budget.h"

#include "common/little_endian.h"
#include "imagelib/codecs/chunked_read.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/codecs/image_file.h"
#include "imagelib/codecs/library_messages.h"
#include "imagelib/mono_polarity.h"
#include "imagelib/codecs/pcx/pcx_rle.h"
#include "imagelib/progress.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace lv {
namespace {

constexpr int kPcxVersion = 5;
constexpr int kProgressRows = 16;

// The picture ReadPcx makes of a plane layout: its depth and colour count.
struct PcxPicture {
    unsigned bits;
    unsigned colours;
};

std::optional<PcxPicture> pictureFor(const PcxHeader& h)
{
    if (h.bitsPerPlane == 1 && h.planes == 1)
        return PcxPicture{1, 2};
    // Two and three one-bit planes are widened to four bits like the 16-colour layout.
    if ((h.bitsPerPlane == 1 && h.planes >= 2 && h.planes <= 4) || (h.bitsPerPlane == 4 && h.planes == 1))
        return PcxPicture{4, 16};
    if (h.bitsPerPlane == 8 && h.planes == 1)
        return PcxPicture{8, 256};
    if (h.bitsPerPlane == 8 && h.planes == 3)
        return PcxPicture{24, 0};
    return std::nullopt;
}

// Four one-bit planes (or fewer) side by side: bit k of each 4-bit pixel comes from plane k.
void combineBitPlanes(const std::uint8_t* line, std::size_t bytesPerLine, int planes, int width, std::uint8_t* row)
{
    for (int x = 0; x < width; ++x) {
        const std::size_t byte = std::size_t(x) >> 3;
        const int shift = 7 - (x & 7);
        unsigned nibble = 0;
        for (int k = 0; k < planes; ++k)
            nibble |= ((line[std::size_t(k) * bytesPerLine + byte] >> shift) & 1u) << k;
        row[x >> 1] |= std::uint8_t(x & 1 ? nibble : nibble << 4);
    }
}

// Red, green and blue planes to blue-green-red pixels.
void interleavePlanes(const std::uint8_t* line, std::size_t bytesPerLine, int width, std::uint8_t* row)
{
    const std::uint8_t* red = line;
    const std::uint8_t* green = line + bytesPerLine;
    const std::uint8_t* blue = line + 2 * bytesPerLine;
    for (int x = 0; x < width; ++x, row += 3) {
        row[0] = blue[x];
        row[1] = green[x];
        row[2] = red[x];
    }
}

void placeLine(const PcxHeader& h, const std::uint8_t* line, HDIB& picture, int y)
{
    std::uint8_t* row = picture.row(y);
    const int width = picture.width();
    if (h.bitsPerPlane == 8 && h.planes == 3)
        interleavePlanes(line, h.bytesPerLine, width, row);
    else if (h.bitsPerPlane == 1 && h.planes > 1)
        combineBitPlanes(line, h.bytesPerLine, h.planes, width, row);
    else
        std::memcpy(row, line, (std::size_t(width) * h.bitsPerPlane + 7) / 8);
}

void fillColourTable(const PcxHeader& h, const std::uint8_t* trailer, HDIB& picture)
{
    RgbQuad* table = picture.colors();
    const unsigned colours = picture.clrUsed();
    if (colours == 2) {
        table[0] = {0, 0, 0, 0};
        table[1] = {255, 255, 255, 0};
    } else if (h.paletteInfo == kPcxGreyPaletteInfo) {
        FillGreyRamp(table, colours);
    } else {
        const std::uint8_t* rgb = colours == 256 ? trailer + 1 : h.palette.data();
        for (unsigned i = 0; i < colours; ++i)
            table[i] = {rgb[3 * i + 2], rgb[3 * i + 1], rgb[3 * i], 0};
    }
}

std::uint16_t dotsPerInch(std::int32_t pixelsPerMetre)
{
    const std::int64_t dpi = (std::int64_t(pixelsPerMetre) * 100 + 3936) / 3937;
    return std::uint16_t(std::clamp<std::int64_t>(dpi, 0, 0xFFFF));
}

std::vector<std::uint8_t> headerFor(const HDIB& image, ImageType type)
{
    const BitmapInfoHeader& info = image.header();
    const bool rgb = type == IMG_RGB24;
    const unsigned bitsPerPlane = type == IMG_MONO || type == IMG_PAL4 ? 1 : 8;
    const unsigned planes = rgb ? 3 : type == IMG_PAL4 ? 4 : 1;
    std::vector<std::uint8_t> h(kPcxHeaderSize, 0);
    h[0] = kPcxManufacturer;
    h[1] = kPcxVersion;
    h[2] = kPcxRunLengthEncoding;
    h[3] = std::uint8_t(bitsPerPlane);
    StoreLE16(&h[8], std::uint16_t(info.biWidth - 1));
    StoreLE16(&h[10], std::uint16_t(info.biHeight - 1));
    StoreLE16(&h[12], dotsPerInch(info.biXPelsPerMeter));
    StoreLE16(&h[14], dotsPerInch(info.biYPelsPerMeter));
    if (type == IMG_PAL4) {
        const unsigned entries = std::min(16u, image.clrUsed());
        for (unsigned i = 0; i < entries; ++i) {
            const RgbQuad& c = image.colors()[i];
            h[16 + 3 * i] = c.rgbRed;
            h[17 + 3 * i] = c.rgbGreen;
            h[18 + 3 * i] = c.rgbBlue;
        }
    } else if (type == IMG_MONO) {
        std::fill(&h[19], &h[22], 255);
    }
    h[65] = std::uint8_t(planes);
    StoreLE16(&h[66], std::uint16_t((std::uint32_t(info.biWidth) * bitsPerPlane + 7) / 8));
    StoreLE16(&h[68], type == IMG_GREY8 ? kPcxGreyPaletteInfo : 1);
    return h;
}

// One picture row as the file's line: its planes one after another.
void splitRow(const std::uint8_t* row, ImageType type, int width, std::size_t bytesPerLine, std::uint8_t* line)
{
    switch (type) {
    case IMG_RGB24: {
        std::uint8_t* red = line;
        std::uint8_t* green = line + bytesPerLine;
        std::uint8_t* blue = line + 2 * bytesPerLine;
        for (const std::uint8_t* p = row; p < row + 3 * std::size_t(width); p += 3) {
            *red++ = p[2];
            *green++ = p[1];
            *blue++ = p[0];
        }
        break;
    }
    case IMG_PAL4:
        std::fill(line, line + 4 * bytesPerLine, 0);
        for (int x = 0; x < width; ++x) {
            const unsigned nibble = x & 1 ? row[x >> 1] & 15u : unsigned(row[x >> 1]) >> 4;
            const auto bit = std::uint8_t(0x80 >> (x & 7));
            for (unsigned k = 0; k < 4; ++k)
                if (nibble >> k & 1)
                    line[k * bytesPerLine + (std::size_t(x) >> 3)] |= bit;
        }
        break;
    default:
        std::memcpy(line, row, bytesPerLine);
    }
}

}  // namespace

PcxHeader ParsePcxHeader(const std::uint8_t* p)
{
    PcxHeader h{};
    h.manufacturer = p[0];
    h.encoding = p[2];
    h.bitsPerPlane = p[3];
    h.xMin = LoadLE16(p + 4);
    h.yMin = LoadLE16(p + 6);
    h.xMax = LoadLE16(p + 8);
    h.yMax = LoadLE16(p + 10);
    h.dpiX = LoadLE16(p + 12);
    h.dpiY = LoadLE16(p + 14);
    std::copy(p + 16, p + 64, h.palette.begin());
    h.planes = p[65];
    h.bytesPerLine = LoadLE16(p + 66);
    h.paletteInfo = LoadLE16(p + 68);
    return h;
}

ReadResult ReadPcx(ByteSource& source)
{
    std::uint8_t raw[kPcxHeaderSize];
    if (!source.readExact(raw, sizeof raw))
        return ReadCode::NotThisFormat;
    const PcxHeader h = ParsePcxHeader(raw);
    if (h.manufacturer != kPcxManufacturer)
        return ReadCode::NotThisFormat;
    const auto kind = pictureFor(h);
    const std::int64_t width = h.width(), height = h.height();
    if (!kind || PictureBytes(width, height, kind->bits) == 0
        || std::uint64_t(h.bytesPerLine) * 8 < std::uint64_t(width) * h.bitsPerPlane)
        return ReadCode::Failure;

    // 256 colours come from the trailer, which the pixel data then stops before.
    std::uint64_t dataEnd = source.size();
    std::uint8_t trailer[kPcxPaletteTrailerSize] = {};
    if (kind->colours == 256 && h.paletteInfo != kPcxGreyPaletteInfo) {
        if (dataEnd < kPcxHeaderSize + kPcxPaletteTrailerSize)
            return ReadCode::Failure;
        dataEnd -= kPcxPaletteTrailerSize;
        if (!source.seek(dataEnd) || !source.readExact(trailer, sizeof trailer) || trailer[0] != kPcxPaletteMarker
            || !source.seek(kPcxHeaderSize))
            return ReadCode::Failure;
    }

    // Two coded bytes give at most 63: refuse sizes the data can't fill before allocating.
    const std::uint64_t dataBytes = dataEnd - kPcxHeaderSize;
    const std::uint64_t decodedBytes = std::uint64_t(h.lineBytes()) * std::uint64_t(height);
    if (decodedBytes > (dataBytes * kPcxMaxRun + 1) / 2)
        return {ReadCode::Broken, {FileProblem::Truncated, {}}};
    if (FileFailure refused = CheckPictureBudget(PictureBytes(width, height, kind->bits), dataBytes))
        return {ReadCode::Broken, refused};

    FileFailure shortage;
    HDIB picture = AllocatePicture(width, height, kind->bits, kind->colours, &shortage);
    if (!picture)
        return {ReadCode::Failure, NoticesOnly(shortage)};
    picture.header().biXPelsPerMeter = std::int32_t(PixelsPerMetreFromDpi(h.dpiX));
    picture.header().biYPelsPerMeter = std::int32_t(PixelsPerMetreFromDpi(h.dpiY));
    fillColourTable(h, trailer, picture);

    std::vector<std::uint8_t> coded;
    switch (ReadInChunks(source, std::size_t(dataBytes), coded)) {
    case ChunkedRead::Cancelled:
        return ReadCode::Failure;
    case ChunkedRead::Short:
        return ReadCode::Broken;
    case ChunkedRead::Complete:
        break;
    }

    PcxRunDecoder decoder(coded);
    std::vector<std::uint8_t> line(h.lineBytes());
    const int rows = int(height);
    for (int i = 0; i < rows; ++i) {
        if (i % kProgressRows == 0) {
            if (AbortRequested())
                return ReadCode::Failure;
            ReportProgress(kProgressReading, i * 100 / rows);
        }
        // Runs may pass from one plane to the next, never into the next line.
        if (!decoder.fill(line.data(), line.size()) || decoder.pendingRun() > 0)
            return ReadCode::Broken;
        placeLine(h, line.data(), picture, rows - 1 - i);
    }
    return picture;
}

ReadResult ReadPcx(const std::string& path)
{
    FileFailure notice;
    auto source = OpenImageForReading(path, notice);
    if (!source)
        return {ReadCode::Broken, notice};
    return ReadPcx(*source);
}

WriteResult WritePcx(ByteSink& sink, const HDIB& image)
{
    const ImageType type = DibGetType(image);
    if (type == IMG_NONE)
        return WriteResult::NotWritten;
    const std::vector<std::uint8_t> header = headerFor(image, type);
    if (!sink.write(header.data(), header.size()) || !sink.flush())
        return WriteResult::Failed;

    const int width = image.width(), height = image.height();
    const std::size_t bytesPerLine = LoadLE16(&header[66]);
    const bool invert = MonoTableInverted(image);
    std::vector<std::uint8_t> line(bytesPerLine * header[65]);
    std::vector<std::uint8_t> coded;
    coded.reserve(2 * line.size());
    for (int i = 0; i < height; ++i) {
        if (AbortRequested())
            return WriteResult::NotWritten;
        if (i % kProgressRows == 0)
            ReportProgress(kProgressWriting, i * 100 / height);
        splitRow(image.row(height - 1 - i), type, width, bytesPerLine, line.data());
        if (invert)
            InvertMonoRow(line.data(), std::size_t(width));
        coded.clear();
        EncodePcxLine(line, coded);
        if (!sink.write(coded.data(), coded.size()))
            return WriteResult::Failed;
    }

    if (type == IMG_PAL8) {
        std::uint8_t trailer[kPcxPaletteTrailerSize] = {kPcxPaletteMarker};
        const unsigned entries = std::min(256u, image.clrUsed());
        for (unsigned i = 0; i < entries; ++i) {
            const RgbQuad& c = image.colors()[i];
            trailer[1 + 3 * i] = c.rgbRed;
            trailer[2 + 3 * i] = c.rgbGreen;
            trailer[3 + 3 * i] = c.rgbBlue;
        }
        if (!sink.write(trailer, sizeof trailer))
            return WriteResult::Failed;
    }
    return WriteResult::Written;
}

WriteResult WritePcx(const std::string& path, const HDIB& image)
{
    if (!image)
        return WriteResult::NotWritten;
    return WriteImageFile(path, [&](ByteSink& sink) { return WritePcx(sink, image); });
}

}  // namespace lv
