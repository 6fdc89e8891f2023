#pragma once
// The upload and order commands' side of the photo store: the same checks and login as the
// download, each photo sent through the library in turn (so progress and cancelling go
// photo by photo), and what the user is told about each photo that did not go.

#include "sharing/store/photo_download.h"
#include "sharing/store/print_order.h"

#include <functional>

namespace lv::sharing {

struct UploadCalls {
    StoreCalls store;
    store::UploadFileFunction uploadFile = nullptr;
    store::SendOrderFunction sendOrder = nullptr;
    store::PublishGalleryFunction publishGallery = nullptr;  // null: the library publishes no web albums
};

// A beep without identifier or password; 34014 when the library lacks the calls.
std::optional<UploadCalls> PrepareUpload(const StoreCredentials& credentials, const StoreLibrary* library);

struct PhotoSent {
    std::string path;
    int code = 0;
    std::string storedName;
};

struct UploadRun {
    int loginCode = 0;  // non-zero: the service refused the login; nothing went
    std::vector<PhotoSent> photos;
    int sent() const;
};

// Logs in as the download does, then sends each photo under its file name; `starting(i)`
// hears of photo i before it goes. Stops at the first cancelled photo. Any thread.
UploadRun RunUpload(const UploadCalls& calls, const StoreCredentials& credentials,
                    const std::vector<std::string>& paths, const std::function<void(std::size_t)>& starting);

struct OrderRun {
    int loginCode = 0;
    PhotoSent photo;   // the photo goes first: the service prints only what it holds
    int orderCode = 0;
    std::string number;
};

// Sends the photo, then an order of `print` for it (its name the one the service gave).
OrderRun RunOrder(const UploadCalls& calls, const StoreCredentials& credentials, const std::string& path,
                  PrintLine print);

struct GalleryRun {
    int loginCode = 0;
    int code = 0;
    std::string address;  // the gallery's public address
    std::string file;     // the file that failed, relative to the gallery
    std::string problem;  // why the folder could not be sent as it is
};

// Logs in and publishes the web album written in `folder` as a gallery titled `title`.
GalleryRun RunPublish(const UploadCalls& calls, const StoreCredentials& credentials,
                      const std::filesystem::path& folder, const std::string& title);
// "O álbum na Web não foi publicado: FILE: cause."
std::string PublishFailure(const StoreCalls& calls, const GalleryRun& run);

// The cause of a failure in the user's words: the library's text when it has one.
std::string StoreFailure(const StoreCalls& calls, int code);
// "3 fotos enviadas à loja de fotos." and a line for each photo that did not go, naming it.
std::string UploadSummary(const StoreCalls& calls, const UploadRun& run);

}  // namespace lv::sharing
