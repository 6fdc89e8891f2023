#pragma once
// Why reading or writing a file went wrong, carried beside a result so that whoever shows
// the failure can say what happened to which file without guessing from text.

#include <string>
#include <string_view>
#include <vector>

namespace lv {

enum class FileProblem : int {
    None = 0,
    NotFound,          // the file does not exist
    FolderMissing,     // a folder on its path does not exist
    PermissionDenied,  // the user may not read or write it (or the disk is read-only)
    ReadOnlyFile,      // the file is marked read-only, so it is not replaced
    DiskFull,          // no space, or the user's quota is used up
    FileTooBig,        // the system's file-size limit was reached
    DiskError,         // any other system error while reading or writing
    Truncated,         // the file ends before its data does
    Corrupt,           // the data contradicts itself
    Unsupported,       // a variant of a known format this program does not read (named in the detail)
    UnknownFormat,     // no reader recognises the file
    TooLarge,          // the picture is beyond what any reader here will make
    OutOfMemory,
    Cancelled,
    DepthNotWritable,  // the format can't hold a picture of this depth (indexed JPEG, 24-bit GIF)
    OutsidePicture,    // a piece reaches beyond the picture it is cut from or combined into
    NotRegularFile,    // a pipe, device or socket under a file's name: never opened for reading
};

// The caption of a notice's box; every notice shows the exclamation icon and OK.
enum class NoticeTitle { Warning, SystemMessage };

// One box the user is to see, word for word.
struct FailureNotice {
    std::string text;
    NoticeTitle title = NoticeTitle::Warning;

    bool operator==(const FailureNotice&) const = default;
};

struct FileFailure {
    FileFailure() = default;
    FileFailure(FileProblem problem, std::string detail = {}, std::vector<FailureNotice> notices = {})
        : problem(problem)
        , detail(std::move(detail))
        , notices(std::move(notices))
    {
    }

    FileProblem problem = FileProblem::None;
    std::string detail;  // the variant's name for Unsupported, else optional
    // What whoever asked for the work is to tell the user, box by box in order. Words can
    // come without a cause: a reader that spoke of a file it could not open named none, and
    // the dispatch above it decides as if nothing had been said.
    std::vector<FailureNotice> notices;

    explicit operator bool() const { return problem != FileProblem::None; }
    bool operator==(const FileFailure&) const = default;
};

// A failure without a cause that only carries words, as the library's literal messages do.
FileFailure Notice(std::string text, NoticeTitle title = NoticeTitle::Warning);

// The cause alone, once its words have been shown.
FileFailure WithoutNotices(const FileFailure& failure);

// `failure` with `earlier`'s notices in front of its own.
FileFailure AfterNotices(const FileFailure& earlier, FileFailure failure);

// The problem an errno value stands for.
FileProblem ProblemFromErrno(int error);

// The Portuguese sentence for the problem (the detail in parentheses when there is one).
std::string DescribeFileProblem(const FileFailure& failure);

// "%s --- %s": the sentence and the file's name.
std::string FileProblemMessage(const FileFailure& failure, std::string_view path);

}  // namespace lv
