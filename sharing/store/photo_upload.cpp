#include "sharing/store/photo_upload.h"

#include "common/string_table.h"
#include "common/text_encoding.h"
#include "common/ui_service.h"
#include "sharing/store/gallery_files.h"
#include "sharing/store/store_protocol.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>

namespace lv::sharing {
namespace {

constexpr int kNameBytes = 512;

template <class Function>
Function Resolve(const StoreLibrary& library, const char* name)
{
    return reinterpret_cast<Function>(library.resolve(name));
}

int LogIn(const UploadCalls& calls, const StoreCredentials& credentials)
{
    const std::string user = LowerCaseIdentifier(TruncateUtf8(credentials.user, kMaxCredentialBytes));
    const std::string password(TruncateUtf8(credentials.password, kMaxCredentialBytes));
    return calls.store.setUserInfo(user.c_str(), password.c_str());
}

PhotoSent Send(const UploadCalls& calls, const std::string& path)
{
    PhotoSent sent{path, 0, {}};
    const std::string name = std::filesystem::path(path).filename().string();
    std::array<char, kNameBytes> stored{};
    sent.code = calls.uploadFile(path.c_str(), name.c_str(), stored.data(), int(stored.size()));
    if (sent.code == 0)
        sent.storedName = stored.data();
    return sent;
}

}  // namespace

std::optional<UploadCalls> PrepareUpload(const StoreCredentials& credentials, const StoreLibrary* library)
{
    std::optional<StoreCalls> store = PrepareDownload(credentials, library);
    if (!store)
        return std::nullopt;
    UploadCalls calls{*store};
    calls.uploadFile = Resolve<store::UploadFileFunction>(*library, store::kUploadFileName);
    calls.sendOrder = Resolve<store::SendOrderFunction>(*library, store::kSendOrderName);
    calls.publishGallery = Resolve<store::PublishGalleryFunction>(*library, store::kPublishGalleryName);
    if (!calls.uploadFile || !calls.sendOrder) {
        ui::Current().showMessage(LoadString(kInternetNotReadyString), ui::kWarningTitle, ui::Icon::Exclamation);
        return std::nullopt;
    }
    return calls;
}

int UploadRun::sent() const
{
    return int(std::count_if(photos.begin(), photos.end(), [](const PhotoSent& p) { return p.code == 0; }));
}

UploadRun RunUpload(const UploadCalls& calls, const StoreCredentials& credentials,
                    const std::vector<std::string>& paths, const std::function<void(std::size_t)>& starting)
{
    UploadRun run;
    run.loginCode = LogIn(calls, credentials);
    if (run.loginCode != 0)
        return run;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        if (starting)
            starting(i);
        run.photos.push_back(Send(calls, paths[i]));
        if (run.photos.back().code == store::kCancelled)
            break;
    }
    return run;
}

OrderRun RunOrder(const UploadCalls& calls, const StoreCredentials& credentials, const std::string& path,
                  PrintLine print)
{
    OrderRun run;
    run.loginCode = LogIn(calls, credentials);
    if (run.loginCode != 0)
        return run;
    run.photo = Send(calls, path);
    if (run.photo.code != 0)
        return run;
    print.photo = run.photo.storedName;
    const std::string text = OrderText({print});
    if (text.empty()) {
        run.orderCode = store::kBadArguments;
        return run;
    }
    std::array<char, store::kMaxOrderNumberBytes + 1> number{};
    run.orderCode = calls.sendOrder(text.c_str(), number.data(), int(number.size()));
    if (run.orderCode == 0)
        run.number = number.data();
    return run;
}

GalleryRun RunPublish(const UploadCalls& calls, const StoreCredentials& credentials,
                      const std::filesystem::path& folder, const std::string& title)
{
    GalleryRun run;
    if (!calls.publishGallery) {
        run.code = store::kRequestRefused;
        run.problem = "a biblioteca da loja de fotos não publica álbuns na Web";
        return run;
    }
    run.loginCode = LogIn(calls, credentials);
    if (run.loginCode != 0)
        return run;
    std::array<char, 4096> answer{};
    run.code = calls.publishGallery(folder.c_str(), title.c_str(), answer.data(), int(answer.size()));
    const std::string said(answer.data(), ::strnlen(answer.data(), answer.size()));
    if (run.code == 0)
        run.address = said;
    else if (store::SafeGalleryPath(said))
        run.file = said;
    else
        run.problem = said;
    return run;
}

std::string PublishFailure(const StoreCalls& calls, const GalleryRun& run)
{
    std::string text = "O álbum na Web não foi publicado: ";
    if (!run.problem.empty())
        return text + run.problem + ".";
    if (!run.file.empty())
        text += run.file + ": ";
    return text + StoreFailure(calls, run.loginCode ? run.loginCode : run.code);
}

std::string StoreFailure(const StoreCalls& calls, int code)
{
    if (const int id = StoreTextFor(code); id != 0 && calls.loadString) {
        std::array<char, 256> text{};
        if (calls.loadString(id, text.data(), int(text.size())) > 0)
            return text.data();
    }
    switch (code) {
    case store::kBadArguments: return "o arquivo não pôde ser lido ou não pode ser enviado (nome ou tamanho).";
    case store::kRequestRefused: return "a loja de fotos recusou o pedido.";
    case store::kNotLoggedIn: return "a loja de fotos não aceitou mais a identificação; entre de novo.";
    case store::kCancelled: return "o envio foi cancelado.";
    default: return "a loja de fotos falhou (código " + std::to_string(code) + ").";
    }
}

std::string UploadSummary(const StoreCalls& calls, const UploadRun& run)
{
    const int sent = run.sent();
    std::string text = sent == 1 ? "1 foto enviada à loja de fotos." : std::to_string(sent) + " fotos enviadas à loja de fotos.";
    for (const PhotoSent& photo : run.photos)
        if (photo.code != 0)
            text += "\n" + std::filesystem::path(photo.path).filename().string() + ": " + StoreFailure(calls, photo.code);
    return text;
}

}  // namespace lv::sharing
