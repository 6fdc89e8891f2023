// The calls of liblvstore.so.

#include "common/text_encoding.h"
#include "sharing/store/store_library_api.h"
#include "sharing/store/store_protocol.h"
#include "sharing/store/store_session.h"
#include "sharing/store/store_strings.h"

#include <cstring>

using namespace lv::sharing::store;

namespace {

StoreSession& Session()
{
    static StoreSession session;
    return session;
}

}  // namespace

#define LV_EXPORT extern "C" __attribute__((visibility("default")))

// The leading underscore is part of the exported name the program looks up.
LV_EXPORT int SetUserInfo(const char* user, const char* password) __asm__("_SetUserInfo");
LV_EXPORT int SetUserInfo(const char* user, const char* password)
{
    return Session().setUserInfo(user ? user : "", password ? password : "");
}

LV_EXPORT int DownloadFile(const char* folder, char* names, int size)
{
    if (!folder || !*folder || !names || size <= 0)
        return -kBadArguments;
    return Session().download(folder, std::span<char>(names, std::size_t(size)));
}

LV_EXPORT void LvStoreSetService(const char* address, const char* certificateFile)
{
    Session().setService({address ? address : "", certificateFile ? certificateFile : ""});
}

LV_EXPORT void LvStoreSetProgress(ProgressFunction function, void* context)
{
    Session().setProgress(function, context);
}

LV_EXPORT void LvStoreCancel()
{
    Session().cancel();
}

LV_EXPORT void LvStoreLastReport(DownloadReport* report)
{
    if (report)
        *report = Session().lastReport();
}

namespace {

// `text` into the caller's buffer, zero-terminated; false when it does not fit.
bool CopyOut(const std::string& text, char* buffer, int size)
{
    if (!buffer || size <= 0 || text.size() >= std::size_t(size))
        return false;
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return true;
}

}  // namespace

LV_EXPORT int LvStoreUploadFile(const char* path, const char* name, char* storedName, int size)
{
    if (!path || !*path || !name || !storedName || size <= 0)
        return kBadArguments;
    storedName[0] = '\0';
    const UploadOutcome outcome = Session().upload(path, name);
    if (outcome.code == kOk && !CopyOut(outcome.storedName, storedName, size))
        return kBadArguments;
    return outcome.code;
}

LV_EXPORT int LvStoreSendOrder(const char* order, char* number, int size)
{
    if (!order || !number || size <= 0)
        return kBadArguments;
    number[0] = '\0';
    const OrderOutcome outcome = Session().order(order);
    if (outcome.code == kOk && !CopyOut(outcome.number, number, size))
        return kBadArguments;
    return outcome.code;
}

LV_EXPORT int LvStorePublishGallery(const char* folder, const char* title, char* answer, int size)
{
    if (!folder || !*folder || !title || !answer || size <= 0)
        return kBadArguments;
    answer[0] = '\0';
    const PublishOutcome outcome = Session().publish(folder, title);
    const std::string& said = outcome.code == kOk ? outcome.address : !outcome.file.empty() ? outcome.file : outcome.problem;
    if (!CopyOut(said, answer, size) && outcome.code == kOk)
        return kBadArguments;
    return outcome.code;
}

LV_EXPORT int LvStoreLoadString(int id, char* buffer, int size)
{
    const std::string_view text = StoreString(id);
    if (!buffer || size <= 0)
        return 0;
    const std::string_view fitted = lv::TruncateUtf8(text, std::size_t(size - 1));
    if (!fitted.empty())
        std::memcpy(buffer, fitted.data(), fitted.size());
    buffer[fitted.size()] = '\0';
    return int(fitted.size());
}
