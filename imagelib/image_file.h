#pragma once
// Opening image files for the codecs: the library's own file-open, which can report its failure.

#include "common/byte_sink.h"
#include "common/byte_source.h"

#include <memory>
#include <string>

namespace lv {

// Null (after the optional report of library_messages.h) when the file can't be opened.
std::unique_ptr<FileSource> OpenImageForReading(const std::string& path);
// Null when the file can't be created.
std::unique_ptr<FileSink> CreateImageFile(const std::string& path);

}  // namespace lv
