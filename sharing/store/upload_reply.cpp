#include "sharing/store/upload_reply.h"

#include "sharing/store/gallery_files.h"
#include "sharing/store/photo_list.h"
#include "sharing/store/store_protocol.h"

#include <algorithm>
#include <cctype>

namespace lv::sharing::store {
namespace {

bool WordCharacters(std::string_view text, std::size_t most, std::string_view others)
{
    return !text.empty() && text.size() <= most && std::all_of(text.begin(), text.end(), [others](char c) {
        return (c > 0 && std::isalnum(static_cast<unsigned char>(c))) || others.find(c) != std::string_view::npos;
    });
}

// A plain decimal number of at most 19 digits: no sign, no spaces, nothing after it.
std::optional<std::uint64_t> Decimal(std::string_view text)
{
    if (text.empty() || text.size() > 19)
        return std::nullopt;
    std::uint64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + std::uint64_t(c - '0');
    }
    return value;
}

// Calls `each(key, value)` for every line; false when a line is not "key=value".
template <class Each>
bool ForEachPair(std::string_view text, Each each)
{
    if (text.ends_with('\n'))
        text.remove_suffix(1);
    while (true) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos || !each(line.substr(0, equals), line.substr(equals + 1)))
            return false;
        if (end == std::string_view::npos)
            return true;
        text.remove_prefix(end + 1);
    }
}

}  // namespace

std::optional<UploadReply> ParseUploadReply(std::string_view reply, std::uint64_t size)
{
    UploadReply out;
    const bool ok = ForEachPair(reply, [&](std::string_view key, std::string_view value) {
        if (key == "session" && !out.session && WordCharacters(value, kMaxSessionBytes, "-_")) {
            out.session = std::string(value);
            return true;
        }
        if (key == "offset" && !out.offset) {
            out.offset = Decimal(value);
            return out.offset && *out.offset <= size;
        }
        if (key == "name" && !out.name && SafePhotoName(value)) {
            out.name = std::string(value);
            return true;
        }
        if (key == "path" && !out.path && SafeGalleryPath(value)) {
            out.path = std::string(value);
            return true;
        }
        return false;
    });
    return ok ? std::optional(out) : std::nullopt;
}

std::optional<GalleryReply> ParseGalleryReply(std::string_view reply, bool finished)
{
    constexpr std::size_t kMostAddressBytes = 2048;
    constexpr std::size_t kMostIdBytes = 32;
    GalleryReply out;
    std::optional<std::string> id;
    const bool ok = ForEachPair(reply, [&](std::string_view key, std::string_view value) {
        if (key == "gallery" && !id && WordCharacters(value, kMostIdBytes, "-_")) {
            id = std::string(value);
            return true;
        }
        if (key == "address" && finished && !out.address && !value.empty() && value.size() <= kMostAddressBytes &&
            std::all_of(value.begin(), value.end(), [](char c) {
                return c > ' ' && c < 127 && std::string_view("\"'<>\\^`{|}").find(c) == std::string_view::npos;
            })) {
            out.address = std::string(value);
            return true;
        }
        return false;
    });
    if (!ok || !id || (finished && (!out.address || !out.address->ends_with("/" + *id + "/index.html"))))
        return std::nullopt;
    out.id = std::move(*id);
    return out;
}

std::optional<std::string> ParseOrderReply(std::string_view reply)
{
    std::optional<std::string> number;
    const bool ok = ForEachPair(reply, [&](std::string_view key, std::string_view value) {
        if (key != "order" || number || !WordCharacters(value, kMaxOrderNumberBytes, "-"))
            return false;
        number = std::string(value);
        return true;
    });
    return ok ? number : std::nullopt;
}

}  // namespace lv::sharing::store
