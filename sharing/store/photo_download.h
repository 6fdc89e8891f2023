#pragma once
// The download command's side of the photo store: the checks before anything goes out, the
// two library calls (which may run off the window's thread), the library's message for a
// refusal, and each downloaded photo opened and added to the current album.

#include "sharing/store/store_library_api.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lv::sharing {

inline constexpr int kInternetNotReadyString = 34014;
inline constexpr std::size_t kMaxCredentialBytes = 128;

// Where the store library's calls are looked up (the library loaded at start-up).
class StoreLibrary {
public:
    virtual ~StoreLibrary() = default;
    virtual bool loaded() const = 0;
    virtual void* resolve(const char* name) const = 0;
};

struct StoreCalls {
    store::SetUserInfoFunction setUserInfo = nullptr;
    store::DownloadFileFunction downloadFile = nullptr;
    // Extras; null when the library does not have them.
    store::SetServiceFunction setService = nullptr;
    store::SetProgressFunction setProgress = nullptr;
    store::CancelFunction cancel = nullptr;
    store::LoadStringFunction loadString = nullptr;
    store::LastReportFunction lastReport = nullptr;
};

struct StoreCredentials {
    std::string user;      // as typed (field 160)
    std::string password;  // field 102, never written anywhere
};

// The identifier as the service gets it: ASCII and Latin-1 capitals made small.
std::string LowerCaseIdentifier(std::string_view user);

// A beep without identifier or password; 34014 without the library or one of its two calls.
std::optional<StoreCalls> PrepareDownload(const StoreCredentials& credentials, const StoreLibrary* library);

struct TransferResult {
    int loginCode = 0;                 // non-zero: the service refused; nothing was fetched
    int count = 0;                     // the library's answer: below 1 nothing came
    std::vector<std::string> names;    // the files that came, in the library's order
    int laterFailure = 0;              // a round after the first failed with this code
    store::DownloadReport report;      // names taken, photos left for want of space
};

// The two calls: log in with the lower-cased identifier, then fetch into `folder` (made when
// missing). The names buffer has the library's fixed size; while a round may have stopped
// because the buffer was full, further rounds fetch the rest. May run on any thread.
TransferResult RunTransfer(const StoreCalls& calls, const StoreCredentials& credentials,
                           const std::filesystem::path& folder);

// The number of the library's text for a code that has one (3-7 and 10), else 0.
int StoreTextFor(int code);
// The library's text for a code that has one, in the warning box.
void ShowStoreMessage(const StoreCalls& calls, int code);

// What the user is told when the download is over besides the photos themselves: photos
// saved under another name, photos left out for want of space. Empty when nothing is to say.
std::string DownloadNotes(const store::DownloadReport& report, const std::filesystem::path& folder);

// The names in the library's buffer: `count` zero-terminated names, never reading past its end.
std::vector<std::string> FileListNames(const char* buffer, std::size_t size, int count);

// What becomes of each photo that came.
class DownloadedPhotos {
public:
    virtual ~DownloadedPhotos() = default;
    // Loads the photo with the album's loader and opens it in a new image window; false when
    // it could not be loaded.
    virtual bool open(const std::string& path) = 0;
    // Adds it to the current album of the user's albums (showing the album's messages).
    virtual void addToAlbum(const std::string& path) = 0;
};

// The photo's full path; opened, and added to the album while the switch is off.
void DeliverPhoto(const std::filesystem::path& folder, const std::string& name, DownloadedPhotos& photos,
                  bool albumSwitchOn);

}  // namespace lv::sharing
