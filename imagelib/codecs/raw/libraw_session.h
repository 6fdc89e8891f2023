#pragma once
// One LibRaw processor reading the opened file through its stream, with the budget checked
// on the sizes it reports before anything is unpacked.

#include "common/byte_source.h"
#include "imagelib/codecs/codec_result.h"
#include "imagelib/codecs/raw/libraw_stream.h"

#include <libraw/libraw.h>

#include <memory>
#include <vector>

namespace lv {

// LibRaw, with the one step of its 8-bit copy that it keeps protected reached from outside:
// rows made straight from its working picture need the output curve it makes before copying.
class LibRawProcessor final : public LibRaw {
public:
    LibRawProcessor()
        : LibRaw(LIBRAW_OPTIONS_NONE)
    {
    }

    // Fills imgdata.color.curve as copy_mem_image does first: the white point that the
    // auto-brightness finds in the histogram, then the gamma curve up to it.
    void makeOutputCurve();
};

class LibRawSession {
public:
    // Lets LibRaw identify the file from its start; failure() says why not. The source
    // outlives the session: LibRaw reads from it until the picture is developed.
    explicit LibRawSession(ByteSource& source);
    LibRawSession(const LibRawSession&) = delete;
    LibRawSession& operator=(const LibRawSession&) = delete;

    bool ok() const { return !failure_; }
    const FileFailure& failure() const { return failure_; }
    LibRawProcessor& processor() { return *processor_; }
    std::uint64_t fileBytes() const { return fileBytes_; }

    // The budget for developing at full size: LibRaw's working picture is four 16-bit
    // samples a pixel, beside the raw samples.
    FileFailure checkDevelopBudget() const;

    // A failure with LibRaw's words for `code`.
    static ReadResult LibraryFailure(int code);

private:
    std::uint64_t fileBytes_;
    LibRawSourceStream stream_;  // outlives the processor, which reads it until it goes
    std::unique_ptr<LibRawProcessor> processor_;
    FileFailure failure_;
};

// Owner of LibRaw's processed pictures.
struct ProcessedImageFree {
    void operator()(libraw_processed_image_t* image) const { LibRaw::dcraw_clear_mem(image); }
};
using ProcessedImage = std::unique_ptr<libraw_processed_image_t, ProcessedImageFree>;

// The 8-bit RGB picture LibRaw made, as a picture of ours; null result on odd layouts.
ReadResult PictureFromProcessed(const libraw_processed_image_t& image, std::uint64_t fileBytes);

// Has LibRaw develop the opened raw file with the camera's white balance, 8 bits out, at full
// size or at half, into its working picture; LibRaw's code.
int DevelopInWorkingPicture(LibRawSession& session, bool halfSize);

// Develops the opened raw file with the camera's white balance into an 8-bit picture, at full
// size or at half (the quick way when a thumbnail has no preview to come from).
ReadResult DevelopWithCameraBalance(LibRawSession& session, bool halfSize);

}  // namespace lv
