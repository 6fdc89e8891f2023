#include "sharing/links/favourite_links.h"

#include "common/settings_keys.h"

#include <algorithm>
#include <cctype>

namespace lv::sharing {
namespace {

std::string_view KeyOf(int index)
{
    return setting::kCreateLinks[std::size_t(index)].name;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(),
                      [](char a, char b) { return std::tolower((unsigned char)a) == std::tolower((unsigned char)b); });
}

}  // namespace

FavouriteLinks ReadFavouriteLinks(const SettingsStore& store)
{
    FavouriteLinks links;
    for (int i = 0; i < kFavouriteLinkCount; ++i) {
        links[std::size_t(i)].address = store.read(setting::kUserSection, KeyOf(i)).value_or("");
        links[std::size_t(i)].name = store.read(kLinkNameSection, KeyOf(i)).value_or("");
    }
    return links;
}

bool WriteFavouriteLinks(SettingsStore& store, const FavouriteLinks& links)
{
    bool ok = true;
    for (int i = 0; i < kFavouriteLinkCount; ++i) {
        const FavouriteLink& link = links[std::size_t(i)];
        if (!link.address.empty() && RefusedLinkAddress(link.address))
            continue;
        ok = store.write(setting::kUserSection, KeyOf(i), link.address) && ok;
        ok = store.write(kLinkNameSection, KeyOf(i), link.name) && ok;
    }
    return ok;
}

std::string ShownLinkName(const FavouriteLinks& links, int index)
{
    const FavouriteLink& link = links[std::size_t(index)];
    return link.name.empty() ? "Link " + std::to_string(index + 1) : link.name;
}

std::optional<std::string> RefusedLinkAddress(std::string_view address)
{
    const std::string shown = "\"" + std::string(address) + "\"";
    if (address.empty())
        return "O link não tem endereço.";
    const bool controls = std::any_of(address.begin(), address.end(),
                                      [](char c) { return (unsigned char)c <= ' ' || c == 0x7f; });
    std::string_view rest;
    if (StartsWithNoCase(address, "http://"))
        rest = address.substr(7);
    else if (StartsWithNoCase(address, "https://"))
        rest = address.substr(8);
    else
        return "O endereço " + shown + " não é aceito: um link precisa começar com http:// ou https://.";
    if (controls)
        return "O endereço " + shown + " não é aceito: ele contém espaços ou caracteres de controle.";
    if (rest.empty() || rest.front() == '/' || rest.front() == '?' || rest.front() == '#')
        return "O endereço " + shown + " não é aceito: falta o nome do site.";
    return std::nullopt;
}

}  // namespace lv::sharing
