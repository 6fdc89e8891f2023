#include "imagelib/codecs/image_file.h"

#include "imagelib/codecs/library_messages.h"

namespace lv {

std::unique_ptr<FileSource> OpenImageForReading(const std::string& path, FileFailure& notice)
{
    auto source = FileSource::Open(path);
    if (!source)
        notice = CannotOpenNotice(path);
    return source;
}

std::unique_ptr<FileSink> CreateImageFile(const std::string& path, FileFailure* failure)
{
    return FileSink::Create(path, failure);
}

}  // namespace lv
