#include "sharing/store/photo_download.h"

#include "common/string_table.h"
#include "common/text_encoding.h"
#include "common/ui_service.h"

#include <array>
#include <cstring>

namespace lv::sharing {
namespace {

constexpr std::size_t kLibraryTextBytes = 256;

// The codes that have a text of the library's, and its number.
constexpr std::array<std::pair<int, int>, 6> kCodeTexts = {{{3, 1016}, {4, 1017}, {5, 1018}, {6, 1019}, {7, 1020},
                                                            {10, 1022}}};

template <class Function>
Function Resolve(const StoreLibrary& library, const char* name)
{
    return reinterpret_cast<Function>(library.resolve(name));
}

}  // namespace

std::string LowerCaseIdentifier(std::string_view user)
{
    return LowerLatin(user);
}

std::optional<StoreCalls> PrepareDownload(const StoreCredentials& credentials, const StoreLibrary* library)
{
    if (credentials.user.empty() || credentials.password.empty()) {
        ui::Current().beep();
        return std::nullopt;
    }
    StoreCalls calls;
    if (library && library->loaded()) {
        calls.setUserInfo = Resolve<store::SetUserInfoFunction>(*library, store::kSetUserInfoName);
        calls.downloadFile = Resolve<store::DownloadFileFunction>(*library, store::kDownloadFileName);
        calls.setService = Resolve<store::SetServiceFunction>(*library, store::kSetServiceName);
        calls.setProgress = Resolve<store::SetProgressFunction>(*library, store::kSetProgressName);
        calls.cancel = Resolve<store::CancelFunction>(*library, store::kCancelName);
        calls.loadString = Resolve<store::LoadStringFunction>(*library, store::kLoadStringName);
    }
    if (!calls.setUserInfo || !calls.downloadFile) {
        ui::Current().showMessage(LoadString(kInternetNotReadyString), ui::kWarningTitle, ui::Icon::Exclamation);
        return std::nullopt;
    }
    return calls;
}

TransferResult RunTransfer(const StoreCalls& calls, const StoreCredentials& credentials,
                           const std::filesystem::path& folder)
{
    TransferResult result;
    const std::string user = LowerCaseIdentifier(TruncateUtf8(credentials.user, kMaxCredentialBytes));
    const std::string password(TruncateUtf8(credentials.password, kMaxCredentialBytes));
    result.loginCode = calls.setUserInfo(user.c_str(), password.c_str());
    if (result.loginCode != 0)
        return result;
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    std::vector<char> buffer(store::kFileListBytes, '\0');
    result.count = calls.downloadFile(folder.c_str(), buffer.data(), int(buffer.size()));
    if (result.count >= 1)
        result.names = FileListNames(buffer.data(), buffer.size(), result.count);
    return result;
}

int StoreTextFor(int code)
{
    for (const auto& [c, id] : kCodeTexts)
        if (c == code)
            return id;
    return 0;
}

void ShowStoreMessage(const StoreCalls& calls, int code)
{
    const int id = StoreTextFor(code);
    if (id == 0 || !calls.loadString)
        return;
    std::array<char, kLibraryTextBytes> text{};
    if (calls.loadString(id, text.data(), int(text.size())) > 0)
        ui::Current().showMessage(std::string_view(text.data(), std::strlen(text.data())), ui::kWarningTitle,
                                  ui::Icon::Exclamation);
}

std::vector<std::string> FileListNames(const char* buffer, std::size_t size, int count)
{
    std::vector<std::string> names;
    std::size_t at = 0;
    for (int i = 0; i < count && at < size; ++i) {
        const void* end = std::memchr(buffer + at, '\0', size - at);
        if (!end)
            break;
        const std::size_t length = std::size_t(static_cast<const char*>(end) - (buffer + at));
        if (length == 0)
            break;
        names.emplace_back(buffer + at, length);
        at += length + 1;
    }
    return names;
}

void DeliverPhoto(const std::filesystem::path& folder, const std::string& name, DownloadedPhotos& photos,
                  bool albumSwitchOn)
{
    const std::string path = (folder / name).string();
    photos.open(path);
    if (!albumSwitchOn)
        photos.addToAlbum(path);
}

}  // namespace lv::sharing
