#pragma once
// Where a listed photo goes in the download folder. Nothing there is ever replaced: a file
// or link already under the photo's name keeps it, and the photo takes the first free name
// "NAME (2).EXT", "NAME (3).EXT"... as a file manager would. A regular file with the photo's
// size and time under one of those names is the photo itself, already downloaded.

#include "sharing/store/download_folder.h"
#include "sharing/store/photo_list.h"

#include <optional>
#include <string>

namespace lv::sharing::store {

inline constexpr int kMaxFreeNameNumber = 1000;

// "foto.jpg" numbered 2 is "foto (2).jpg"; 1 is the name itself.
std::string NumberedName(const std::string& name, int number);

// Where a photo cut off in transfer waits for the rest: hidden beside it.
std::string PartialName(const std::string& name);

struct Placement {
    bool present = false;           // already here whole: nothing to fetch
    std::string name;               // where it goes
    std::uint64_t partialBytes = 0; // kept from a transfer cut off before
    bool besideLink = false;        // a symbolic link held the photo's name (or its partial file's)
};

// Nothing when every numbered name up to kMaxFreeNameNumber is taken.
std::optional<Placement> PlacePhoto(const DownloadFolder& folder, const PhotoEntry& photo);

}  // namespace lv::sharing::store
