#pragma once
// The store library's one conversation with the service: the address it was given, the
// user it let in (the password only in memory, to log in again when the service forgets
// the token), the download and whoever watches it.

#include "sharing/store/gallery_publisher.h"
#include "sharing/store/photo_fetcher.h"
#include "sharing/store/photo_uploader.h"
#include "sharing/store/store_library_api.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <span>
#include <string>

namespace lv::sharing::store {

class StoreSession {
public:
    void setService(StoreService service);
    int setUserInfo(const std::string& user, const std::string& password);
    int download(const std::filesystem::path& folder, std::span<char> names);
    // One photo sent; a token the service forgot is renewed once, as for the download.
    UploadOutcome upload(const std::filesystem::path& file, const std::string& name);
    OrderOutcome order(const std::string& orderText);
    // A web album's folder published as a gallery; progress in bytes and files of the whole.
    PublishOutcome publish(const std::filesystem::path& folder, const std::string& title);
    void setProgress(ProgressFunction function, void* context);
    void cancel() { cancelled_ = true; }
    DownloadReport lastReport();

private:
    int logIn();

    std::mutex mutex_;
    StoreService service_;
    std::string user_;
    std::string password_;
    std::unique_ptr<StoreClient> client_;
    ProgressFunction progress_ = nullptr;
    void* progressContext_ = nullptr;
    std::atomic<bool> cancelled_ = false;
    DownloadReport report_;
};

}  // namespace lv::sharing::store
