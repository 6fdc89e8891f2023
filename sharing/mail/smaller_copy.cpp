#include "sharing/mail/smaller_copy.h"

#include "common/failure_notices.h"
#include "imagelib/dib_geometry.h"
#include "imagelib/codecs/jpeg/jpeg.h"

#include <algorithm>
#include <cctype>

namespace lv::sharing {
namespace {

bool IsJpegName(const std::filesystem::path& path)
{
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return extension == ".jpg" || extension == ".jpeg" || extension == ".jpe";
}

std::filesystem::path FreeName(const std::filesystem::path& folder, const std::string& stem)
{
    std::filesystem::path candidate = folder / (stem + ".jpg");
    for (int n = 2; std::filesystem::exists(candidate); ++n)
        candidate = folder / (stem + "-" + std::to_string(n) + ".jpg");
    return candidate;
}

}  // namespace

bool ValidSmallerSide(int longestSide)
{
    return longestSide == 0 || longestSide == 1024 || longestSide == 1600;
}

Size FittedSize(Size size, int longestSide)
{
    const int longest = std::max(size.width, size.height);
    if (longestSide <= 0 || longest <= longestSide)
        return size;
    // Rounded to the nearest pixel, never below one.
    const auto scaled = [&](int side) {
        return std::max(1, int((std::int64_t(side) * longestSide * 2 + longest) / (std::int64_t(longest) * 2)));
    };
    return {scaled(size.width), scaled(size.height)};
}

std::optional<std::string> MakeSmallerCopy(const std::string& path, int longestSide,
                                           const std::filesystem::path& folder, const DocumentReaders& readers)
{
    OpenOptions options;
    options.promoteTo24 = true;
    OpenedImage opened = LoadGeneralImage(path, readers, options);
    ShowFailureNotices(opened.result.failure());
    if (!opened.result.ok())
        return std::nullopt;
    const HDIB& picture = opened.result.image();
    const Size size{picture.width(), picture.height()};
    const Size fitted = FittedSize(size, longestSide);
    if (fitted == size && IsJpegName(path))
        return path;
    const HDIB copy = fitted == size ? HDIB() : DibResize(picture, fitted.width, fitted.height);
    const HDIB& out = fitted == size ? picture : copy;
    if (!out)
        return std::nullopt;
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    const std::filesystem::path target = FreeName(folder, std::filesystem::path(path).stem().string());
    const WriteResult written = WriteJpeg(target.string(), out, kSmallerCopyQuality);
    ShowFailureNotices(written.failure());
    if (written != WriteResult::Written)
        return std::nullopt;
    return target.string();
}

}  // namespace lv::sharing
