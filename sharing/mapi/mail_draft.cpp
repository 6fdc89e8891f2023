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

// `Name <address>`, `"Name, quoted" <address>` or a bare address. Quotes in a bare address
// stay, so that the address check refuses it.
Mailbox ParseMailbox(std::string_view entry)
{
    entry = Trimmed(entry);
    std::string name;
    std::string address;
    bool quoted = false;
    bool angled = false;
    bool bracketed = false;
    for (std::size_t i = 0; i < entry.size(); ++i) {
        char c = entry[i];
        if (quoted) {
            if (c == '\\' && i + 1 < entry.size())
                c = entry[++i];
            else if (c == '"') {
                quoted = false;
                continue;
            }
            name += c;
        } else if (angled) {
            if (c == '>')
                angled = false;
            else
                address += c;
        } else if (c == '"') {
            quoted = true;
        } else if (c == '<') {
            angled = bracketed = true;
            address.clear();
        } else {
            name += c;
        }
    }
    if (!bracketed)
        return {"", std::string(entry)};
    return {std::string(Trimmed(name)), std::string(Trimmed(address))};
}

}  // namespace

std::vector<Mailbox> SplitMailboxes(std::string_view list)
{
    std::vector<Mailbox> out;
    bool quoted = false;
    bool angled = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= list.size(); ++i) {
        if (i < list.size()) {
            const char c = list[i];
            if (quoted) {
                if (c == '\\' && i + 1 < list.size())
                    ++i;
                else if (c == '"')
                    quoted = false;
                continue;
            }
            if (angled) {
                angled = c != '>';
                continue;
            }
            quoted = c == '"';
            angled = c == '<';
            if (c != ';' && c != ',')
                continue;
        }
        Mailbox mailbox = ParseMailbox(list.substr(start, i - start));
        if (!mailbox.address.empty())
            out.push_back(std::move(mailbox));
        start = i + 1;
    }
    return out;
}

std::vector<std::string> AddressesOf(const std::vector<Mailbox>& mailboxes)
{
    std::vector<std::string> out;
    out.reserve(mailboxes.size());
    for (const Mailbox& m : mailboxes)
        out.push_back(m.address);
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
