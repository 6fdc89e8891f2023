#include "imagelib/file_names.h"

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

std::string DispatchExtension(std::string_view path)
{
    const auto dot = path.rfind('.');
    if (dot == std::string_view::npos || path.find('/', dot) != std::string_view::npos)
        return {};
    return ToUpperAscii(path.substr(dot + 1));
}

std::string SaveAsExtension(std::string_view path)
{
    const std::size_t tailStart = path.size() > 4 ? path.size() - 4 : 0;
    const auto dot = path.rfind('.');
    if (dot == std::string_view::npos || dot < tailStart)
        return {};
    if (path.find_first_of("/:", dot) != std::string_view::npos)
        return {};
    return ToUpperAscii(path.substr(dot));
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
