#pragma once
// Opening image files for the codecs: the library's own file-open, whose failure carries the
// library's report for the caller to show, and the safe write path every writer goes through.

#include "common/byte_sink.h"
#include "common/byte_source.h"
#include "imagelib/codecs/codec_result.h"

#include <memory>
#include <string>

namespace lv {

// Null when the file can't be opened; `notice` then holds the library's report of it
// ("Não é possível abrir -- %s") without a cause, as the readers have always answered.
std::unique_ptr<FileSource> OpenImageForReading(const std::string& path, FileFailure& notice);
// Null when the file can't be created; `failure` says why.
std::unique_ptr<FileSink> CreateImageFile(const std::string& path, FileFailure* failure = nullptr);

// What a writer answers when the file can't be created, and when bytes it thought written
// fail to reach the file as it is closed. Each format's contract names its own numbers.
struct FileWriteOutcomes {
    WriteResult::Code cannotCreate = WriteResult::CannotCreate;
    WriteResult::Code closeFailed = WriteResult::Failed;
};

// Writes the file with `write(ByteSink&)` through the safe path: the file is replaced only
// when the writer answers Written and every byte reached the disk; otherwise the old file
// stays as it was. The result carries the system's reason for a failure.
template<typename Write>
WriteResult WriteImageFile(const std::string& path, Write&& write, FileWriteOutcomes outcomes = {})
{
    FileFailure failure;
    auto sink = CreateImageFile(path, &failure);
    if (!sink)
        return {outcomes.cannotCreate, failure};
    const WriteResult result = write(*sink);
    if (result != WriteResult::Written) {
        sink->discard();
        return {result.code(), result.failure() ? result.failure() : sink->failure()};
    }
    if (!sink->close())
        return {outcomes.closeFailed, sink->failure()};
    return result;
}

}  // namespace lv
