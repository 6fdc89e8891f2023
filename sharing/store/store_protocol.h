#pragma once
// The photo service's REST protocol as the store library speaks it (docs/store-protocol.md):
// log in for a token, list the user's photos, fetch each (from an offset to resume).

#include <cstdint>
#include <string_view>

namespace lv::sharing::store {

inline constexpr std::string_view kLoginPath = "api/1/login";
inline constexpr std::string_view kPhotosPath = "api/1/photos";
inline constexpr std::string_view kUploadsPath = "api/1/uploads";
inline constexpr std::string_view kOrdersPath = "api/1/orders";
inline constexpr std::string_view kGalleriesPath = "api/1/galleries";

// Results of the library's calls: 0 success, otherwise one of these. The program shows the
// library's texts 1016-1020 and 1022 for 3-7 and 10.
enum StoreCode : int {
    kOk = 0,
    kBadArguments = 2,
    kCannotConnect = 3,
    kLoginRefused = 4,
    kAccountLocked = 5,
    kTimedOut = 6,
    kNotSecure = 7,
    kRequestRefused = 8,
    kNotLoggedIn = 9,
    kServiceFailed = 10,
    kCannotWrite = 11,
    kCancelled = 12,
};

// Replies larger than these are refused before they can fill memory.
inline constexpr std::size_t kMaxLoginReplyBytes = 4096;
inline constexpr std::size_t kMaxListReplyBytes = 8u << 20;
inline constexpr std::size_t kMaxListedPhotos = 100000;
inline constexpr std::uint64_t kMaxPhotoBytes = 1ull << 30;
inline constexpr std::size_t kMaxTokenBytes = 512;
inline constexpr std::size_t kMaxNameBytes = 255;
// An upload's and an order's replies are a line or two.
inline constexpr std::size_t kMaxShortReplyBytes = 1024;
inline constexpr std::size_t kMaxSessionBytes = 64;
inline constexpr std::size_t kMaxOrderNumberBytes = 32;

}  // namespace lv::sharing::store
