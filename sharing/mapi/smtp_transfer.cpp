#include "sharing/mapi/smtp_transfer.h"

#include "common/string_table.h"
#include "sharing/net/curl_support.h"

#include <curl/curl.h>

#include <algorithm>
#include <memory>

namespace lv::sharing {
namespace {

constexpr long kConnectTimeoutSeconds = 30;

enum SmtpText {
    kCannotConnectString = 7300,
    kLoginRefusedString = 7301,
    kRecipientRefusedString = 7302,
    kSecureString = 7303,
    kTimedOutString = 7304,
    kRefusedString = 7305,
    kOtherString = 7306,
    kSilentString = 7316,
};

struct Upload {
    const std::string& message;
    std::size_t sent = 0;
    const SmtpProgress& progress;
};

std::size_t ReadMessage(char* buffer, std::size_t size, std::size_t count, void* user)
{
    auto& upload = *static_cast<Upload*>(user);
    const std::size_t n = std::min(size * count, upload.message.size() - upload.sent);
    std::copy_n(upload.message.data() + upload.sent, n, buffer);
    upload.sent += n;
    return n;
}

int Progress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    auto& upload = *static_cast<Upload*>(user);
    if (upload.progress.cancelled && upload.progress.cancelled())
        return 1;
    if (upload.progress.report && !upload.message.empty())
        upload.progress.report(int(upload.sent * 100 / upload.message.size()));
    return 0;
}

struct CurlDeleter {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};
struct ListDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

SmtpFailure Classify(CURLcode code, long response, bool connected)
{
    switch (code) {
    case CURLE_OK: return SmtpFailure::None;
    case CURLE_ABORTED_BY_CALLBACK: return SmtpFailure::Cancelled;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_CONNECT: return SmtpFailure::CannotConnect;
    case CURLE_LOGIN_DENIED: return SmtpFailure::LoginRefused;
    case CURLE_OPERATION_TIMEDOUT: return connected ? SmtpFailure::Silent : SmtpFailure::TimedOut;
    case CURLE_USE_SSL_FAILED:
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CACERT_BADFILE: return SmtpFailure::Secure;
    default: break;
    }
    if (response == 535)
        return SmtpFailure::LoginRefused;
    if (response >= 550 && response <= 553)
        return SmtpFailure::RecipientRefused;
    if (response >= 400)
        return SmtpFailure::Refused;
    return SmtpFailure::Other;
}

}  // namespace

std::string SmtpUrl(const SmtpAccount& account)
{
    const bool tls = account.security == mapi::SmtpSecurity::Tls;
    int port = account.port;
    if (port <= 0)
        port = tls ? 465 : account.security == mapi::SmtpSecurity::StartTls ? 587 : 25;
    const bool literalV6 = account.host.find(':') != std::string::npos;
    const std::string host = literalV6 ? "[" + account.host + "]" : account.host;
    return std::string(tls ? "smtps://" : "smtp://") + host + ":" + std::to_string(port);
}

SmtpOutcome SendBySmtp(const SmtpAccount& account, const SmtpEnvelope& envelope, const std::string& message,
                       const SmtpProgress& progress)
{
    InitialiseCurlOnce();
    const std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
    if (!curl)
        return {SmtpFailure::Other, "curl_easy_init"};
    std::unique_ptr<curl_slist, ListDeleter> recipients;
    for (const std::string& to : envelope.to)
        recipients.reset(curl_slist_append(recipients.release(), ("<" + to + ">").c_str()));

    Upload upload{message, 0, progress};
    char error[CURL_ERROR_SIZE] = {};
    CURL* c = curl.get();
    const std::string url = SmtpUrl(account);
    curl_easy_setopt(c, CURLOPT_URL, url.c_str());
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, error);
    SetTransferBasics(c, kConnectTimeoutSeconds, account.silenceSeconds, account.caFile);
    // Waiting for a reply (after DATA above all) is no transfer, so the low-speed limit does
    // not watch it; the reply wait has a limit of its own, two minutes unless set.
    curl_easy_setopt(c, CURLOPT_SERVER_RESPONSE_TIMEOUT, account.silenceSeconds);
    if (account.security == mapi::SmtpSecurity::StartTls)
        curl_easy_setopt(c, CURLOPT_USE_SSL, long(CURLUSESSL_ALL));
    if (!account.user.empty()) {
        curl_easy_setopt(c, CURLOPT_USERNAME, account.user.c_str());
        curl_easy_setopt(c, CURLOPT_PASSWORD, account.password.c_str());
    }
    const std::string from = "<" + envelope.from + ">";
    curl_easy_setopt(c, CURLOPT_MAIL_FROM, from.c_str());
    curl_easy_setopt(c, CURLOPT_MAIL_RCPT, recipients.get());
    curl_easy_setopt(c, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(c, CURLOPT_INFILESIZE_LARGE, curl_off_t(message.size()));
    curl_easy_setopt(c, CURLOPT_READFUNCTION, ReadMessage);
    curl_easy_setopt(c, CURLOPT_READDATA, &upload);
    SetProgressFunction(c, Progress, &upload);

    const auto [code, response] = Perform(c);
    curl_off_t connectedAfter = 0;
    curl_easy_getinfo(c, CURLINFO_CONNECT_TIME_T, &connectedAfter);
    const SmtpFailure failure = Classify(code, response, connectedAfter > 0);
    if (failure == SmtpFailure::None && progress.report)
        progress.report(100);
    return {failure, error[0] ? std::string(error) : std::string(curl_easy_strerror(code))};
}

std::string SmtpFailureText(const SmtpOutcome& outcome, const SmtpAccount& account)
{
    int id = kOtherString;
    switch (outcome.failure) {
    case SmtpFailure::None:
    case SmtpFailure::Cancelled: return {};
    case SmtpFailure::CannotConnect: id = kCannotConnectString; break;
    case SmtpFailure::LoginRefused: id = kLoginRefusedString; break;
    case SmtpFailure::RecipientRefused: id = kRecipientRefusedString; break;
    case SmtpFailure::Secure: id = kSecureString; break;
    case SmtpFailure::TimedOut: id = kTimedOutString; break;
    case SmtpFailure::Silent: {
        std::string text(LoadString(kSilentString));
        text.replace(text.find("%d"), 2, std::to_string(account.silenceSeconds));
        return text + "\n\n" + SmtpUrl(account) + ": " + outcome.detail;
    }
    case SmtpFailure::Refused: id = kRefusedString; break;
    case SmtpFailure::Other: break;
    }
    return std::string(LoadString(id)) + "\n\n" + SmtpUrl(account) + ": " + outcome.detail;
}

}  // namespace lv::sharing
