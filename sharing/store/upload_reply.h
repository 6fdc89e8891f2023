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
    std::optional<std::string> path;     // a web album's finished file, by its relative path
};

// Nothing at all when any line is malformed, a key is unknown or repeated, or a value breaks
// its rule (an offset beyond `size`, a name that could not be a photo's).
std::optional<UploadReply> ParseUploadReply(std::string_view reply, std::uint64_t size);

struct GalleryReply {
    std::string id;                      // 1 to 32 of A-Z a-z 0-9 "-" "_"
    std::optional<std::string> address;  // where the finished gallery is served
};

// "gallery=ID" for a new gallery; "gallery=ID" and "address=URL" for a finished one, the
// address visible ASCII without quotes, spaces or angle brackets, at most 2048 bytes, ending
// in "/ID/index.html". Nothing when anything else is there.
std::optional<GalleryReply> ParseGalleryReply(std::string_view reply, bool finished);

// The "order=" line: 1 to 32 of A-Z a-z 0-9 "-".
std::optional<std::string> ParseOrderReply(std::string_view reply);

}  // namespace lv::sharing::store
