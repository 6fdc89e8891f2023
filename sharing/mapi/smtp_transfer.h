#pragma once
// Handing a composed message to an SMTP server through libcurl: plain, upgraded with
// STARTTLS, or TLS from the start; with the account's user name and password when given.

#include "sharing/mapi/simple_mapi.h"

#include <functional>
#include <string>
#include <vector>

namespace lv::sharing {

// How long a server may send nothing, once connected, before the send is given up.
inline constexpr long kSmtpSilenceSeconds = 30;

struct SmtpAccount {
    std::string host;
    int port = 0;  // 0: 587 with STARTTLS, 465 with TLS, 25 plain
    mapi::SmtpSecurity security = mapi::SmtpSecurity::StartTls;
    std::string user;
    std::string password;
    std::string caFile;
    long silenceSeconds = kSmtpSilenceSeconds;
};

struct SmtpEnvelope {
    std::string from;
    std::vector<std::string> to;
};

// TimedOut: no connection in time; Silent: connected, then nothing heard for the silence limit.
enum class SmtpFailure { None, Cancelled, CannotConnect, Refused, LoginRefused, RecipientRefused, Secure, TimedOut, Silent, Other };

struct SmtpOutcome {
    SmtpFailure failure = SmtpFailure::None;
    std::string detail;  // the library's or the server's words, for the curious
};

struct SmtpProgress {
    std::function<void(int percent)> report;
    std::function<bool()> cancelled;
};

// "smtp://host:587" and the like.
std::string SmtpUrl(const SmtpAccount& account);

SmtpOutcome SendBySmtp(const SmtpAccount& account, const SmtpEnvelope& envelope, const std::string& message,
                       const SmtpProgress& progress);

// The sentence the user sees for a failure (string table 7300 on).
std::string SmtpFailureText(const SmtpOutcome& outcome, const SmtpAccount& account);

}  // namespace lv::sharing
