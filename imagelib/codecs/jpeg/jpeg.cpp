#include "imagelib/codecs/jpeg/jpeg.h"

#include "imagelib/dib_alloc.h"
#include "imagelib/codecs/image_file.h"
#include "imagelib/codecs/jpeg/jpeg_icc.h"
#include "imagelib/codecs/jpeg/jpeg_limits.h"
#include "imagelib/codecs/jpeg/jpeg_managers.h"
#include "imagelib/codecs/library_messages.h"
#include "imagelib/progress.h"
#include "imagelib/codecs/save_options.h"

#include <jerror.h>

#include <algorithm>
#include <optional>
#include <span>
#include <utility>
#include <vector>

// The library reports fatal errors by a longjmp back into decode() or encode(). Those two
// functions and the library callbacks therefore hold no object with a destructor; every
// owned resource lives in a JpegReader or JpegWriter in the caller's frame.

namespace lv {
namespace {

constexpr int kDotsPerInch = 1;

struct JpegReader {
    explicit JpegReader(ByteSource& s)
        : source(s)
    {
        cinfo.err = InstallJpegErrorManager(errors);
    }
    ~JpegReader() { jpeg_destroy_decompress(&cinfo); }  // safe on a struct never created
    JpegReader(const JpegReader&) = delete;
    JpegReader& operator=(const JpegReader&) = delete;

    ByteSource& source;
    jpeg_decompress_struct cinfo{};
    JpegErrorManager errors{};
    JpegSourceManager input{};
    jpeg_progress_mgr progress{};
    HDIB picture;
    FileFailure failure;
    int minWidth = 0;  // with a size asked for, the smallest power-of-two reduction that still gives it
    int minHeight = 0;
    bool coverBothSides = false;  // the reduction keeps minWidth × minHeight itself, not the fitted box
    std::vector<std::uint8_t> iccProfile;
};

struct JpegWriter {
    JpegWriter(ByteSink& s, const HDIB& i, int q)
        : sink(s)
        , image(i)
        , quality(q)
    {
        cinfo.err = InstallJpegErrorManager(errors);
    }
    ~JpegWriter() { jpeg_destroy_compress(&cinfo); }
    JpegWriter(const JpegWriter&) = delete;
    JpegWriter& operator=(const JpegWriter&) = delete;

