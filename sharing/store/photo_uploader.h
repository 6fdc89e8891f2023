#pragma once
// A photo sent to the service as an upload session: the session is opened with the name and
// size, the bytes go in ranged PUTs, and when a connection breaks the service is asked how
// much it holds and the rest follows from there, never from the start.

#include "sharing/store/store_client.h"

#include <filesystem>

namespace lv::sharing::store {

struct UploadOutcome {
    int code = 0;                 // StoreCode
    std::string storedName;       // the name the service keeps the photo under
    std::uint64_t bytesSent = 0;  // every body byte handed to the network, resent ones included
    int resumes = 0;              // transfers continued from the service's offset
};

// Logged in through `client` (its token and service); `watch.received` hears bytes sent.
UploadOutcome UploadPhoto(const StoreClient& client, const std::filesystem::path& file, const std::string& name,
                          const TransferWatch& watch);

struct OrderOutcome {
    int code = 0;
    std::string number;
};

// Sends an order's lines (docs/store-protocol.md) and reads back its number.
OrderOutcome SendOrder(const StoreClient& client, const std::string& orderText);

}  // namespace lv::sharing::store
