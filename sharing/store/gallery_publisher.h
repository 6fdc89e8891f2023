#pragma once
// A web album's folder sent to the photo service as a gallery: the gallery is opened with
// its title and size, each file goes as a resumable upload under its relative path, and the
// finished gallery's public address comes back.

#include "sharing/store/photo_uploader.h"

#include <functional>

namespace lv::sharing::store {

struct PublishProgress {
    std::uint64_t bytesDone = 0;
    std::uint64_t bytesTotal = 0;
    std::size_t filesDone = 0;
    std::size_t filesTotal = 0;
};

struct PublishWatch {
    std::function<void(const PublishProgress&)> progress;
    std::function<bool()> cancelled;
    // Called once when the service forgets the token; true when the client is let in again.
    std::function<bool()> logInAgain;
};

struct PublishOutcome {
    int code = 0;          // StoreCode
    std::string address;   // the gallery's public address
    std::string file;      // the relative path of the file that failed, when one did
    std::string problem;   // why the folder could not be sent as it is (kBadArguments)
    std::size_t files = 0;
    std::uint64_t bytes = 0;
    int resumes = 0;
};

PublishOutcome PublishGallery(StoreClient& client, const std::filesystem::path& folder, const std::string& title,
                              const PublishWatch& watch);

}  // namespace lv::sharing::store
