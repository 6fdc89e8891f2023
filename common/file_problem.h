#pragma once
// Why reading or writing a file went wrong, carried beside a result so that whoever shows
// the failure can say what happened to which file without guessing from text.

#include <string>
#include <string_view>

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
};

struct FileFailure {
    FileProblem problem = FileProblem::None;
    std::string detail;  // the variant's name for Unsupported, else optional

    explicit operator bool() const { return problem != FileProblem::None; }
    bool operator==(const FileFailure&) const = default;
};

// The problem an errno value stands for.
FileProblem ProblemFromErrno(int error);

// The Portuguese sentence for the problem (the detail in parentheses when there is one).
std::string DescribeFileProblem(const FileFailure& failure);

// "%s --- %s": the sentence and the file's name.
std::string FileProblemMessage(const FileFailure& failure, std::string_view path);

}  // namespace lv
