#include "sharing/store/store_session.h"

#include "sharing/store/store_protocol.h"

#include <algorithm>

#include <sys/stat.h>

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

UploadOutcome StoreSession::upload(const std::filesystem::path& file, const std::string& name)
{
    const std::lock_guard lock(mutex_);
    if (!client_ || !client_->loggedIn())
        return {kNotLoggedIn, {}, 0, 0};
    struct stat facts {};
    const std::int64_t total = ::stat(file.c_str(), &facts) == 0 ? std::int64_t(facts.st_size) : 0;
    std::int64_t done = 0;
    const TransferWatch watch{
        [this, &done, total](std::uint64_t bytes) {
            done += std::int64_t(bytes);
            if (progress_) {
                const LibraryProgress out{done, total, 0, 1};
                progress_(progressContext_, &out);
            }
        },
        [this] { return cancelled_.load(); },
    };
    UploadOutcome outcome = UploadPhoto(*client_, file, name, watch);
    if (outcome.code == kNotLoggedIn && logIn() == kOk) {
        done = 0;
        outcome = UploadPhoto(*client_, file, name, watch);
    }
    return outcome;
}

OrderOutcome StoreSession::order(const std::string& orderText)
{
    const std::lock_guard lock(mutex_);
    if (!client_ || !client_->loggedIn())
        return {kNotLoggedIn, {}};
    OrderOutcome outcome = SendOrder(*client_, orderText);
    if (outcome.code == kNotLoggedIn && logIn() == kOk)
        outcome = SendOrder(*client_, orderText);
    return outcome;
}

PublishOutcome StoreSession::publish(const std::filesystem::path& folder, const std::string& title)
{
    const std::lock_guard lock(mutex_);
    if (!client_ || !client_->loggedIn())
        return {kNotLoggedIn};
    const PublishWatch watch{
        [this](const PublishProgress& p) {
            if (!progress_)
                return;
            const LibraryProgress out{std::int64_t(p.bytesDone), std::int64_t(p.bytesTotal), std::int32_t(p.filesDone),
                                      std::int32_t(p.filesTotal)};
            progress_(progressContext_, &out);
        },
        [this] { return cancelled_.load(); },
        [this] { return client_->login(user_, password_) == kOk; },
    };
    return PublishGallery(*client_, folder, title, watch);
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
