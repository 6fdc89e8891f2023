#include "sharing/mapi/mail_layer_client.h"

#include "common/string_table.h"
#include "common/ui_service.h"
#include "sharing/mapi/document_paths.h"

namespace lv::sharing {
namespace {

enum EntryName { kLogonName = 2605, kLogoffName = 2606, kSendMailName = 2607, kSendDocumentsName = 2608 };

template <class Function>
Function Resolve(const SharedLibrary& library, int nameId)
{
    return reinterpret_cast<Function>(library.resolve(std::string(LoadString(nameId)).c_str()));
}

void Warn(int stringId)
{
    ui::Current().showMessage(LoadString(stringId), ui::kWarningTitle, ui::Icon::Exclamation);
}

}  // namespace

std::optional<MailLayer> LoadMailLayer(const std::filesystem::path& library)
{
    MailLayer layer{SharedLibrary(library.string())};
    if (!layer.library.loaded()) {
        Warn(kMailLayerMissingString);
        return std::nullopt;
    }
    layer.logon = Resolve<mapi::MapiLogonFunction>(layer.library, kLogonName);
    layer.logoff = Resolve<mapi::MapiLogoffFunction>(layer.library, kLogoffName);
    layer.sendMail = Resolve<mapi::MapiSendMailFunction>(layer.library, kSendMailName);
    layer.sendDocuments = Resolve<mapi::MapiSendDocumentsFunction>(layer.library, kSendDocumentsName);
    if (!layer.logon || !layer.logoff || !layer.sendMail || !layer.sendDocuments) {
        Warn(kMailLayerCallsMissingString);
        return std::nullopt;
    }
    return layer;
}

mapi::ULONG SendDocumentThroughLayer(const MailLayer& layer, const mapi::MailHost& host, const std::string& path)
{
    const auto window = reinterpret_cast<mapi::ULONG_PTR>(&host);
    mapi::LHANDLE session = 0;
    const mapi::ULONG logon =
        layer.logon(window, nullptr, nullptr, mapi::MAPI_LOGON_UI | mapi::MAPI_NEW_SESSION, 0, &session);
    if (logon != mapi::SUCCESS_SUCCESS)
        return logon;
    std::string delimiter = DelimiterFor(path);
    std::string paths = path;
    const mapi::ULONG sent = layer.sendDocuments(window, delimiter.data(), paths.data(), nullptr, 0);
    layer.logoff(session, window, 0, 0);
    return sent;
}

}  // namespace lv::sharing
