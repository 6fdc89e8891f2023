#include "imagelib/codecs/save_as_names.h"

#include "common/string_table.h"
#include "imagelib/codecs/file_names.h"
#include "imagelib/codecs/library_messages.h"
#include "imagelib/codecs/save_as.h"

#include <algorithm>
#include <array>

namespace lv {
namespace {

constexpr int kUnknownFormatString = 2356;

struct ExtensionType {
    std::string_view extension;  // lower case, without the dot
    int type;
};

// Every name a format goes by; the first entry of a type is the one added to names.
constexpr std::array kExtensions = {
    ExtensionType{"bmp", kSaveAsBmp},     ExtensionType{"tif", kSaveAsTiff},     ExtensionType{"tiff", kSaveAsTiff},
    ExtensionType{"pcx", kSaveAsPcx},     ExtensionType{"gif", kSaveAsGif},      ExtensionType{"tga", kSaveAsTarga},
    ExtensionType{"jpg", kSaveAsJpeg},    ExtensionType{"jpeg", kSaveAsJpeg},    ExtensionType{"jpe", kSaveAsJpeg},
    ExtensionType{"fpx", kSaveAsFlashPix}, ExtensionType{"vlf", kSaveAsLayered}, ExtensionType{"png", kSaveAsPng},
    ExtensionType{"webp", kSaveAsWebp},   ExtensionType{"avif", kSaveAsAvif},    ExtensionType{"jxl", kSaveAsJxl},
    ExtensionType{"heic", kSaveAsHeic},   ExtensionType{"heif", kSaveAsHeic},
};

bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isAsciiDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string TypedExtension(std::string_view path)
{
    const auto slash = path.rfind('/');
    const std::string_view file = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const auto dot = file.rfind('.');
    if (dot == std::string_view::npos || dot == 0)
        return {};
    const std::string_view extension = file.substr(dot + 1);
    const bool plain = std::all_of(extension.begin(), extension.end(), [](char c) { return isAsciiLetter(c) || isAsciiDigit(c); });
    const bool named = std::any_of(extension.begin(), extension.end(), isAsciiLetter);
    if (extension.empty() || extension.size() > 4 || !plain || !named)
        return {};
    return std::string(extension);
}

int SaveTypeOfExtension(std::string_view extension)
{
    if (!extension.empty() && extension.front() == '.')
        extension.remove_prefix(1);
    const std::string lower = ToLowerAscii(extension);
    for (const ExtensionType& entry : kExtensions)
        if (entry.extension == lower)
            return entry.type;
    return 0;
}

std::string_view AddedExtension(int type)
{
    static constexpr std::array kAdded = {".bmp", ".tif", ".pcx", ".gif", ".tga", ".jpg", ".fpx", ".vlf", ".png",
                                          "",     ".webp", ".avif", ".jxl", ".heic"};
    return type >= 1 && type <= int(kAdded.size()) ? kAdded[type - 1] : std::string_view();
}

SaveAsTarget ResolveSaveAsName(std::string_view typedPath, int listType)
{
    const std::string extension = TypedExtension(typedPath);
    if (!extension.empty())
        return {std::string(typedPath), SaveTypeOfExtension(extension)};
    const std::string_view added = AddedExtension(listType);
    return {std::string(typedPath) + std::string(added), added.empty() ? 0 : listType};
}

int InitialSaveAsType(std::string_view documentName, int layerCount, int stored)
{
    if (layerCount >= 2)
        return kSaveAsLayered;
    const int own = SaveTypeOfExtension(TypedExtension(documentName));
    return own != 0 ? own : stored;
}

FileFailure UnknownSaveFormat(std::string_view path)
{
    return WordedFailure(FileProblem::UnknownFormat, DetailedText(LoadString(kUnknownFormatString), path));
}

}  // namespace lv
