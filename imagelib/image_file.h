#pragma once
// Opening image files for the codecs: the library's own file-open, which can report its failure.

#include "common/byte_sink.h"
#include "common/byte_source.h"
#include "imagelib/codec_result.h"

#include <memory>
#include <string>

namespace lv {

// Null (after the optional report of library_messages.h) when the file can't be opened.
std::unique_ptr<FileSource> OpenImageForReading(const std::string& path);
// Null when the file can't be created.
std::unique_ptr<FileSink> CreateImageFile(const std::string& path);

// What a writer answers when the file can't be created, and when bytes it thought written
// fail to reach the file as it is closed. Each format's contract names its own numbers.
struct FileWriteOutcomes {
    WriteResult cannotCreate = WriteResult::CannotCreate;
    WriteResult closeFailed = WriteResult::Failed;
};

// Creates the file, writes it with `write(ByteSink&)` and closes it.
template<typename Write>
WriteResult WriteImageFile(const std::string& path, Write&& write, FileWriteOutcomes outcomes = {})
{
    auto sink = CreateImageFile(path);
    if (!sink)
        return outcomes.cannotCreate;
    const WriteResult result = write(*sink);
    if (!sink->close() && result == WriteResult::Written)
        return outcomes.closeFailed;
    return result;
}

}  // namespace lv
