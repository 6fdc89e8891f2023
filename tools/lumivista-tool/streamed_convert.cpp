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

enum class BandedReader { None, Tiff, CameraRaw };

// Which of the readers whose rows can come in bands the general way would read `in` with: the
// one its content names, unless its name says it is a camera's raw file to be developed.
BandedReader generalReader(const std::string& in)
{
    FileFailure unreadable;
    const std::string content = DetectFileFormat(in, &unreadable);
    if (unreadable)
        return BandedReader::None;
    const std::string extension = DispatchExtension(in);
    const bool rawByName = IsCameraRawExtension(extension.empty() ? "BMP" : extension);
    if (content == ".DNG" || (content == ".TIF" && rawByName))
        return BandedReader::CameraRaw;
    return content == ".TIF" ? BandedReader::Tiff : BandedReader::None;
}

}  // namespace

std::optional<int> ConvertStreamed(const std::string& in, const std::string& out, bool removePersonal)
{
    const BandedReader reader = DispatchExtension(out) == "TIF" ? generalReader(in) : BandedReader::None;
    if (reader == BandedReader::None)
        return std::nullopt;
    const auto source = FileSource::Open(in);
    if (!source)
        return std::nullopt;
    StreamedRows opened = reader == BandedReader::CameraRaw ? OpenDevelopedRawRows(*source) : OpenStreamedRows(*source);
    // A photo stored turned is turned upright first, which needs the whole picture.
    // A developed raw picture is written with none of the raw file's tags, as the general way writes it.
    const bool keepsMetadata = opened.rows && reader == BandedReader::Tiff;
    const PhotoMetadata metadata = keepsMetadata ? ReadFileMetadata(in) : PhotoMetadata{};
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
