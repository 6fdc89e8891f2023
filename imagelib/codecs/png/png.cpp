#include "imagelib/codecs/png/png.h"
#include "imagelib/codecs/picture_budget.h"

#include "common/ui_service.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/codecs/image_file.h"
#include "imagelib/codecs/library_messages.h"
#include "imagelib/codecs/png/png_callbacks.h"
#include "imagelib/codecs/png/png_icc.h"
#include "imagelib/progress.h"

#include <cstring>
#include <span>
#include <utility>
#include <vector>

// The library reports errors by a longjmp back into decode() or encode(). Those two
// functions hold no object with a destructor; every owned resource lives in a PngReader
// or PngWriter in the caller's frame.

namespace lv {
namespace {

constexpr std::uint8_t kSignature[4] = {0x89, 'P', 'N', 'G'};
constexpr double kScreenGamma = 2.2;
constexpr double kGammaWhenUndeclared = 0.5;
// Deflate codes a run of 258 bytes in no fewer than two bits.
constexpr std::uint64_t kBestCompressionRatio = 1032;
// On photos the default deflate level takes four to seven times as long as the fastest
// for files 5 to 15 % smaller; with the library's adaptive row filters the fastest level
// keeps files sensible.
constexpr int kDeflateLevel = 1;

struct PngReader {
    explicit PngReader(ByteSource& s)
        : source(s)
    {
    }
    ~PngReader() { png_destroy_read_struct(&png, &info, nullptr); }
    PngReader(const PngReader&) = delete;
    PngReader& operator=(const PngReader&) = delete;

    ByteSource& source;
    PngErrorRecord errors{};
    png_structp png = nullptr;
    png_infop info = nullptr;
    HDIB picture;
    FileFailure shortage;
    bool tooLarge = false;
    std::vector<std::uint8_t> iccProfile;
};

struct PngWriter {
    PngWriter(ByteSink& sink, const HDIB& i, const HDIB* a, std::span<const std::uint8_t> p)
        : image(i)
        , alpha(a)
        , iccProfile(p)
        , output{&sink, InterlacedRowCount(std::uint32_t(i.width()), std::uint32_t(i.height())), 0}
    {
    }
    ~PngWriter() { png_destroy_write_struct(&png, &info); }
    PngWriter(const PngWriter&) = delete;
    PngWriter& operator=(const PngWriter&) = delete;

