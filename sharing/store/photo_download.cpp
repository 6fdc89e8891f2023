#include "sharing/store/photo_download.h"

#include "common/beep.h"
#include "common/string_table.h"
#include "common/text_encoding.h"
#include "common/ui_service.h"
#include "sharing/store/store_protocol.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>

namespace lv::sharing {
namespace {

constexpr std::size_t kLibraryTextBytes = 256;

// The codes that have a text of the library's, and its number.
constexpr std::array<std::pair<int, int>, 6> kCodeTexts = {{{3, 1016}, {4, 1017}, {5, 1018}, {6, 1019}, {7, 1020},
                                                            {10, 1022}}};

constexpr int kMaxRounds = 10000;

// A round's names leave less room than the longest name takes: the library may have
// stopped because the next name would not fit.
bool MayHaveBeenCut(const std::vector<std::string>& names, std::size_t bufferBytes)
{
    std::size_t used = 0;
    for (const std::string& name : names)
        used += name.size() + 1;
    return bufferBytes - std::min(used, bufferBytes) < store::kMaxNameBytes + 1;
}

std::string Megabytes(std::int64_t bytes)
{
    const std::int64_t tenths = (bytes * 10 + (1 << 20) / 2) / (1 << 20);
    return std::to_string(tenths / 10) + "," + std::to_string(tenths % 10) + " MB";
}

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
        ui::Beep("missing credentials");
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
        calls.lastReport = Resolve<store::LastReportFunction>(*library, store::kLastReportName);
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
    for (int round = 0; round < kMaxRounds; ++round) {
        std::fill(buffer.begin(), buffer.end(), '\0');
        const int count = calls.downloadFile(folder.c_str(), buffer.data(), int(buffer.size()));
        store::DownloadReport report;
        if (calls.lastReport)
            calls.lastReport(&report);
        result.report.savedUnderOtherName += report.savedUnderOtherName;
        result.report.besideLinks += report.besideLinks;
        // Each round weighs again what is left against the disk: the last one says.
        result.report.leftForSpace = report.leftForSpace;
        result.report.bytesLeft = report.bytesLeft;
        result.report.bytesFree = round == 0 ? report.bytesFree : result.report.bytesFree;
        if (count < 1) {
            if (round == 0)
                result.count = count;
            else if (count < 0)
                result.laterFailure = -count;
            break;
        }
        std::vector<std::string> names = FileListNames(buffer.data(), buffer.size(), count);
        result.count += count;
        const bool more = MayHaveBeenCut(names, buffer.size());
        result.names.insert(result.names.end(), std::make_move_iterator(names.begin()),
                            std::make_move_iterator(names.end()));
        if (!more)
            break;
    }
    return result;
}

std::string DownloadNotes(const store::DownloadReport& report, const std::filesystem::path& folder)
{
    std::string notes;
    if (report.savedUnderOtherName > 0) {
        notes += "Fotos salvas com outro nome: " + std::to_string(report.savedUnderOtherName) +
                 ". Já havia na pasta " + folder.string() +
                 " um arquivo com o mesmo nome, que foi mantido como estava.";
        if (report.besideLinks > 0)
            notes += " Em " + std::to_string(report.besideLinks) +
                     " casos o nome era um link simbólico, que não foi seguido.";
    }
    if (report.leftForSpace > 0) {
        if (!notes.empty())
            notes += "\n\n";
        notes += "Fotos não baixadas por falta de espaço em disco: " + std::to_string(report.leftForSpace) +
                 ". Elas precisariam de " + Megabytes(report.bytesLeft) + " e há " + Megabytes(report.bytesFree) +
                 " livres no disco da pasta " + folder.string() + ". Libere espaço e baixe de novo.";
    }
    return notes;
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
