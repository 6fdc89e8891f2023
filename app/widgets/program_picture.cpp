#include "app/widgets/program_picture.h"

#include "common/failure_notices.h"
#include "common/program_paths.h"
#include "app/widgets/dib_image.h"
#include "common/byte_source.h"
#include "imagelib/codecs/bmp/bmp.h"

namespace lv::app {

QImage ProgramPicture(std::string_view name)
{
    const auto file = FileSource::Open(ProgramFile(name).string());
    if (!file)
        return QImage();
    ReadResult read = ReadBmp(*file);
    ShowFailureNotices(read.failure());
    return DibToImage(read.take());
}

}  // namespace lv::app
