#include "sharing/store/store_session.h"

#include "sharing/store/store_protocol.h"

#include <algorithm>

namespace lv::sharing::store {

void StoreSession::setService(StoreService service)
{
    const std::lock_guard lock(mutex_);
    service_ = std::move(service);
    client_.reset();
}

int StoreSession::setUserInfo(const std::string& user, const std::string& password)
{
    const std::lock_guard lock(mutex_);
    cancelled_ = false;
    user_ = user;
    password_ = password;
    if (user_.empty() || password_.empty())
        return kBadArguments;
    return logIn();
}

int StoreSession::logIn()
{
    client_ = std::make_unique<StoreClient>(service_);
    return client_->login(user_, password_);
}

int StoreSession::download(const std::filesystem::path& folder, std::span<char> names)
{
    const std::lock_guard lock(mutex_);
    std::fill(names.begin(), names.end(), '\0');
    report_ = {};
    if (!client_ || !client_->loggedIn())
        return -kNotLoggedIn;
    Listing listing = client_->listPhotos();
    if (listing.code == kNotLoggedIn && logIn() == kOk)
        listing = client_->listPhotos();
    if (listing.code != kOk)
        return -listing.code;
    const FetchWatch watch{
        [this](const FetchProgress& p) {
            if (!progress_)
                return;
            const LibraryProgress out{std::int64_t(p.bytesDone), std::int64_t(p.bytesTotal), p.filesDone, p.filesTotal};
            progress_(progressContext_, &out);
        },
        [this] { return cancelled_.load(); },
    };
    return FetchPhotos(*client_, listing.photos, folder, names, watch, report_);
}

void StoreSession::setProgress(ProgressFunction function, void* context)
{
    const std::lock_guard lock(mutex_);
    progress_ = function;
    progressContext_ = context;
}

DownloadReport StoreSession::lastReport()
{
    const std::lock_guard lock(mutex_);
    return report_;
}

}  // namespace lv::sharing::store
