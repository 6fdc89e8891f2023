#pragma once
// Bringing the user's photos into the download folder: photos already there whole are
// skipped, a photo cut off last time continues where it stopped, and each arrives whole
// or not at all, streamed to its partial file and then renamed to a name nothing holds.
// The names the photos arrived under fill the caller's buffer, each ending in a zero byte.

#include "sharing/store/store_client.h"
#include "sharing/store/store_library_api.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>

namespace lv::sharing::store {

struct FetchProgress {
    std::uint64_t bytesDone = 0;
    std::uint64_t bytesTotal = 0;
    int filesDone = 0;
    int filesTotal = 0;
};

struct FetchWatch {
    std::function<void(const FetchProgress&)> progress;  // on the fetching thread
    std::function<bool()> cancelled;
};

// Where a photo cut off in transfer waits for the rest: hidden beside it.
std::filesystem::path PartialPath(const std::filesystem::path& folder, const std::string& name);

// The number of photos that arrived (and are named in `names`), or, when none did because
// something failed, the failure's code negated. Photos that would not fit on the disk are
// left out (counted in `report`). Stops early when the next name would not fit in `names`:
// the rest come with the next call.
int FetchPhotos(StoreClient& client, const std::vector<PhotoEntry>& photos, const std::filesystem::path& folder,
                std::span<char> names, const FetchWatch& watch, DownloadReport& report);

}  // namespace lv::sharing::store
