#include "sharing/mapi/mail_draft.h"

#include <algorithm>

namespace lv::sharing {
namespace {

std::string_view Trimmed(std::string_view s)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

}  // namespace

std::vector<std::string> SplitAddresses(std::string_view list)
{
    std::vector<std::string> out;
    while (!list.empty()) {
        const std::size_t end = list.find_first_of(";,");
        std::string_view entry = Trimmed(list.substr(0, end));
        list = end == std::string_view::npos ? std::string_view() : list.substr(end + 1);
        const std::size_t open = entry.rfind('<');
        if (open != std::string_view::npos) {
            const std::size_t close = entry.find('>', open);
            entry = Trimmed(entry.substr(open + 1, close == std::string_view::npos ? close : close - open - 1));
        }
        if (!entry.empty())
            out.emplace_back(entry);
    }
    return out;
}

bool PlausibleAddress(std::string_view address)
{
    const std::size_t at = address.find('@');
    if (at == 0 || at == std::string_view::npos || at + 1 == address.size() || address.find('@', at + 1) != address.npos)
        return false;
    return std::none_of(address.begin(), address.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u <= ' ' || u == 127 || c == '<' || c == '>' || c == '"' || c == ',' || c == ';';
    });
}

}  // namespace lv::sharing
