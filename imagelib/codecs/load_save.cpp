#include "imagelib/codecs/load_save.h"

#include "common/ui_service.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/dib_convert.h"
#include "imagelib/codecs/file_names.h"
#include "imagelib/codecs/format_detect.h"
#include "imagelib/codecs/library_messages.h"

namespace lv {
namespace {

constexpr int kMedianCutMode = 22;

std::string extensionOrBmp(const std::string& path)
{
    std::string extension = DispatchExtension(path);
    return extension.empty() ? std::string("BMP") : extension;
}

}  // namespace

LoadedImage LoadImageFileDetailed(const std::string& path, bool showMessage)
{
    ui::BusyCursor busy;
    FileFailure unreadable;
    const std::string content = DetectFileFormat(path, &unreadable);
    const ImageFormat* named = content.empty() ? nullptr : FindFormatByExtension(content.substr(1));
    const ImageFormat* chosen = named ? named : FindFormatByExtension(extensionOrBmp(path));
    if (!chosen) {
        if (showMessage)
            ShowDetailedMessage(kUnknownFileFormatMessage, path);
        return {{}, nullptr, ReadCode::Failure, {FileProblem::UnknownFormat, {}}};
    }
    if (unreadable)
        return {{}, nullptr, ReadCode::NotThisFormat, unreadable};
    ReadResult result = chosen->read(path);
    // The trial order is for files whose content names no format the table reads.
    if (result.code() == ReadCode::NotThisFormat && content.empty()) {
        for (const ImageFormat& format : ImageFormats()) {
            if (&format == chosen)
                continue;
            result = format.read(path);
            if (result.code() != ReadCode::NotThisFormat) {
                chosen = &format;
                break;
            }
        }
    }
    LoadedImage loaded{{}, chosen, result.code(), result.failure()};
    if (!content.empty() && !named && !result.ok())
        loaded.failure = {FileProblem::UnknownFormat, {}};  // a format only the document open reads
    if (result.ok())
        loaded.image = result.take();
    return loaded;
}

HDIB LoadImageFile(const std::string& path, bool showMessage)
{
    return LoadImageFileDetailed(path, showMessage).image;
}

HDIB LoadImageFile24(const std::string& path, bool* promoted, bool showMessage)
{
    HDIB image = LoadImageFile(path, showMessage);
    if (promoted)
        *promoted = false;
    if (!image || DibGetType(image) == IMG_RGB24)
        return image;
    HDIB wide = DibPromoteTo24(image);
    if (wide && promoted)
        *promoted = true;
    return wide;
}

WriteResult SaveImageFile(HDIB& image, const std::string& path, bool showMessage)
{
    const ImageFormat* format = FindFormatByWriteSlot(FindWriteSlot(extensionOrBmp(path)));
    if (!format) {
        ShowLibraryMessage(kUnknownFileFormatMessage);
        return WriteResult::Failed;
    }
    WriteResult result;
    if (format->name == "GIF" && image && image.bitCount() == 24) {
        HDIB reduced = DibMedianCut(image, kMedianCutMode);
        result = format->write(path, reduced ? reduced : image);
    } else {
        result = format->write(path, image);
    }
    if (showMessage && result.failure())
        ShowLibraryMessage(FileProblemMessage(result.failure(), path));
    else if (showMessage && result == WriteResult::Failed)
        ShowDetailedMessage(kDiskErrorMessage, path);
    return result;
}

}  // namespace lv
