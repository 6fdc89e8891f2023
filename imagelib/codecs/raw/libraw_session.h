#pragma once
// One LibRaw processor over a file held in memory, with the budget checked on the sizes it
// reports before anything is unpacked.

#include "common/byte_source.h"
#include "imagelib/codecs/codec_result.h"
#include "imagelib/codecs/file_bytes.h"

#include <libraw/libraw.h>

#include <memory>
#include <vector>

namespace lv {

class LibRawSession {
public:
    // Reads the rest of the source and lets LibRaw identify it; failure() says why not.
    explicit LibRawSession(ByteSource& source);
    LibRawSession(const LibRawSession&) = delete;
    LibRawSession& operator=(const LibRawSession&) = delete;

    bool ok() const { return !failure_; }
    const FileFailure& failure() const { return failure_; }
    LibRaw& processor() { return *processor_; }
    std::uint64_t fileBytes() const { return bytes_.size(); }

    // The budget for developing at full size: LibRaw's working picture is four 16-bit
    // samples a pixel, beside the raw samples.
    FileFailure checkDevelopBudget() const;

    // A failure with LibRaw's words for `code`.
    static ReadResult LibraryFailure(int code);

private:
    FileBytes bytes_;
    std::unique_ptr<LibRaw> processor_;
    FileFailure failure_;
};

// Owner of LibRaw's processed pictures.
struct ProcessedImageFree {
    void operator()(libraw_processed_image_t* image) const { LibRaw::dcraw_clear_mem(image); }
};
using ProcessedImage = std::unique_ptr<libraw_processed_image_t, ProcessedImageFree>;

// The 8-bit RGB picture LibRaw made, as a picture of ours; null result on odd layouts.
ReadResult PictureFromProcessed(const libraw_processed_image_t& image, std::uint64_t fileBytes);

// Develops the opened raw file with the camera's white balance into an 8-bit picture, at full
// size or at half (the quick way when a thumbnail has no preview to come from).
ReadResult DevelopWithCameraBalance(LibRawSession& session, bool halfSize);

}  // namespace lv
