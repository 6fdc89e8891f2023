#include "app/widgets/program_picture.h"

#include "common/program_paths.h"
#include "app/widgets/dib_image.h"
#include "common/byte_source.h"
#include "imagelib/codecs/bmp/bmp.h"

namespace lv::app {

QImage ProgramPicture(std::string_view name)
{
    const auto file = FileSource::Open(ProgramFile(name).string());
    return file ? DibToImage(ReadBmp(*file).take()) : QImage();
}

}  // namespace lv::app
