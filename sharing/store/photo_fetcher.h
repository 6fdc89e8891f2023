#pragma once
// Bringing the user's photos into the download folder: photos already there whole are
// skipped, a photo cut off last time continues where it stopped, and each arrives whole
// under its name or not at all. The names of the photos that arrived fill the caller's
// buffer, each ending in a zero byte.

#include "sharing/store/store_client.h"

#include <atomic>
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

// What a photo of the list needs: nothing (here whole: same size and time), the rest after
// the bytes already kept, or everything.
struct LocalState {
    bool complete = false;
    std::uint64_t partialBytes = 0;
};
LocalState LocalStateOf(const std::filesystem::path& folder, const PhotoEntry& photo);

// The number of photos that arrived (and are named in `names`), or, when none did because
// something failed, the failure's code negated. Stops early when the next name would not
// fit in `names`: the rest come next time.
int FetchPhotos(StoreClient& client, const std::vector<PhotoEntry>& photos, const std::filesystem::path& folder,
                std::span<char> names, const FetchWatch& watch);

}  // namespace lv::sharing::store
