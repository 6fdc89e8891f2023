#include "common/file_problem.h"

#include "common/string_table.h"

#include <cerrno>

namespace lv {
namespace {

constexpr int kNotFoundString = 6465;
constexpr int kDiskErrorString = 2329;
constexpr int kUnknownFormatString = 2356;
constexpr int kOutOfMemoryString = 2004;
constexpr int kFolderMissingString = 7101;
constexpr int kPermissionDeniedString = 7102;
constexpr int kDiskFullString = 7103;
constexpr int kFileTooBigString = 7104;
constexpr int kTruncatedString = 7105;
constexpr int kCorruptString = 7106;
constexpr int kUnsupportedString = 7107;
constexpr int kTooLargeString = 7108;
constexpr int kCancelledString = 7109;
constexpr int kReadOnlyFileString = 7111;
constexpr int kNotRegularFileString = 7112;

int stringOf(FileProblem problem)
{
    switch (problem) {
    case FileProblem::None: return 0;
    case FileProblem::NotFound: return kNotFoundString;
    case FileProblem::FolderMissing: return kFolderMissingString;
    case FileProblem::PermissionDenied: return kPermissionDeniedString;
    case FileProblem::ReadOnlyFile: return kReadOnlyFileString;
    case FileProblem::DiskFull: return kDiskFullString;
    case FileProblem::FileTooBig: return kFileTooBigString;
    case FileProblem::DiskError: return kDiskErrorString;
    case FileProblem::Truncated: return kTruncatedString;
    case FileProblem::Corrupt: return kCorruptString;
    case FileProblem::Unsupported: return kUnsupportedString;
    case FileProblem::UnknownFormat: return kUnknownFormatString;
    case FileProblem::TooLarge: return kTooLargeString;
    case FileProblem::OutOfMemory: return kOutOfMemoryString;
    case FileProblem::Cancelled: return kCancelledString;
    case FileProblem::NotRegularFile: return kNotRegularFileString;
    case FileProblem::DepthNotWritable:
    case FileProblem::OutsidePicture: return 0;  // only ever told in the library's own words
    }
    return 0;
}

}  // namespace

FileProblem ProblemFromErrno(int error)
{
    switch (error) {
    case 0: return FileProblem::None;
    case ENOENT: return FileProblem::NotFound;
    case ENOTDIR: return FileProblem::FolderMissing;
    case EACCES:
    case EPERM:
    case EROFS: return FileProblem::PermissionDenied;
    case ENOSPC:
    case EDQUOT: return FileProblem::DiskFull;
    case EFBIG: return FileProblem::FileTooBig;
    case ENOMEM: return FileProblem::OutOfMemory;
    default: return FileProblem::DiskError;
    }
}

std::string DescribeFileProblem(const FileFailure& failure)
{
    std::string text(LoadString(stringOf(failure.problem)));
    if (!failure.detail.empty()) {
        if (!text.empty() && text.back() == '.')
            text.pop_back();
        text += " (" + failure.detail + ").";
    }
    return text;
}

FileFailure Notice(std::string text, NoticeTitle title)
{
    return {FileProblem::None, {}, {FailureNotice{std::move(text), title}}};
}

FileFailure WithoutNotices(const FileFailure& failure)
{
    return {failure.problem, failure.detail};
}

FileFailure AfterNotices(const FileFailure& earlier, FileFailure failure)
{
    failure.notices.insert(failure.notices.begin(), earlier.notices.begin(), earlier.notices.end());
    return failure;
}

std::string FileProblemMessage(const FileFailure& failure, std::string_view path)
{
    return DescribeFileProblem(failure) + " --- " + std::string(path);
}

}  // namespace lv
