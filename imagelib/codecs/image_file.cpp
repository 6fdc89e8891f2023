#include "imagelib/codecs/image_file.h"

#include "imagelib/codecs/library_messages.h"

namespace lv {

std::unique_ptr<FileSource> OpenImageForReading(const std::string& path, FileFailure* failure)
{
    auto source = FileSource::Open(path, failure);
    if (!source)
        ReportFileOpenFailure(path);
    return source;
}

std::unique_ptr<FileSink> CreateImageFile(const std::string& path, FileFailure* failure)
{
    return FileSink::Create(path, failure);
}

}  // namespace lv
