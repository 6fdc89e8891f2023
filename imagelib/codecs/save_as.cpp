#include "imagelib/codecs/save_as.h"

#include "common/string_table.h"
#include "common/ui_service.h"
#include "imagelib/dib_convert.h"
#include "imagelib/codecs/file_names.h"
#include "imagelib/codecs/format_registry.h"
#include "imagelib/codecs/library_messages.h"

#include <filesystem>

namespace lv {
namespace {

constexpr int kExtensionStringBase = 2388;  // + type gives ".BMP" ... ".JPG"
constexpr int kCannotLocateString = 1112;
constexpr int kDiskErrorString = 2329;
constexpr int kUnknownFormatString = 2356;

// FlashPix has no entry among the table's save extensions.
constexpr std::string_view kFlashPixExtension = ".FPX";

}  // namespace

bool IsLibrarySaveType(int type)
{
    return (type >= kSaveAsBmp && type <= kSaveAsFlashPix) || (type >= kSaveAsWebp && type <= kSaveAsHeic);
}

std::string SaveAsTypeExtension(int type)
{
    static constexpr std::string_view kNewer[] = {".WEBP", ".AVIF", ".JXL", ".HEIC"};
    if (type >= kSaveAsWebp && type <= kSaveAsHeic)
        return std::string(kNewer[type - kSaveAsWebp]);
    if (type == kSaveAsFlashPix)
        return std::string(kFlashPixExtension);
    if (type >= kSaveAsBmp && type <= kSaveAsJpeg)
        return std::string(LoadString(kExtensionStringBase + type));
    return {};
}

namespace {

// The type named by an extension such as ".TIF", or 0.
int typeOfExtension(const std::string& extension)
{
    for (int type = kSaveAsBmp; type <= kSaveAsHeic; ++type)
        if (IsLibrarySaveType(type) && SaveAsTypeExtension(type) == extension)
            return type;
    return extension == ".HEIF" ? kSaveAsHeic : 0;
}

WriteResult writeByType(HDIB& image, const std::string& path, const ImageFormat& format, int type, FileFailure& told,
                        const PictureFacts& facts)
{
    ui::BusyCursor busy;
    if (type == kSaveAsGif && image && image.bitCount() == 24) {
        HDIB reduced = DibReduceToWebPalette(image, &told);
        if (reduced)
            return format.write(path, reduced);
    }
    return WriteWithFacts(format, path, image, facts);
}

FileFailure wordedString(FileProblem problem, int stringId, std::string_view detail = {})
{
    const std::string_view text = LoadString(stringId);
    return WordedFailure(problem, detail.empty() ? std::string(text) : DetailedText(text, detail));
}

}  // namespace

bool SaveImageAs(HDIB& image, std::string& path, int fileType, FileFailure& failure, const PictureFacts& facts)
{
    const std::string extension = SaveAsExtension(path);
    int type = fileType;
    if (!extension.empty()) {
        type = typeOfExtension(extension);
        if (type == 0) {
            failure = wordedString(FileProblem::UnknownFormat, kUnknownFormatString, path);
            return false;
        }
    } else {
        path += SaveAsTypeExtension(fileType);
    }
    const ImageFormat* format = FindFormatByWriteSlot(type);
    if (!IsLibrarySaveType(type) || !format) {
        failure = wordedString(FileProblem::UnknownFormat, kUnknownFormatString);
        return false;
    }

    std::filesystem::path folder = std::filesystem::path(path).parent_path();
    std::error_code ec;
    if (!std::filesystem::is_directory(folder.empty() ? "." : folder, ec)) {
        failure = wordedString(FileProblem::FolderMissing, kCannotLocateString, folder.string());
        return false;
    }

    // The writers replace the file only once the new one is whole, so a failed save leaves
    // the old file as it was and there is nothing to restore or retry.
    FileFailure told;
    const WriteResult result = writeByType(image, path, *format, type, told, facts);
    failure = AfterNotices(told, result.failure());
    // A writer that refused the picture has said all there is to say, in its own words.
    if (result.failure().problem != FileProblem::DepthNotWritable) {
        if (result.failure())
            failure.notices.push_back({FileProblemMessage(result.failure(), path)});
        else if (result == WriteResult::Failed)
            failure = AfterNotices(failure, wordedString(FileProblem::DiskError, kDiskErrorString, path));
    }
    return result == WriteResult::Written;
}

}  // namespace lv
