#include "imagelib/codecs/alpha_mask.h"

#include "common/little_endian.h"
#include "imagelib/codecs/bmp/bmp.h"
#include "imagelib/codecs/bmp/bmp_alpha.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/codecs/image_file.h"
#include "imagelib/codecs/png/png_callbacks.h"
#include "imagelib/codecs/targa/targa.h"

#include <algorithm>
#include <cstring>
#include <vector>

// The PNG library reports errors by a longjmp back into decodeAlpha(), which holds no object
// with a destructor; what it allocates lives in the caller's PngAlphaReader.

namespace lv {
namespace {

constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::uint64_t kDeflateBestRatio = 1032;
constexpr unsigned kTargaTrueColour = 2;
constexpr std::uint32_t kBitFields = 3;
constexpr std::uint32_t kBmpAlphaMaskOffset = 52;  // in the information header

HDIB newMask(std::uint32_t width, std::uint32_t height, FileFailure* shortage)
{
    HDIB mask = AllocatePicture(width, height, 8, 256, shortage);
    if (mask)
        FillGreyRamp(mask.colors(), 256);
    return mask;
}

// Opaque everywhere, or (for formats that write zeros when they have no alpha) zero everywhere.
bool meaningless(const HDIB& mask, bool zeroMeansNone)
{
    bool allZero = true;
    bool allOpaque = true;
    for (int y = 0; y < mask.height() && (allZero || allOpaque); ++y) {
        const std::uint8_t* row = mask.row(y);
        for (int x = 0; x < mask.width(); ++x) {
            allZero = allZero && row[x] == 0;
            allOpaque = allOpaque && row[x] == 255;
        }
    }
    return allOpaque || (zeroMeansNone && allZero);
}

struct PngAlphaReader {
    explicit PngAlphaReader(ByteSource& s)
        : source(s)
    {
    }
    ~PngAlphaReader() { png_destroy_read_struct(&png, &info, nullptr); }
    PngAlphaReader(const PngAlphaReader&) = delete;
    PngAlphaReader& operator=(const PngAlphaReader&) = delete;

