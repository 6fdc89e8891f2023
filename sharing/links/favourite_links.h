#pragma once
// The five favourite web links of the links screen. The address of link N is key
// "CreateLinkN" of section "USER"; the name shown for it is the same key in section
// "vuruvizi". Only http and https addresses are kept or opened.

#include "common/settings_store.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace lv::sharing {

inline constexpr std::string_view kLinkNameSection = "vuruvizi";
inline constexpr int kFavouriteLinkCount = 5;

struct FavouriteLink {
    std::string name;     // empty: "Link N"
    std::string address;  // empty: not set

    bool operator==(const FavouriteLink&) const = default;
};

using FavouriteLinks = std::array<FavouriteLink, kFavouriteLinkCount>;

FavouriteLinks ReadFavouriteLinks(const SettingsStore& store);
// False when the store refused a value; an address that is refused is not written.
bool WriteFavouriteLinks(SettingsStore& store, const FavouriteLinks& links);

// The name to show for link `index` (0-4).
std::string ShownLinkName(const FavouriteLinks& links, int index);

// Nothing when the address may be opened; otherwise the message that says why not, naming it.
std::optional<std::string> RefusedLinkAddress(std::string_view address);

}  // namespace lv::sharing
