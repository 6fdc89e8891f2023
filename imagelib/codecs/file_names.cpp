#include "imagelib/codecs/file_names.h"

#include <algorithm>

namespace lv {

std::string ToUpperAscii(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return out;
}

std::string ToLowerAscii(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return out;
}

std::string CanonicalExtension(std::string_view upperExtension)
{
    const bool dot = !upperExtension.empty() && upperExtension.front() == '.';
    const std::string_view bare = dot ? upperExtension.substr(1) : upperExtension;
    std::string canonical(bare);
    if (bare == "TIFF")
        canonical = "TIF";
    else if (bare == "JPEG" || bare == "JPE")
        canonical = "JPG";
    return dot ? "." + canonical : canonical;
}

std::string DispatchExtension(std::string_view path)
{
    const auto dot = path.rfind('.');
    if (dot == std::string_view::npos || path.find('/', dot) != std::string_view::npos)
        return {};
    return CanonicalExtension(ToUpperAscii(path.substr(dot + 1)));
}

std::string SaveAsExtension(std::string_view path)
{
    const auto dot = path.rfind('.');
    if (dot == std::string_view::npos || path.find_first_of("/:", dot) != std::string_view::npos)
        return {};
    const std::string extension = ToUpperAscii(path.substr(dot));
    if (extension == ".JPEG" || extension == ".TIFF" || extension == ".WEBP")
        return CanonicalExtension(extension);
    const std::size_t tailStart = path.size() > 4 ? path.size() - 4 : 0;
    return dot < tailStart ? std::string() : CanonicalExtension(extension);
}

std::string LoaderExtension(std::string_view path)
{
    const auto dot = path.rfind('.');
    if (dot == std::string_view::npos)
        return {};
    const std::string_view extension = path.substr(dot + 1);
    if (extension.empty() || extension.size() > 4)
        return {};
    return ToLowerAscii(extension);
}

}  // namespace lv
