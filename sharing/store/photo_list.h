#pragma once
// Reading the service's replies: the login's token and the list of the user's photos. Both
// come from the network, so every field is checked; what breaks a rule is left out.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lv::sharing::store {

struct PhotoEntry {
    std::string name;
    std::uint64_t size = 0;
    std::int64_t modified = 0;  // seconds since 1970, UTC
    bool operator==(const PhotoEntry&) const = default;
};

// The "token=" line of a login reply: 1 to 512 visible ASCII characters.
std::optional<std::string> ParseLoginReply(std::string_view reply);

// "SIZE<TAB>MODIFIED<TAB>NAME" lines, in the service's order. A line with a bad number,
// an unsafe name or a name already listed is skipped; at most kMaxListedPhotos are kept.
std::vector<PhotoEntry> ParsePhotoList(std::string_view reply);

// A name that can only make a file directly in the download folder: 1 to 255 bytes of
// valid UTF-8, no "/", no control characters, not "." or "..", not starting with ".".
bool SafePhotoName(std::string_view name);

}  // namespace lv::sharing::store
