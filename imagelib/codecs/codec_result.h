#pragma once
// Outcomes shared by every codec. The numbers are those callers compare against; beside
// them a result carries why it failed (or, for a picture read in part, what was wrong).

#include "common/file_problem.h"
#include "imagelib/codecs/picture_facts.h"
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
    ReadResult(ReadCode code, FileFailure failure = {})
        : code_(code == ReadCode::Image ? ReadCode::Failure : code)
        , failure_(std::move(failure))
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
    // Why reading failed; for a picture that was read, what the user should still be told
    // (a damaged file read as far as it goes). Empty when nothing is known.
    const FileFailure& failure() const { return failure_; }
    void setFailure(FileFailure failure) { failure_ = std::move(failure); }
    const PictureFacts& facts() const { return facts_; }
    PictureFacts& facts() { return facts_; }

private:
    HDIB image_;
    ReadCode code_;
    FileFailure failure_;
    PictureFacts facts_;
};

class WriteResult {
public:
    enum Code : int {
        Failed = 0,        // the caller reports a disk error
        Written = 1,
        NotWritten = 2,    // refused with the writer's own message, cancelled, or a system write error
        CannotCreate = 3,  // the file could not be created
        OutOfMemory = 4,   // treated like NotWritten
    };

    WriteResult() = default;
    WriteResult(Code code, FileFailure failure = {})
        : code_(code)
        , failure_(std::move(failure))
    {
    }
    operator Code() const { return code_; }
    Code code() const { return code_; }
    // Why the file was not written, when the system said.
    const FileFailure& failure() const { return failure_; }

private:
    Code code_ = Failed;
    FileFailure failure_;
};

}  // namespace lv
