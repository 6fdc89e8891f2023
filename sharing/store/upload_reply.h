#pragma once
// Reading the service's answers to an upload and an order. They come from the network, so
// they are parsed strictly: "key=value" lines only, every value checked, nothing guessed.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lv::sharing::store {

struct UploadReply {
    std::optional<std::string> session;  // 1 to 64 of A-Z a-z 0-9 "-" "_"
    std::optional<std::uint64_t> offset; // the bytes the service holds
    std::optional<std::string> name;     // the name the finished photo was stored under
};

// Nothing at all when any line is malformed, a key is unknown or repeated, or a value breaks
// its rule (an offset beyond `size`, a name that could not be a photo's).
std::optional<UploadReply> ParseUploadReply(std::string_view reply, std::uint64_t size);

// The "order=" line: 1 to 32 of A-Z a-z 0-9 "-".
std::optional<std::string> ParseOrderReply(std::string_view reply);

}  // namespace lv::sharing::store