    const HDIB& image;
    const HDIB* alpha;  // 8-bit, the image's size; null for none
    std::span<const std::uint8_t> iccProfile;
    PngOutput output;
    PngErrorRecord errors{};
    png_structp png = nullptr;
    png_infop info = nullptr;
    std::vector<std::uint8_t> greyPixels;  // 8-bit pictures, turned grey
    std::vector<std::uint8_t> alphaPixels; // pixels with their alpha beside them
    std::vector<png_bytep> rows;           // top of the picture first
};

// Deflated bytes of the image data as stored: each row has a filter byte.
std::uint64_t storedBytes(png_uint_32 width, png_uint_32 height, int channels, int depth)
{
    const std::uint64_t bitsPerRow = std::uint64_t(width) * unsigned(channels) * unsigned(depth);
    return std::uint64_t(height) * (1 + (bitsPerRow + 7) / 8);
}

// Everything becomes 8-bit blue-green-red without alpha, in the display's gamma.
void requestBgr24(png_structp png, png_infop info)
{
    const int colourType = png_get_color_type(png, info);
    const int depth = png_get_bit_depth(png, info);
    if (depth == 16)
        png_set_strip_16(png);
    if (colourType == PNG_COLOR_TYPE_GRAY && depth < 8)
        png_set_expand_gray_1_2_4_to_8(png);
    if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
    if (colourType == PNG_COLOR_TYPE_PALETTE)
        png_set_palette_to_rgb(png);
    png_set_strip_alpha(png);
    if (colourType & PNG_COLOR_MASK_COLOR)
        png_set_bgr(png);

    int intent = 0;
    double fileGamma = 0;
    // A picture with its own profile keeps the numbers it stores: the profile says what they mean.
    if (png_get_valid(png, info, PNG_INFO_iCCP))
        return;
    if (png_get_sRGB(png, info, &intent))
        png_set_sRGB(png, info, intent);
    else if (png_get_gAMA(png, info, &fileGamma))
        png_set_gamma(png, kScreenGamma, fileGamma);
    else
        png_set_gamma(png, kScreenGamma, kGammaWhenUndeclared);
}

ReadCode decode(PngReader& r)
{
    if (setjmp(r.errors.jump))
        return ReadCode::NotThisFormat;
    png_set_read_fn(r.png, &r.source, ReadPngFromSource);
    png_set_sig_bytes(r.png, sizeof kSignature);
    png_set_user_limits(r.png, kMaxPictureDimension, kMaxPictureDimension);
    png_read_info(r.png, r.info);

    const png_uint_32 width = png_get_image_width(r.png, r.info);
    const png_uint_32 height = png_get_image_height(r.png, r.info);
    const std::uint64_t stored
        = storedBytes(width, height, png_get_channels(r.png, r.info), png_get_bit_depth(r.png, r.info));
    if (stored > r.source.remaining() * kBestCompressionRatio)
        png_error(r.png, "Not enough image data");
    if (CheckPictureBudget(PictureBytes(width, height, 24), r.source.remaining())) {
        r.tooLarge = true;
        png_error(r.png, "Image too large");
    }

    ReadPngIccProfile(r.png, r.info, r.iccProfile);
    requestBgr24(r.png, r.info);
    const int passes = png_set_interlace_handling(r.png);
    png_read_update_info(r.png, r.info);
    if (png_get_rowbytes(r.png, r.info) != std::size_t(width) * 3)
        return ReadCode::Failure;
    r.picture = AllocatePicture(width, height, 24, 0, &r.shortage);
    if (!r.picture)
        return ReadCode::Failure;

    const std::uint64_t total = std::uint64_t(passes) * height;
    std::uint64_t done = 0;
    for (int pass = 0; pass < passes; ++pass) {
        for (png_uint_32 y = 0; y < height; ++y, ++done) {
            if (done % 16 == 0) {
                if (AbortRequested())
                    return ReadCode::Broken;
                ReportProgress(kProgressReading, int(done * 100 / total));
            }
            // The file's last row is the block's first.
            png_read_row(r.png, r.picture.row(int(height - 1 - y)), nullptr);
        }
    }
    png_read_end(r.png, nullptr);
    return ReadCode::Image;
}

// Rows top-down: 24-bit rows straight from the picture, 8-bit ones as grey from the red
// component of each pixel's palette entry; with an alpha picture each pixel is followed by
// its alpha.
void prepareRows(PngWriter& w)
{
    const HDIB& image = w.image;
    const int width = image.width();
    const int height = image.height();
    w.rows.resize(std::size_t(height));
    if (image.bitCount() == 24 && !w.alpha) {
        for (int top = 0; top < height; ++top)
            w.rows[std::size_t(top)] = const_cast<png_bytep>(image.row(height - 1 - top));
        return;
    }
    std::uint8_t red[256] = {};
    if (image.bitCount() == 8)
        for (std::uint32_t i = 0; i < std::min<std::uint32_t>(image.clrUsed(), 256); ++i)
            red[i] = image.colors()[i].rgbRed;
    const std::size_t channels = (image.bitCount() == 24 ? 3 : 1) + (w.alpha ? 1 : 0);
    std::vector<std::uint8_t>& pixels = w.alpha ? w.alphaPixels : w.greyPixels;
    pixels.resize(std::size_t(width) * channels * std::size_t(height));
    for (int top = 0; top < height; ++top) {
        std::uint8_t* out = pixels.data() + std::size_t(top) * std::size_t(width) * channels;
        const std::uint8_t* in = image.row(height - 1 - top);
        const std::uint8_t* a = w.alpha ? w.alpha->row(height - 1 - top) : nullptr;
        for (int x = 0; x < width; ++x) {
            std::uint8_t* pixel = out + std::size_t(x) * channels;
            if (image.bitCount() == 24)
                std::memcpy(pixel, in + 3 * x, 3);
            else
                pixel[0] = red[in[x]];
            if (a)
                pixel[channels - 1] = a[x];
        }
        w.rows[std::size_t(top)] = out;
    }
}

PngWriteResult encode(PngWriter& w)
{
    if (setjmp(w.errors.jump))
        return PngWriteResult::EncoderError;
    const HDIB& image = w.image;
    const bool rgb = image.bitCount() == 24;
    const int colourType = (rgb ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_GRAY) | (w.alpha ? PNG_COLOR_MASK_ALPHA : 0);
    png_set_write_fn(w.png, &w.output, WritePngToSink, FlushPngSink);
    png_set_write_status_fn(w.png, ReportPngWriteProgress);
    png_set_IHDR(w.png, w.info, png_uint_32(image.width()), png_uint_32(image.height()), 8, colourType,
                 PNG_INTERLACE_ADAM7, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(w.png, kDeflateLevel);
    // Declaring the display's gamma makes the reader's correction cancel out, so our own
    // files reopen unchanged instead of brightening each time. A profile says it instead.
    if (!rgb || !WritePngIccProfile(w.png, w.info, w.iccProfile))
        png_set_gAMA(w.png, w.info, 1.0 / kScreenGamma);

    char titleKey[] = "Title", titleText[] = "None";
    char authorKey[] = "Author", authorText[] = "Unknown";
    char descriptionKey[] = "Description", descriptionText[] = "";
    png_text text[3] = {};
    text[0] = {PNG_TEXT_COMPRESSION_NONE, titleKey, titleText, 0, 0, nullptr, nullptr};
    text[1] = {PNG_TEXT_COMPRESSION_NONE, authorKey, authorText, 0, 0, nullptr, nullptr};
    text[2] = {PNG_TEXT_COMPRESSION_zTXt, descriptionKey, descriptionText, 0, 0, nullptr, nullptr};
    png_set_text(w.png, w.info, text, 3);

    png_write_info(w.png, w.info);
    if (rgb)
        png_set_bgr(w.png);
    png_write_image(w.png, w.rows.data());
    png_write_end(w.png, w.info);
    return PngWriteResult::Written;
}

bool writable(const HDIB& image, const HDIB* alpha)
{
    const bool alphaFits = !alpha
                           || (*alpha && alpha->bitCount() == 8 && alpha->width() == image.width()
                               && alpha->height() == image.height());
    return image && (image.bitCount() == 8 || image.bitCount() == 24) && alphaFits;
}

}  // namespace

ReadResult ReadPng(ByteSource& source)
{
    std::uint8_t signature[sizeof kSignature];
    if (!source.readExact(signature, sizeof signature) || std::memcmp(signature, kSignature, sizeof kSignature) != 0)
        return ReadCode::NotThisFormat;
    PngReader reader(source);
    reader.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &reader.errors, RecordPngErrorAndJump, IgnorePngWarning);
    if (!reader.png)
        return ReadCode::NotThisFormat;
    reader.info = png_create_info_struct(reader.png);
    if (!reader.info)
        return ReadCode::NotThisFormat;
    const ReadCode code = decode(reader);
    if (code == ReadCode::NotThisFormat) {
        // The library's own words go with the cause; whoever shows the failure names the file.
        const std::string said = reader.errors.message;
        if (reader.tooLarge)
            return {code, {FileProblem::TooLarge, {}}};
        if (said == "Read Error" || said == "Not enough image data")
            return {code, {FileProblem::Truncated, said}};
        return {code, {FileProblem::Corrupt, said}};
    }
    if (code != ReadCode::Image)
        return {code, code == ReadCode::Broken ? FileFailure(FileProblem::Cancelled)
                                               : FileFailure(FileProblem::OutOfMemory, {}, reader.shortage.notices)};
    ReadResult result(std::move(reader.picture));
    result.facts().iccProfile = std::move(reader.iccProfile);
    return result;
}

ReadResult ReadPng(const std::string& path)
{
    FileFailure notice;
    auto source = OpenImageForReading(path, notice);
    if (!source)
        return {ReadCode::NotThisFormat, notice};
    return ReadPng(*source);
}

PngWriteResult WritePng(ByteSink& sink, const HDIB& image, const HDIB* alpha, std::span<const std::uint8_t> iccProfile)
{
    if (!writable(image, alpha))
        return PngWriteResult::UnsupportedKind;
    PngWriter writer(sink, image, alpha, iccProfile);
    prepareRows(writer);
    writer.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &writer.errors, RecordPngErrorAndJump, IgnorePngWarning);
    if (!writer.png)
        return PngWriteResult::NoWriteStruct;
    writer.info = png_create_info_struct(writer.png);
    if (!writer.info)
        return PngWriteResult::NoInfoStruct;
    return encode(writer);
}

PngWriteResult WritePng(const std::string& path, const HDIB& image, FileFailure* failure, const HDIB* alpha,
                        std::span<const std::uint8_t> iccProfile)
{
    if (!writable(image, alpha))
        return PngWriteResult::Refused;
    ui::BusyCursor busy;
    auto sink = CreateImageFile(path, failure);
    if (!sink)
        return PngWriteResult::NotCreated;
    const PngWriteResult result = WritePng(*sink, image, alpha, iccProfile);
    if (result == PngWriteResult::Written && sink->close())
        return result;
    sink->discard();
    if (failure)
        *failure = sink->failure();
    return result == PngWriteResult::Written ? PngWriteResult::EncoderError : result;
}

}  // namespace lv
