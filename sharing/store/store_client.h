#pragma once
// One user's conversation with the photo service over HTTP(S): the login, the list and the
// photos, on one connection kept open between requests.

#include "sharing/store/photo_list.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace lv::sharing::store {

struct StoreService {
    std::string address;  // "https://host[:port][/prefix]"
    std::string caFile;   // a further certificate to trust; empty for the system's
};

// Plain HTTP would show the password to the network: only the computer itself may be
// spoken to that way (tests and a service tried locally).
bool AddressAllowed(const std::string& address);

// "base" + "/" + path, with one "/" between them.
std::string JoinUrl(std::string_view base, std::string_view path);
// The name with everything but letters, digits and "-._~" percent-encoded.
std::string EncodePathSegment(std::string_view name);

// A StoreCode for a libcurl result, and for the HTTP status of a request after the login.
int StoreCodeOfTransfer(int curlCode);
int StoreCodeOfStatus(long status);

// Watches a transfer: bytes that arrived, and whether to stop.
struct TransferWatch {
    std::function<void(std::uint64_t bytes)> received;
    std::function<bool()> cancelled;
};

// Where a photo's bytes go as they arrive, so that no photo is ever held whole in memory.
class PhotoSink {
public:
    virtual ~PhotoSink() = default;
    virtual std::uint64_t size() const = 0;
    // False when the bytes could not be kept (a full disk): the transfer stops.
    virtual bool append(const std::uint8_t* bytes, std::size_t count) = 0;
    // Keeps only the first `size` bytes.
    virtual bool cutTo(std::uint64_t size) = 0;
};

struct Listing {
    int code = 0;  // StoreCode
    std::vector<PhotoEntry> photos;
};

class StoreClient {
public:
    explicit StoreClient(StoreService service);
    ~StoreClient();
    StoreClient(const StoreClient&) = delete;
    StoreClient& operator=(const StoreClient&) = delete;

    // A StoreCode; on success the token is kept for what follows.
    int login(const std::string& user, const std::string& password);
    bool loggedIn() const { return !token_.empty(); }
    // For the upload and the order, which speak on connections of their own.
    const std::string& token() const { return token_; }
    const StoreService& service() const { return service_; }
    Listing listPhotos();
    // Appends the photo's bytes from sink.size() on (a resumed transfer) up to its listed
    // size, never more. A service that sends the whole file again replaces what was there.
    int fetch(const PhotoEntry& photo, PhotoSink& sink, const TransferWatch& watch);

private:
    struct Handle;
    StoreService service_;
    std::unique_ptr<Handle> handle_;
    std::string token_;
};

}  // namespace lv::sharing::store