    ByteSink& sink;
    const HDIB& image;
    int quality;
    jpeg_compress_struct cinfo{};
    JpegErrorManager errors{};
    JpegDestinationManager output{};
    bool cancelled = false;
    std::span<const std::uint8_t> iccProfile;
};

UINT16 dotsPerInch(std::int32_t pixelsPerMetre)
{
    return UINT16(std::clamp<std::int64_t>(DpiFromPixelsPerMetre(pixelsPerMetre), 0, 65535));
}

HDIB allocateFor(const jpeg_decompress_struct& cinfo, FileFailure* shortage)
{
    const bool grey = cinfo.output_components == 1;
    HDIB picture = AllocatePicture(cinfo.output_width, cinfo.output_height, grey ? 8 : 24, grey ? 256 : 0, shortage);
    if (!picture)
        return picture;
    if (grey)
        FillGreyRamp(picture.colors(), 256);
    picture.header().biXPelsPerMeter = JpegPixelsPerMetre(cinfo.density_unit, cinfo.X_density);
    picture.header().biYPelsPerMeter = JpegPixelsPerMetre(cinfo.density_unit, cinfo.Y_density);
    return picture;
}

void swapRedAndBlue(JSAMPROW row, JDIMENSION width)
{
    for (JDIMENSION x = 0; x < width; ++x, row += 3)
        std::swap(row[0], row[2]);
}

// 1/2, 1/4 and 1/8 are the library's fast reductions. The picture must keep at least the
// pixels it takes when fitted into the asked box with its shape kept.
void reduceScale(JpegReader& r)
{
    const std::uint64_t w = r.cinfo.image_width, h = r.cinfo.image_height;
    const std::uint64_t boxW = std::uint64_t(std::max(r.minWidth, 1)), boxH = std::uint64_t(std::max(r.minHeight, 1));
    std::uint64_t fittedW = boxW, fittedH = boxH;
    if (!r.coverBothSides) {
        if (w * boxH >= h * boxW)
            fittedH = std::max<std::uint64_t>(1, boxW * h / std::max<std::uint64_t>(w, 1));
        else
            fittedW = std::max<std::uint64_t>(1, boxH * w / std::max<std::uint64_t>(h, 1));
    }
    const auto reduced = [](std::uint64_t side, unsigned eighths) { return (side * eighths + 7) / 8; };
    unsigned eighths = 8;
    while (eighths > 1 && reduced(w, eighths / 2) >= fittedW && reduced(h, eighths / 2) >= fittedH)
        eighths /= 2;
    r.cinfo.scale_num = eighths;
    r.cinfo.scale_denom = 8;
    jpeg_calc_output_dimensions(&r.cinfo);
}

ReadCode decode(JpegReader& r)
{
    if (setjmp(r.errors.jump)) {
        r.failure = {r.input.atFakeEnd ? FileProblem::Truncated : FileProblem::Corrupt, r.errors.message};
        return ReadCode::Failure;
    }
    jpeg_create_decompress(&r.cinfo);
    AttachJpegSource(&r.cinfo, r.input, r.source);
    jpeg_save_markers(&r.cinfo, JPEG_APP0 + 2, 0xFFFF);
    r.failure = ReadJpegHeaderForOutput(&r.cinfo, r.progress, r.input, r.source);
    if (r.failure)
        return ReadCode::Failure;
    ReadJpegIccProfile(&r.cinfo, r.iccProfile);
    if (r.minWidth > 0 || r.minHeight > 0)
        reduceScale(r);
    const int components = r.cinfo.output_components;
    jpeg_start_decompress(&r.cinfo);
    FileFailure shortage;
    r.picture = allocateFor(r.cinfo, &shortage);
    if (!r.picture) {
        r.failure = {FileProblem::OutOfMemory, {}, shortage.notices};
        return ReadCode::Failure;
    }
    if (r.cinfo.scale_num < r.cinfo.scale_denom && !r.coverBothSides) {
        BitmapInfoHeader& h = r.picture.header();
        h.biXPelsPerMeter = std::int32_t(std::int64_t(h.biXPelsPerMeter) * r.cinfo.scale_num / r.cinfo.scale_denom);
        h.biYPelsPerMeter = std::int32_t(std::int64_t(h.biYPelsPerMeter) * r.cinfo.scale_num / r.cinfo.scale_denom);
    }

    const JDIMENSION height = r.cinfo.output_height;
    while (r.cinfo.output_scanline < height) {
        const JDIMENSION done = r.cinfo.output_scanline;
        if (done % 16 == 0) {
            if (AbortRequested()) {
                r.failure = {FileProblem::Cancelled, {}};
                return ReadCode::Failure;
            }
            ReportProgress(kProgressReading, int(std::uint64_t(done) * 100 / height));
        }
        JSAMPROW row = r.picture.row(int(height - 1 - done));
        if (jpeg_read_scanlines(&r.cinfo, &row, 1) != 1)
            return ReadCode::Failure;
        if (components == 3 && r.cinfo.out_color_space != JCS_EXT_BGR)
            swapRedAndBlue(row, r.cinfo.output_width);
    }
    jpeg_finish_decompress(&r.cinfo);
    ReturnUnusedJpegInput(r.input);
    return ReadCode::Image;
}

WriteResult encode(JpegWriter& w)
{
    if (setjmp(w.errors.jump))
        return w.cancelled ? WriteResult::NotWritten : WriteResult::Failed;
    jpeg_create_compress(&w.cinfo);
    AttachJpegDestination(&w.cinfo, w.output, w.sink);

    const HDIB& image = w.image;
    const bool grey = image.bitCount() == 8;
    w.cinfo.image_width = JDIMENSION(image.width());
    w.cinfo.image_height = JDIMENSION(image.height());
    w.cinfo.input_components = grey ? 1 : 3;
    // Rows go to the library as they lie in the picture, blue-green-red.
    w.cinfo.in_color_space = grey ? JCS_GRAYSCALE : JCS_EXT_BGR;
    jpeg_set_defaults(&w.cinfo);
    jpeg_set_quality(&w.cinfo, w.quality, TRUE);
    w.cinfo.density_unit = kDotsPerInch;
    w.cinfo.X_density = dotsPerInch(image.header().biXPelsPerMeter);
    w.cinfo.Y_density = dotsPerInch(image.header().biYPelsPerMeter);
    jpeg_start_compress(&w.cinfo, TRUE);
    if (!grey && !w.iccProfile.empty())
        jpeg_write_icc_profile(&w.cinfo, w.iccProfile.data(), unsigned(w.iccProfile.size()));

    const int height = image.height();
    for (int done = 0; done < height; ++done) {
        if (done % 16 == 0) {
            if (AbortRequested()) {
                w.cancelled = true;
                break;
            }
            ReportProgress(kProgressWriting, int(std::int64_t(done) * 100 / height));
        }
        // The library only reads the rows it is given.
        JSAMPROW row = const_cast<JSAMPROW>(image.row(height - 1 - done));
        jpeg_write_scanlines(&w.cinfo, &row, 1);
    }
    // After a cancel the library objects to the missing rows; that lands in the jump above.
    jpeg_finish_compress(&w.cinfo);
    return w.cinfo.next_scanline == JDIMENSION(height) ? WriteResult::Written : WriteResult::Failed;
}

// The refusal, with the indexed-image message, of pictures the format can't hold.
std::optional<WriteResult> refuseIndexed(const HDIB& image)
{
    const ImageType type = DibGetType(image);
    if (type == IMG_GREY8 || type == IMG_RGB24)
        return std::nullopt;
    return WriteResult(WriteResult::NotWritten,
                       WordedFailure(FileProblem::DepthNotWritable, std::string(kJpegIndexedMessage)));
}

}  // namespace

ReadResult ReadJpeg(ByteSource& source)
{
    return ReadJpegAtLeast(source, 0, 0);
}

namespace {

ReadResult readReduced(ByteSource& source, int minWidth, int minHeight, bool coverBothSides)
{
    JpegReader reader(source);
    reader.minWidth = minWidth;
    reader.minHeight = minHeight;
    reader.coverBothSides = coverBothSides;
    if (decode(reader) != ReadCode::Image)
        return {ReadCode::Failure, reader.failure};
    ReadResult result(std::move(reader.picture));
    result.facts().iccProfile = std::move(reader.iccProfile);
    // A cut stream decodes as far as it goes; the user is told the rest is missing.
    if (reader.input.atFakeEnd)
        result.setFailure({FileProblem::Truncated, {}});
    return result;
}

}  // namespace

ReadResult ReadJpegAtLeast(ByteSource& source, int boxWidth, int boxHeight)
{
    return readReduced(source, boxWidth, boxHeight, false);
}

ReadResult ReadJpegCovering(ByteSource& source, int minWidth, int minHeight)
{
    return readReduced(source, minWidth, minHeight, true);
}

ReadResult ReadJpegCovering(const std::string& path, int minWidth, int minHeight)
{
    FileFailure notice;
    auto source = OpenImageForReading(path, notice);
    if (!source)
        return {ReadCode::Broken, notice};
    return ReadJpegCovering(*source, minWidth, minHeight);
}

ReadResult ReadJpeg(const std::string& path)
{
    return ReadJpegAtLeast(path, 0, 0);
}

ReadResult ReadJpegAtLeast(const std::string& path, int minWidth, int minHeight)
{
    FileFailure notice;
    auto source = OpenImageForReading(path, notice);
    if (!source)
        return {ReadCode::Broken, notice};
    return ReadJpegAtLeast(*source, minWidth, minHeight);
}

WriteResult WriteJpeg(ByteSink& sink, const HDIB& image, int quality, std::span<const std::uint8_t> iccProfile)
{
    if (const auto refused = refuseIndexed(image))
        return *refused;
    JpegWriter writer(sink, image, ClampJpegQuality(quality));
    writer.iccProfile = iccProfile;
    return encode(writer);
}

WriteResult WriteJpeg(const std::string& path, const HDIB& image, int quality, std::span<const std::uint8_t> iccProfile)
{
    if (const auto refused = refuseIndexed(image))
        return *refused;
    // A file that can't be created is reported by the caller, which knows the cause.
    return WriteImageFile(path, [&](ByteSink& sink) { return WriteJpeg(sink, image, quality, iccProfile); });
}

}  // namespace lv
