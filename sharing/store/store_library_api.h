#pragma once
// The calls of the photo-store library liblvstore.so. "_SetUserInfo" and "DownloadFile"
// are the two the program needs; the others are optional extras of this library (the
// service's address, progress and cancelling for a download off the window's thread, its
// texts and its report of the last download), and a library without them still serves.

#include <cstdint>

namespace lv::sharing::store {

inline constexpr char kStoreLibraryFile[] = "liblvstore.so";
inline constexpr int kFileListBytes = 20480;

struct LibraryProgress {
    std::int64_t bytesDone;
    std::int64_t bytesTotal;
    std::int32_t filesDone;
    std::int32_t filesTotal;
};

// What the last DownloadFile call did besides saving photos under their own names.
struct DownloadReport {
    std::int32_t savedUnderOtherName = 0;  // a file or link of the photo's name was there
    std::int32_t besideLinks = 0;          // of those, a symbolic link was in the way
    std::int32_t leftForSpace = 0;         // not fetched: the folder's disk is too full
    std::int64_t bytesLeft = 0;            // what those would have needed
    std::int64_t bytesFree = 0;            // what the disk had free before the download
};

// Lower-cased identifier and password; 0 when the service let the user in, else a code.
using SetUserInfoFunction = int (*)(const char* user, const char* password);
// Fills `names` with the downloaded files' names, each ending in a zero byte; the count of
// files, below 1 when none came (a negative code when something failed).
using DownloadFileFunction = int (*)(const char* folder, char* names, int size);
// The service's address and a further certificate to trust (null or empty for none).
using SetServiceFunction = void (*)(const char* address, const char* certificateFile);
using ProgressFunction = void (*)(void* context, const LibraryProgress* progress);
using SetProgressFunction = void (*)(ProgressFunction function, void* context);
// Stops the download under way (from any thread); what came stays.
using CancelFunction = void (*)();
// The library's text number `id` into `buffer` (cut to fit, zero-terminated); its length.
using LoadStringFunction = int (*)(int id, char* buffer, int size);
using LastReportFunction = void (*)(DownloadReport* report);

// Sends the photo at `path` under `name` (resuming a broken transfer from the service's
// offset); 0 or a code. The name the service kept fills `storedName`. Progress: this photo's bytes.
using UploadFileFunction = int (*)(const char* path, const char* name, char* storedName, int size);
// Sends an order's lines; 0 and the order's number in `number`, or a code.
using SendOrderFunction = int (*)(const char* order, char* number, int size);

// Publishes the web album in `folder` as a gallery titled `title`; 0 and its public address
// in `answer`, or a code and in `answer` the relative path of the file that failed (or why
// the folder cannot be sent). Progress: bytes and files of the whole gallery.
using PublishGalleryFunction = int (*)(const char* folder, const char* title, char* answer, int size);

inline constexpr char kSetUserInfoName[] = "_SetUserInfo";
inline constexpr char kDownloadFileName[] = "DownloadFile";
inline constexpr char kSetServiceName[] = "LvStoreSetService";
inline constexpr char kSetProgressName[] = "LvStoreSetProgress";
inline constexpr char kCancelName[] = "LvStoreCancel";
inline constexpr char kLoadStringName[] = "LvStoreLoadString";
inline constexpr char kLastReportName[] = "LvStoreLastReport";
inline constexpr char kUploadFileName[] = "LvStoreUploadFile";
inline constexpr char kSendOrderName[] = "LvStoreSendOrder";
inline constexpr char kPublishGalleryName[] = "LvStorePublishGallery";

}  // namespace lv::sharing::store
