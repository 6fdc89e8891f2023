#include "sharing/mapi/document_paths.h"

namespace lv::sharing {

std::vector<std::string> SplitPaths(std::string_view paths, std::string_view delimiters)
{
    std::vector<std::string> out;
    while (!paths.empty()) {
        const std::size_t end = delimiters.empty() ? std::string_view::npos : paths.find_first_of(delimiters);
        if (end != 0)
            out.emplace_back(paths.substr(0, end));
        if (end == std::string_view::npos)
            break;
        paths.remove_prefix(end + 1);
    }
    return out;
}

std::string DelimiterFor(std::string_view path)
{
    return path.find(';') == std::string_view::npos ? ";" : "\n";
}

}  // namespace lv::sharing
