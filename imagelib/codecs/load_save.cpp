#include "imagelib/codecs/load_save.h"

#include "common/ui_service.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/dib_convert.h"
#include "imagelib/codecs/file_names.h"
#include "imagelib/codecs/format_detect.h"
#include "imagelib/codecs/library_messages.h"
#include "imagelib/codecs/raw/camera_raw.h"
#include "imagelib/metadata/upright_step.h"

namespace lv {
namespace {

constexpr int kMedianCutMode = 22;

std::string extensionOrBmp(const std::string& path)
{
    std::string extension = DispatchExtension(path);
    return extension.empty() ? std::string("BMP") : extension;
}

void append(std::vector<FailureNotice>& said, const FileFailure& failure)
{
    said.insert(said.end(), failure.notices.begin(), failure.notices.end());
}

}  // namespace

LoadedImage LoadImageFileDetailed(const std::string& path, bool withMessage)
{
    ui::BusyCursor busy;
    FileFailure unreadable;
    const std::string content = DetectFileFormat(path, &unreadable);
    const ImageFormat* named = content.empty() ? nullptr : FindFormatByExtension(content.substr(1));
    // Most camera raw formats are plain TIFF inside: their extension says they are to be developed.
    if (content == ".TIF" && IsCameraRawExtension(extensionOrBmp(path)))
        named = FindFormatByExtension("DNG");
    const ImageFormat* chosen = named ? named : FindFormatByExtension(extensionOrBmp(path));
    if (!chosen) {
        FileFailure unknown(FileProblem::UnknownFormat);
        if (withMessage)
            unknown.notices.push_back({DetailedText(kUnknownFileFormatMessage, path)});
        return {{}, nullptr, ReadCode::Failure, unknown, {}, {}};
    }
    if (unreadable)
        return {{}, nullptr, ReadCode::NotThisFormat, unreadable, {}, {}};
    ReadResult result = chosen->read(path);
    std::vector<FailureNotice> said = result.failure().notices;
    // The trial order is for files whose content names no format the table reads.
    if (result.code() == ReadCode::NotThisFormat && content.empty()) {
        for (const ImageFormat& format : ImageFormats()) {
            if (&format == chosen)
                continue;
            result = format.read(path);
            append(said, result.failure());
            if (result.code() != ReadCode::NotThisFormat) {
                chosen = &format;
                break;
            }
        }
    }
    PhotoMetadata metadata;
    if (result.ok() && FormatCarriesMetadata(chosen->name))
        metadata = ApplyPhotoMetadata(result, path);
    LoadedImage loaded{{}, chosen, result.code(), result.failure(), result.facts(), std::move(metadata)};
    if (!content.empty() && !named && !result.ok())
        loaded.failure = {FileProblem::UnknownFormat, {}};  // a format only the document open reads
    loaded.failure.notices = std::move(said);
    if (result.ok()) {
        loaded.image = result.take();
        loaded.facts = std::move(result.facts());
    }
    return loaded;
}

HDIB LoadImageFile(const std::string& path)
{
    return LoadImageFileDetailed(path, false).image;
}

HDIB LoadImageFile24(const std::string& path, bool* promoted)
{
    HDIB image = LoadImageFile(path);
    if (promoted)
        *promoted = false;
    if (!image || DibGetType(image) == IMG_RGB24)
        return image;
    HDIB wide = DibPromoteTo24(image);
    if (wide && promoted)
        *promoted = true;
    return wide;
}

WriteResult SaveImageFile(HDIB& image, const std::string& path, bool withMessage, const PictureFacts& facts)
{
    const ImageFormat* format = FindFormatByWriteSlot(FindWriteSlot(extensionOrBmp(path)));
    if (!format)
        return {WriteResult::Failed, WordedFailure(FileProblem::UnknownFormat, std::string(kUnknownFileFormatMessage))};
    FileFailure told;
    WriteResult result;
    if (format->name == "GIF" && image && image.bitCount() == 24) {
        HDIB reduced = DibMedianCut(image, kMedianCutMode, &told);
        result = format->write(path, reduced ? reduced : image);
    } else {
        result = WriteWithFacts(*format, path, image, facts);
    }
    FileFailure failure = AfterNotices(told, result.failure());
    // A writer that refused the picture has said all there is to say, in its own words.
    if (withMessage && result.failure().problem != FileProblem::DepthNotWritable) {
        if (result.failure())
            failure.notices.push_back({FileProblemMessage(result.failure(), path)});
        else if (result == WriteResult::Failed)
            failure.notices.push_back({DetailedText(kDiskErrorMessage, path)});
    }
    return {result.code(), std::move(failure)};
}

}  // namespace lv
