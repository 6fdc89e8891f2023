#include "sharing/mapi/mail_layer.h"

#include "common/byte_source.h"
#include "common/string_table.h"
#include "sharing/mapi/desktop_mail.h"
#include "sharing/mapi/mime_message.h"
#include "sharing/mapi/smtp_transfer.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <random>

namespace lv::sharing {
namespace {

constexpr int kNoRecipientString = 7307;
constexpr int kCannotReadAttachmentString = 7308;
constexpr int kDesktopMailFailedString = 7309;
constexpr int kAttachmentTooLargeString = 7310;
constexpr int kNoSenderString = 7314;

std::string Text(const char* text)
{
    return text ? std::string(text) : std::string();
}

void Fail(const mapi::MailHost& host, std::string_view message)
{
    if (host.failure)
        host.failure(host.context, std::string(message).c_str());
}

std::string UniqueId()
{
    std::random_device random;
    const auto now = std::chrono::system_clock::now().time_since_epoch().count();
    char text[64];
    std::snprintf(text, sizeof text, "%llx.%08x%08x", static_cast<unsigned long long>(now), random(), random());
    return text;
}

SmtpAccount AccountOf(const mapi::MailHost& host)
{
    return {Text(host.smtpHost), host.smtpPort, host.smtpSecurity, Text(host.smtpUser), Text(host.smtpPassword),
            Text(host.caFile)};
}

mapi::ULONG SendOverSmtp(const mapi::MailHost& host, const MailDraft& draft)
{
    if (draft.from.empty() || !PlausibleAddress(draft.from)) {
        Fail(host, LoadString(kNoSenderString));
        return mapi::MAPI_E_FAILURE;
    }
    MimeMessage message{draft.from, draft.to, draft.subject, draft.body, {}, std::time(nullptr), UniqueId()};
    for (const std::string& path : draft.attachments) {
        std::error_code ec;
        const std::uintmax_t size = std::filesystem::file_size(path, ec);
        if (!ec && size > kMaxAttachmentBytes) {
            Fail(host, std::string(LoadString(kAttachmentTooLargeString)) + "\n\n" + path);
            return mapi::MAPI_E_ATTACHMENT_OPEN_FAILURE;
        }
        std::optional<std::vector<std::uint8_t>> bytes = ec ? std::nullopt : ReadWholeFile(path);
        if (!bytes) {
            Fail(host, std::string(LoadString(kCannotReadAttachmentString)) + "\n\n" + path);
            return mapi::MAPI_E_ATTACHMENT_NOT_FOUND;
        }
        message.attachments.push_back({std::filesystem::path(path).filename().string(), std::move(*bytes)});
    }
    const SmtpAccount account = AccountOf(host);
    const SmtpProgress progress{
        [&host](int percent) {
            if (host.progress)
                host.progress(host.context, percent);
        },
        [&host] { return host.cancelled && host.cancelled(host.context) != 0; },
    };
    const SmtpOutcome outcome = SendBySmtp(account, {draft.from, AddressesOf(draft.to)}, ComposeMime(message), progress);
    switch (outcome.failure) {
    case SmtpFailure::None: return mapi::SUCCESS_SUCCESS;
    case SmtpFailure::Cancelled: return mapi::MAPI_USER_ABORT;
    case SmtpFailure::RecipientRefused: Fail(host, SmtpFailureText(outcome, account)); return mapi::MAPI_E_UNKNOWN_RECIPIENT;
    case SmtpFailure::LoginRefused: Fail(host, SmtpFailureText(outcome, account)); return mapi::MAPI_E_LOGON_FAILURE;
    default: Fail(host, SmtpFailureText(outcome, account)); return mapi::MAPI_E_NETWORK_FAILURE;
    }
}

}  // namespace

const mapi::MailHost* CheckedHost(mapi::ULONG_PTR uiParam)
{
    const auto* host = reinterpret_cast<const mapi::MailHost*>(uiParam);
    return host && host->size >= sizeof(mapi::MailHost) ? host : nullptr;
}

bool MailLayerReady(const mapi::MailHost& host)
{
    return !Text(host.smtpHost).empty() || DesktopMailAvailable();
}

MailDraft DraftFromHost(const mapi::MailHost& host, std::vector<std::string> attachments)
{
    MailDraft draft;
    draft.from = Text(host.from).empty() ? Text(host.smtpUser) : Text(host.from);
    draft.to = SplitMailboxes(Text(host.to));
    draft.subject = Text(host.subject);
    draft.body = Text(host.body);
    draft.attachments = std::move(attachments);
    return draft;
}

mapi::ULONG SendDraft(const mapi::MailHost& host, const MailDraft& draft)
{
    if (Text(host.smtpHost).empty()) {
        if (OpenInDesktopMail(draft))
            return mapi::SUCCESS_SUCCESS;
        Fail(host, LoadString(kDesktopMailFailedString));
        return mapi::MAPI_E_FAILURE;
    }
    const bool addressed = !draft.to.empty() && std::all_of(draft.to.begin(), draft.to.end(), [](const Mailbox& to) {
        return PlausibleAddress(to.address);
    });
    if (!addressed) {
        Fail(host, LoadString(kNoRecipientString));
        return mapi::MAPI_E_UNKNOWN_RECIPIENT;
    }
    return SendOverSmtp(host, draft);
}

}  // namespace lv::sharing
