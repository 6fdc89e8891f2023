// The general loader's paintbrush reader: the whole file in memory, every layout turned
// into a 24-bit picture.

#include "imagelib/dib_alloc.h"
#include "imagelib/codecs/picture_budget.h"
#include "imagelib/codecs/image_file.h"
#include "imagelib/codecs/library_messages.h"
#include "imagelib/codecs/pcx/pcx.h"
#include "imagelib/codecs/pcx/pcx_rle.h"

#include <array>
#include <vector>

namespace lv {
namespace {

// The resolution this reader gives every picture, in pixels per metre.
constexpr std::int32_t kWholeResolutionX = 1024;
constexpr std::int32_t kWholeResolutionY = 768;

using Palette = std::array<RgbQuad, 256>;

bool layoutAccepted(const PcxHeader& h)
{
    switch (h.bitsPerPlane) {
    case 1:
        return h.planes >= 1 && h.planes <= 4;
    case 2:
    case 4:
        return h.planes == 1;
    case 8:
        return h.planes == 1 || h.planes == 3;
    default:
        return false;
    }
}

Palette headerPalette(const PcxHeader& h)
{
    Palette palette{};
    for (std::size_t i = 0; i < 16; ++i)
        palette[i] = {h.palette[3 * i + 2], h.palette[3 * i + 1], h.palette[3 * i], 0};
    // One bit is black and white whatever the header holds, as ReadPcx reads it.
    if (h.bitsPerPlane == 1 && h.planes == 1) {
        palette[0] = {0, 0, 0, 0};
        palette[1] = {255, 255, 255, 0};
    }
    return palette;
}

// The 256 colours of a one-plane 8-bit file: the marked palette right after the pixel
// data, else a grey ramp when the header says grey, else the marked palette at the end.
std::optional<Palette> trailingPalette(const PcxHeader& h, std::span<const std::uint8_t> file, std::size_t dataEnd)
{
    const auto marked = [&](std::size_t at) {
        return at + kPcxPaletteTrailerSize <= file.size() && file[at] == kPcxPaletteMarker;
    };
    const auto read = [&](std::size_t at) {
        Palette palette{};
        for (std::size_t i = 0; i < 256; ++i) {
            const std::uint8_t* rgb = &file[at + 1 + 3 * i];
            palette[i] = {rgb[2], rgb[1], rgb[0], 0};
        }
        return palette;
    };
    if (marked(dataEnd))
        return read(dataEnd);
    if (h.paletteInfo == kPcxGreyPaletteInfo) {
        Palette grey{};
        FillGreyRamp(grey.data(), 256);
        return grey;
    }
    if (file.size() >= kPcxHeaderSize + kPcxPaletteTrailerSize && marked(file.size() - kPcxPaletteTrailerSize))
        return read(file.size() - kPcxPaletteTrailerSize);
    return std::nullopt;
}

// The palette index of pixel x of a decoded line.
unsigned indexAt(const PcxHeader& h, const std::uint8_t* line, int x)
{
    if (h.planes == 1)
        return PackedPixel(line, x, h.bitsPerPlane);
    const std::size_t bit = std::size_t(x) * h.bitsPerPlane;
    unsigned index = 0;
    for (unsigned k = 0; k < h.planes; ++k)
        index |= ((line[k * std::size_t(h.bytesPerLine) + (bit >> 3)] >> (7 - (bit & 7))) & 1u) << k;
    return index;
}

void convertLine(const PcxHeader& h, const Palette& palette, const std::uint8_t* line, int width, std::uint8_t* row)
{
    if (h.bitsPerPlane == 8 && h.planes == 3) {
        const std::size_t plane = h.bytesPerLine;
        for (int x = 0; x < width; ++x, row += 3) {
            row[0] = line[2 * plane + std::size_t(x)];
            row[1] = line[plane + std::size_t(x)];
            row[2] = line[x];
        }
        return;
    }
    for (int x = 0; x < width; ++x, row += 3) {
        const RgbQuad& c = palette[h.bitsPerPlane == 8 ? line[x] : indexAt(h, line, x)];
        row[0] = c.rgbBlue;
        row[1] = c.rgbGreen;
        row[2] = c.rgbRed;
    }
}

}  // namespace

ReadResult ReadPcxWhole(std::span<const std::uint8_t> file)
{
    if (file.size() < kPcxHeaderSize)
        return ReadCode::Failure;
    const PcxHeader h = ParsePcxHeader(file.data());
    if (h.manufacturer != kPcxManufacturer && h.encoding != kPcxRunLengthEncoding)
        return ReadCode::Failure;
    const std::int64_t width = h.width(), height = h.height();
    if (!layoutAccepted(h) || PictureBytes(width, height, 24) == 0
        || std::uint64_t(h.bytesPerLine) * 8 < std::uint64_t(width) * h.bitsPerPlane)
        return ReadCode::Failure;

    const std::span<const std::uint8_t> coded = file.subspan(kPcxHeaderSize);
    const std::size_t lineBytes = h.lineBytes();
    const std::uint64_t decodedBytes = std::uint64_t(lineBytes) * std::uint64_t(height);
    if (decodedBytes > (std::uint64_t(coded.size()) * kPcxMaxRun + 1) / 2)
        return {ReadCode::Failure, {FileProblem::Truncated, {}}};
    // The decoded lines and the picture are both held at once.
    if (FileFailure refused = CheckPictureBudget(decodedBytes + PictureBytes(width, height, 24), coded.size()))
        return {ReadCode::Failure, refused};

    // Lines are one stream here: a run may pass into the next line, not past the last.
    PcxRunDecoder decoder(coded);
    Palette palette = headerPalette(h);
    std::vector<std::uint8_t> decoded;
    const bool trailing = h.bitsPerPlane == 8 && h.planes == 1;
    if (trailing) {
        // The palette follows the pixel data, so all of it is decoded first.
        decoded.resize(std::size_t(decodedBytes));
        if (!decoder.fill(decoded.data(), decoded.size()) || decoder.pendingRun() > 0)
            return ReadCode::Failure;
        const auto found = trailingPalette(h, file, kPcxHeaderSize + decoder.consumed());
        if (!found)
            return ReadCode::Failure;
        palette = *found;
    } else {
        decoded.resize(lineBytes);
    }

    FileFailure shortage;
    HDIB picture = AllocatePicture(width, height, 24, 0, &shortage);
    if (!picture)
        return {ReadCode::Failure, NoticesOnly(shortage)};
    picture.header().biXPelsPerMeter = kWholeResolutionX;
    picture.header().biYPelsPerMeter = kWholeResolutionY;
    const int rows = int(height);
    for (int i = 0; i < rows; ++i) {
        const std::uint8_t* line = decoded.data();
        if (trailing)
            line += std::size_t(i) * lineBytes;
        else if (!decoder.fill(decoded.data(), lineBytes))
            return ReadCode::Failure;
        convertLine(h, palette, line, int(width), picture.row(rows - 1 - i));
    }
    if (decoder.pendingRun() > 0)
        return ReadCode::Failure;
    return picture;
}

ReadResult ReadPcxWhole(const std::string& path)
{
    FileFailure notice;
    auto source = OpenImageForReading(path, notice);
    if (!source)
        return {ReadCode::Failure, notice};
    std::vector<std::uint8_t> file(std::size_t(source->size()));
    if (!source->readExact(file.data(), file.size()))
        return ReadCode::Failure;
    return ReadPcxWhole(file);
}

}  // namespace lv
