#include "streamed_convert.h"

#include "command.h"
#include "image_io.h"
#include "imagelib/codecs/file_names.h"
#include "imagelib/codecs/format_detect.h"
#include "imagelib/codecs/image_file.h"
#include "imagelib/codecs/raw/camera_raw.h"
#include "imagelib/codecs/row_sources.h"
#include "imagelib/codecs/tiff/tiff.h"
#include "imagelib/metadata/metadata_save.h"
#include "imagelib/metadata/upright_step.h"

namespace lv::tool {
namespace {

// Whether the general way would read `in` with the TIFF reader: by its content, unless its
// name says it is a camera's raw file to be developed.
bool readAsTiff(const std::string& in)
{
    FileFailure unreadable;
    if (DetectFileFormat(in, &unreadable) != ".TIF" || unreadable)
        return false;
    const std::string extension = DispatchExtension(in);
    return !IsCameraRawExtension(extension.empty() ? "BMP" : extension);
}

}  // namespace

std::optional<int> ConvertStreamed(const std::string& in, const std::string& out, bool removePersonal)
{
    if (DispatchExtension(out) != "TIF" || !readAsTiff(in))
        return std::nullopt;
    const auto source = FileSource::Open(in);
    if (!source)
        return std::nullopt;
    StreamedRows opened = OpenStreamedRows(*source);
    // A photo stored turned is turned upright first, which needs the whole picture.
    const PhotoMetadata metadata = opened.rows ? ReadFileMetadata(in) : PhotoMetadata{};
    if (!opened.rows || metadata.orientation != 1)
        return std::nullopt;

    RgbRowSource& rows = *opened.rows;
    const auto encode = [&](ByteSink& sink) { return WriteTiff(sink, rows, opened.facts); };
    const WriteResult result =
        metadata.hasBlocks() ? WriteWithMetadata(out, encode, metadata, {rows.width(), rows.height(), removePersonal})
                             : WriteImageFile(out, encode);
    if (const FileFailure damage = rows.failure())
        return Fail(kExitCannotRead, FileProblemMessage(damage, in));
    return metadata.hasBlocks() ? PhotoWriteOutcome(result, out) : PictureWriteOutcome(result, out);
}

}  // namespace lv::tool
