#include "imagelib/image_file.h"

#include "imagelib/library_messages.h"

namespace lv {

std::unique_ptr<FileSource> OpenImageForReading(const std::string& path)
{
    auto source = FileSource::Open(path);
    if (!source)
        ReportFileOpenFailure(path);
    return source;
}

std::unique_ptr<FileSink> CreateImageFile(const std::string& path)
{
    return FileSink::Create(path);
}

}  // namespace lv
