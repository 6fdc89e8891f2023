#include "imagelib/save_as.h"

#include "common/string_table.h"
#include "common/ui_service.h"
#include "imagelib/dib_convert.h"
#include "imagelib/file_names.h"
#include "imagelib/format_registry.h"
#include "imagelib/library_messages.h"

#include <filesystem>

namespace lv {
namespace {

constexpr int kExtensionStringBase = 2388;  // + type gives ".BMP" ... ".JPG"
constexpr int kCannotLocateString = 1112;
constexpr int kDiskErrorString = 2329;
constexpr int kNoRoomForBackupString = 2331;
constexpr int kUnknownFormatString = 2356;

// FlashPix has no entry among the table's save extensions.
constexpr std::string_view kFlashPixExtension = ".FPX";

}  // namespace

std::string SaveAsTypeExtension(int type)
{
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
    for (int type = kSaveAsBmp; type <= kSaveAsFlashPix; ++type)
        if (SaveAsTypeExtension(type) == extension)
            return type;
    return 0;
}

WriteResult writeByType(HDIB& image, const std::string& path, const ImageFormat& format, int type)
{
    ui::BusyCursor busy;
    if (type == kSaveAsGif && image && image.bitCount() == 24) {
        HDIB reduced = DibReduceToWebPalette(image);
        if (reduced)
            return format.write(path, reduced);
    }
    return format.write(path, image);
}

bool moveFile(const std::string& from, const std::string& to)
{
    std::error_code ec;
    std::filesystem::rename(from, to, ec);
    return !ec;
}

void removeFile(const std::string& path)
{
    std::error_code ec;
    std::filesystem::remove(path, ec);
}

}  // namespace

bool SaveImageAs(HDIB& image, std::string& path, int fileType)
{
    const std::string extension = SaveAsExtension(path);
    int type = fileType;
    if (!extension.empty()) {
        type = typeOfExtension(extension);
        if (type == 0) {
            ShowStringMessage(kUnknownFormatString);
            return false;
        }
    } else {
        path += SaveAsTypeExtension(fileType);
    }
    const ImageFormat* format = FindFormatByWriteSlot(type);
    if (type < kSaveAsBmp || type > kSaveAsFlashPix || !format) {
        ShowStringMessage(kUnknownFormatString);
        return false;
    }

    std::filesystem::path folder = std::filesystem::path(path).parent_path();
    std::error_code ec;
    if (!std::filesystem::is_directory(folder.empty() ? "." : folder, ec)) {
        ShowStringMessage(kCannotLocateString);
        return false;
    }

    const std::string backup = path + std::string(kBackupSuffix);
    const bool backedUp = std::filesystem::exists(path, ec) && moveFile(path, backup);

    WriteResult result = writeByType(image, path, *format, type);
    if (result != WriteResult::Written) {
        removeFile(path);
        if (backedUp)
            moveFile(backup, path);
    } else if (backedUp) {
        removeFile(backup);
    }

    if (result == WriteResult::Failed) {
        if (!backedUp) {
            ShowStringMessage(kDiskErrorString);
        } else {
            const ui::Answer answer = ui::Current().ask(LoadString(kNoRoomForBackupString), ui::kProductTitle,
                                                        ui::Buttons::YesNo, ui::Icon::Question);
            if (answer == ui::Answer::Yes) {
                result = writeByType(image, path, *format, type);
                if (result == WriteResult::Failed) {
                    removeFile(path);
                    ShowStringMessage(kDiskErrorString);
                }
            }
        }
    }
    return result == WriteResult::Written;
}

}  // namespace lv