    ByteSource& source;
    PngErrorRecord errors{};
    png_structp png = nullptr;
    png_infop info = nullptr;
    FileFailure* shortage = nullptr;
    std::vector<std::uint8_t> row;
    HDIB mask;
};

bool decodeAlpha(PngAlphaReader& r)
{
    if (setjmp(r.errors.jump))
        return false;
    png_set_read_fn(r.png, &r.source, ReadPngFromSource);
    png_set_sig_bytes(r.png, sizeof kPngSignature);
    png_set_user_limits(r.png, kMaxPictureDimension, kMaxPictureDimension);
    png_read_info(r.png, r.info);
    const int colourType = png_get_color_type(r.png, r.info);
    if (!(colourType & PNG_COLOR_MASK_ALPHA) && !png_get_valid(r.png, r.info, PNG_INFO_tRNS))
        return false;
    const png_uint_32 width = png_get_image_width(r.png, r.info);
    const png_uint_32 height = png_get_image_height(r.png, r.info);
    const std::uint64_t bitsPerRow = std::uint64_t(width) * png_get_channels(r.png, r.info) * png_get_bit_depth(r.png, r.info);
    if (std::uint64_t(height) * (1 + (bitsPerRow + 7) / 8) > r.source.remaining() * kDeflateBestRatio)
        return false;

    // Every kind becomes 8-bit red, green, blue and alpha; a transparency chunk becomes alpha.
    png_set_expand(r.png);
    png_set_strip_16(r.png);
    png_set_gray_to_rgb(r.png);
    if (!(colourType & PNG_COLOR_MASK_ALPHA) && !png_get_valid(r.png, r.info, PNG_INFO_tRNS))
        png_set_add_alpha(r.png, 0xFF, PNG_FILLER_AFTER);
    const int passes = png_set_interlace_handling(r.png);
    png_read_update_info(r.png, r.info);
    if (png_get_rowbytes(r.png, r.info) != std::size_t(width) * 4)
        return false;
    r.mask = newMask(width, height, r.shortage);
    if (!r.mask)
        return false;
    r.row.resize(std::size_t(width) * 4);
    // Interlaced files fill their rows over several passes: the row is read back from the mask.
    for (int pass = 0; pass < passes; ++pass)
        for (png_uint_32 y = 0; y < height; ++y) {
            std::uint8_t* out = r.mask.row(int(height - 1 - y));
            if (pass > 0)
                for (png_uint_32 x = 0; x < width; ++x)
                    r.row[4 * x + 3] = out[x];
            png_read_row(r.png, r.row.data(), nullptr);
            for (png_uint_32 x = 0; x < width; ++x)
                out[x] = r.row[4 * x + 3];
        }
    png_read_end(r.png, nullptr);
    return true;
}

HDIB pngAlpha(ByteSource& source, FileFailure* shortage)
{
    PngAlphaReader reader(source);
    reader.shortage = shortage;
    reader.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &reader.errors, RecordPngErrorAndJump, IgnorePngWarning);
    if (!reader.png)
        return {};
    reader.info = png_create_info_struct(reader.png);
    if (!reader.info || !decodeAlpha(reader) || meaningless(reader.mask, false))
        return {};
    return std::move(reader.mask);
}

// Rows of 4-byte pixels whose fourth byte is the alpha, stored bottom-up unless `topDown`.
HDIB alphaOfRows(ByteSource& source, std::uint32_t width, std::uint32_t height, bool topDown, std::size_t rowBytes,
                 FileFailure* shortage)
{
    if (std::uint64_t(rowBytes) * height > source.remaining())
        return {};
    HDIB mask = newMask(width, height, shortage);
    if (!mask)
        return {};
    std::vector<std::uint8_t> row(rowBytes);
    for (std::uint32_t y = 0; y < height; ++y) {
        if (!source.readExact(row.data(), row.size()))
            return {};
        std::uint8_t* out = mask.row(int(topDown ? height - 1 - y : y));
        for (std::uint32_t x = 0; x < width; ++x)
            out[x] = row[4 * x + 3];
    }
    return meaningless(mask, true) ? HDIB{} : std::move(mask);
}

HDIB targaAlpha(ByteSource& source, FileFailure* shortage)
{
    std::uint8_t bytes[kTargaHeaderSize];
    if (!source.readExact(bytes, sizeof bytes))
        return {};
    const TargaHeader h = ParseTargaHeader(bytes);
    if (h.imageType != kTargaTrueColour || h.bitsPerPixel != 32 || (h.descriptor & 15) != 8 || h.width == 0
        || h.height == 0)
        return {};
    const std::uint64_t mapBytes = h.colourMapType == 1 ? std::uint64_t(h.colourMapLength) * ((h.colourMapEntryBits + 7) / 8) : 0;
    if (!source.skip(h.idLength + mapBytes))
        return {};
    return alphaOfRows(source, h.width, h.height, h.topOrigin(), std::size_t(h.width) * 4, shortage);
}

// A header long enough to hold an alpha mask, with the colours in the usual bytes and alpha
// in the fourth.
bool hasAlphaField(ByteSource& source, const BmpLayout& layout)
{
    const std::uint64_t after = source.position();
    std::uint8_t mask[4];
    const bool found = layout.fileHeaderSize >= kBmpAlphaMaskOffset + 4 && layout.masks[0] == 0x00FF0000u
                       && layout.masks[1] == 0x0000FF00u && layout.masks[2] == 0x000000FFu
                       && source.seek(kBmpFileHeaderSize + kBmpAlphaMaskOffset) && source.readExact(mask, sizeof mask)
                       && LoadLE32(mask) == kBmpAlphaMask;
    return source.seek(after) && found;
}

HDIB bitmapAlpha(ByteSource& source, FileFailure* shortage)
{
    const BmpHeaderCheck check = ReadBmpHeaders(source);
    if (!check.layout || check.layout->fileBitCount != 32)
        return {};
    const BmpLayout& layout = *check.layout;
    const bool plain = layout.compression == 0 && layout.fileHeaderSize == 40;
    if (!plain && !(layout.compression == kBitFields && hasAlphaField(source, layout)))
        return {};
    if (layout.dataOffset != 0 && !source.seek(layout.dataOffset))
        return {};
    const auto width = std::uint32_t(layout.header.biWidth);
    const auto height = std::uint32_t(layout.header.biHeight);
    return alphaOfRows(source, width, height, layout.topDown, std::size_t(width) * 4, shortage);
}

}  // namespace

HDIB ReadAlphaMask(ByteSource& source, FileFailure* notices)
{
    std::uint8_t start[8] = {};
    const std::size_t got = source.read(start, sizeof start);
    if (!source.seek(0))
        return {};
    if (got == sizeof start && std::memcmp(start, kPngSignature, sizeof kPngSignature) == 0) {
        source.seek(sizeof kPngSignature);
        return pngAlpha(source, notices);
    }
    if (got >= 2 && start[0] == 'B' && start[1] == 'M')
        return bitmapAlpha(source, notices);
    // Targa files have no signature: the header's own checks decide.
    return targaAlpha(source, notices);
}

HDIB ReadAlphaMask(const std::string& path, FileFailure* notices)
{
    FileFailure notice;
    auto source = OpenImageForReading(path, notice);
    if (!source && notices)
        *notices = notice;
    return source ? ReadAlphaMask(*source, notices) : HDIB{};
}

bool HasTransparency(const HDIB& mask)
{
    if (!mask || mask.bitCount() != 8)
        return false;
    for (int y = 0; y < mask.height(); ++y) {
        const std::uint8_t* row = mask.row(y);
        if (std::any_of(row, row + mask.width(), [](std::uint8_t v) { return v != 255; }))
            return true;
    }
    return false;
}

}  // namespace lv
