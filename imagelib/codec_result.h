#pragma once
// Outcomes shared by every codec. The numbers are those callers compare against.

#include "imagelib/dib.h"

#include <utility>

namespace lv {

enum class ReadCode : int {
    Image = 1,           // success: the result holds a new picture
    Failure = 0,         // failed (already reported, or memory exhausted)
    NotThisFormat = -1,  // signature mismatch, or the file could not be opened
    Broken = -2,         // this format, but reading failed or was cancelled
};

class ReadResult {
public:
    ReadResult(ReadCode code)
        : code_(code == ReadCode::Image ? ReadCode::Failure : code)
    {
    }
    ReadResult(HDIB image)
        : image_(std::move(image))
        , code_(image_ ? ReadCode::Image : ReadCode::Failure)
    {
    }

    ReadCode code() const { return code_; }
    int value() const { return int(code_); }
    bool ok() const { return code_ == ReadCode::Image; }
    const HDIB& image() const { return image_; }
    HDIB& image() { return image_; }
    HDIB take() { return std::move(image_); }

private:
    HDIB image_;
    ReadCode code_;
};

enum class WriteResult : int {
    Failed = 0,        // the caller reports a disk error
    Written = 1,
    NotWritten = 2,    // refused with the writer's own message, cancelled, or a system write error
    CannotCreate = 3,  // the file could not be created
    OutOfMemory = 4,   // treated like NotWritten
};

}  // namespace lv
