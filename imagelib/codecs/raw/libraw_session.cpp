#include "imagelib/codecs/raw/libraw_session.h"

#include "imagelib/codecs/memory_decode.h"
#include "imagelib/progress.h"

#include <algorithm>

namespace lv {
namespace {

// LibRaw's own ceiling on what it allocates for raw samples.
constexpr unsigned kMaxRawMegabytes = unsigned(kPictureBudgetBytes >> 20);

// LibRaw's default prints a damaged file's complaints to the terminal; the result says it.
void ignoreDataError(void*, const char*, int) {}

// Between LibRaw's steps: the user's stop ends the work (LibRaw then answers that it was
// cancelled).
int stopWhenAsked(void*, LibRaw_progress, int, int)
{
    return AbortRequested() ? 1 : 0;
}

}  // namespace

void LibRawProcessor::makeOutputCurve()
{
    const auto* histogram = libraw_internal_data.output_data.histogram;
    if (!histogram)
        return;  // LibRaw's copy then keeps the curve it has, and so do we
    const libraw_output_params_t& params = imgdata.params;
    // The same arithmetic as LibRaw's, float to int included: the curve must be its very own.
    int enough = int(imgdata.sizes.width * imgdata.sizes.height * params.auto_bright_thr);
    if (libraw_internal_data.internal_output_params.fuji_width)
        enough /= 2;
    int white = LIBRAW_HISTOGRAM_SIZE;
    if (!((params.highlight & ~2) || params.no_auto_bright)) {
        white = 0;
        for (int c = 0; c < imgdata.idata.colors; ++c) {
            int level = LIBRAW_HISTOGRAM_SIZE;
            for (int total = 0; --level > 32;) {
                total += histogram[c][level];
                if (total > enough)
                    break;
            }
            white = std::max(white, level);
        }
    }
    gamma_curve(params.gamm[0], params.gamm[1], 2, int((white << 3) / params.bright));
}

LibRawSession::LibRawSession(ByteSource& source)
    : fileBytes_(source.size())
    , stream_(source)
{
    if (source.position() != 0) {
        failure_ = {FileProblem::DiskError, {}};
        return;
    }
    processor_ = std::make_unique<LibRawProcessor>();
    processor_->imgdata.params.max_raw_memory_mb = kMaxRawMegabytes;
    processor_->set_dataerror_handler(ignoreDataError, nullptr);
    processor_->set_progress_handler(stopWhenAsked, nullptr);
    const int code = processor_->open_datastream(&stream_);
    if (code == LIBRAW_CANCELLED_BY_CALLBACK)
        failure_ = {FileProblem::Cancelled, {}};
    else if (code != LIBRAW_SUCCESS)
        failure_ = {FileProblem::Corrupt, libraw_strerror(code)};
}

FileFailure LibRawSession::checkDevelopBudget() const
{
    const libraw_image_sizes_t& sizes = processor_->imgdata.sizes;
    if (FileFailure refused = CheckDecodedSize(sizes.width, sizes.height, fileBytes_))
        return refused;
    const std::uint64_t working = std::uint64_t(sizes.width) * sizes.height * 8 + std::uint64_t(sizes.raw_width) * sizes.raw_height * 2;
    return CheckPictureBudget(working, fileBytes_);
}

ReadResult LibRawSession::LibraryFailure(int code)
{
    if (code == LIBRAW_UNSUFFICIENT_MEMORY)
        return {ReadCode::Failure, {FileProblem::OutOfMemory}};
    if (code == LIBRAW_CANCELLED_BY_CALLBACK)
        return {ReadCode::Broken, {FileProblem::Cancelled}};
    if (code == LIBRAW_TOO_BIG || code == LIBRAW_MEMPOOL_OVERFLOW)
        return DecodeFailure(FileProblem::TooLarge, libraw_strerror(code));
    return DecodeFailure(code == LIBRAW_FILE_UNSUPPORTED ? FileProblem::Unsupported : FileProblem::Corrupt,
                         libraw_strerror(code));
}

ReadResult PictureFromProcessed(const libraw_processed_image_t& image, std::uint64_t fileBytes)
{
    if (image.type != LIBRAW_IMAGE_BITMAP || image.bits != 8 || (image.colors != 3 && image.colors != 1))
        return DecodeFailure(FileProblem::Unsupported, "LibRaw");
    if (std::uint64_t(image.width) * image.height * image.colors > image.data_size)
        return DecodeFailure(FileProblem::Corrupt, "LibRaw");
    FilePicture allocated = AllocateDecodedPicture(image.width, image.height, fileBytes);
    if (!allocated.picture)
        return RefusedPicture(allocated.failure);
    if (image.colors == 3) {
        StoreTopDownRgb(allocated.picture, image.data, std::size_t(image.width) * 3, 3);
    } else {
        HDIB& picture = allocated.picture;
        for (int top = 0; top < image.height; ++top) {
            const std::uint8_t* in = image.data + std::size_t(top) * image.width;
            std::uint8_t* out = picture.row(image.height - 1 - top);
            for (int x = 0; x < image.width; ++x, out += 3)
                out[0] = out[1] = out[2] = in[x];
        }
    }
    return ReadResult(std::move(allocated.picture));
}

namespace {

// Colour pictures go straight into the picture's rows, bottom-up and blue first: no second
// full-size buffer to fill and copy.
ReadResult developInto(LibRaw& raw, int width, int height, std::uint64_t fileBytes)
{
    FilePicture allocated = AllocateDecodedPicture(width, height, fileBytes);
    if (!allocated.picture)
        return RefusedPicture(allocated.failure);
    HDIB& picture = allocated.picture;
    const int code = raw.copy_mem_image(picture.row(height - 1), -int(picture.stride()), 1);
    if (code != LIBRAW_SUCCESS)
        return LibRawSession::LibraryFailure(code);
    return ReadResult(std::move(picture));
}

ReadResult developThroughMemoryImage(LibRaw& raw, std::uint64_t fileBytes)
{
    int code = LIBRAW_SUCCESS;
    const ProcessedImage developed(raw.dcraw_make_mem_image(&code));
    if (!developed)
        return LibRawSession::LibraryFailure(code);
    return PictureFromProcessed(*developed, fileBytes);
}

}  // namespace

int DevelopInWorkingPicture(LibRawSession& session, bool halfSize)
{
    LibRaw& raw = session.processor();
    raw.imgdata.params.use_camera_wb = 1;
    raw.imgdata.params.output_bps = 8;
    raw.imgdata.params.half_size = halfSize ? 1 : 0;
    const int code = raw.unpack();
    return code == LIBRAW_SUCCESS ? raw.dcraw_process() : code;
}

ReadResult DevelopWithCameraBalance(LibRawSession& session, bool halfSize)
{
    LibRaw& raw = session.processor();
    const int code = DevelopInWorkingPicture(session, halfSize);
    if (code != LIBRAW_SUCCESS)
        return LibRawSession::LibraryFailure(code);
    int width = 0, height = 0, colours = 0, bits = 0;
    raw.get_mem_image_format(&width, &height, &colours, &bits);
    ReadResult result = colours == 3 && bits == 8 ? developInto(raw, width, height, session.fileBytes())
                                                  : developThroughMemoryImage(raw, session.fileBytes());
    if (result.ok())
        result.facts().alreadyUpright = true;
    return result;
}

}  // namespace lv
