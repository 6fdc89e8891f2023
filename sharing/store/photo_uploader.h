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

// A file of a web album sent into the gallery `galleryId` under its relative path, the same
// resumable way; the finished reply must name that path. The file is never a symbolic link.
UploadOutcome UploadGalleryFile(const StoreClient& client, const std::string& galleryId,
                                const std::filesystem::path& file, const std::string& relativePath,
                                const TransferWatch& watch);

struct GalleryOutcome {
    int code = 0;
    std::string id;
    std::string address;  // of a finished gallery
};

// A new gallery for `files` files of `bytes` bytes in all; its id.
GalleryOutcome CreateGallery(const StoreClient& client, const std::string& title, std::size_t files,
                             std::uint64_t bytes);
// The gallery made public: its address, checked to be the gallery asked for and one the
// program may open (HTTPS, or plain HTTP on the computer itself).
GalleryOutcome FinishGallery(const StoreClient& client, const std::string& galleryId);

struct OrderOutcome {
    int code = 0;
    std::string number;
};

// Sends an order's lines (docs/store-protocol.md) and reads back its number.
OrderOutcome SendOrder(const StoreClient& client, const std::string& orderText);

}  // namespace lv::sharing::store
