// lumivista-tool mail FILE --to ADDR [--subject S] [--body B] [--smtp URL] [--security
// none|starttls|tls] [--from ADDR] [--ca-file FILE] [--smaller 1024|1600] [--json]
//
// Without --smtp the desktop's mail program gets the message to complete. An SMTP URL
// ("smtp://[user@]host[:port]", "smtps://..." for TLS from the start) with a user name
// takes the password from standard input, never from the command line.

#include "mail_command.h"

#include "album/photo_loader.h"
#include "common/program_paths.h"
#include "arguments.h"
#include "json_writer.h"
#include "sharing/mail/smaller_copy.h"
#include "sharing/mapi/mail_layer_client.h"

#include <curl/curl.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>

#include <unistd.h>

namespace lv::tool {
namespace {

using sharing::mapi::SmtpSecurity;

struct SmtpTarget {
    std::string host;
    int port = 0;
    SmtpSecurity security = SmtpSecurity::StartTls;
    std::string user;
};

struct UrlFree {
    void operator()(CURLU* url) const { curl_url_cleanup(url); }
};

std::string Part(CURLU* url, CURLUPart part)
{
    char* text = nullptr;
    if (curl_url_get(url, part, &text, CURLU_URLDECODE) != CURLUE_OK || !text)
        return {};
    std::string out = text;
    curl_free(text);
    return out;
}

std::optional<SmtpTarget> ParseSmtpUrl(const std::string& text)
{
    const std::unique_ptr<CURLU, UrlFree> url(curl_url());
    if (!url || curl_url_set(url.get(), CURLUPART_URL, text.c_str(), 0) != CURLUE_OK)
        return std::nullopt;
    const std::string scheme = Part(url.get(), CURLUPART_SCHEME);
    if (scheme != "smtp" && scheme != "smtps")
        return std::nullopt;
    SmtpTarget target;
    target.host = Part(url.get(), CURLUPART_HOST);
    if (target.host.size() > 2 && target.host.front() == '[')
        target.host = target.host.substr(1, target.host.size() - 2);
    const std::string port = Part(url.get(), CURLUPART_PORT);
    target.port = port.empty() ? 0 : ParseIntegerInRange(port, 1, 65535).value_or(0);
    target.security = scheme == "smtps" ? SmtpSecurity::Tls : SmtpSecurity::StartTls;
    target.user = Part(url.get(), CURLUPART_USER);
    if (target.host.empty())
        return std::nullopt;
    return target;
}

struct Outcome {
    std::string failure;
    int lastPercent = -1;
};

}  // namespace

int RunMail(std::string_view, Arguments args)
{
    ParsedArguments a(args, "mail");
    if (!a.ok())
        return Fail(kExitUsage, a.error());
    if (a.positional().size() != 1 || !a.value("--to"))
        return Fail(kExitUsage, FormUsage("mail"));
    const std::string file = a.positional()[0];
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec) || ::access(file.c_str(), R_OK) != 0)
        return Fail(kExitCannotRead, "cannot read " + file);
    const int smaller = a.value("--smaller") ? a.integer("--smaller", 1, 65535).value_or(-1) : 0;
    if (!sharing::ValidSmallerSide(smaller))
        return Fail(kExitUsage, "--smaller takes 1024 or 1600");

    std::optional<SmtpTarget> smtp;
    if (const auto url = a.value("--smtp")) {
        smtp = ParseSmtpUrl(*url);
        if (!smtp)
            return Fail(kExitUsage, "--smtp takes smtp://[user@]host[:port] or smtps://...");
    }
    if (const auto security = a.value("--security"); security && smtp) {
        if (*security == "none")
            smtp->security = SmtpSecurity::None;
        else if (*security == "starttls")
            smtp->security = SmtpSecurity::StartTls;
        else if (*security == "tls")
            smtp->security = SmtpSecurity::Tls;
        else
            return Fail(kExitUsage, "--security takes none, starttls or tls");
    }
    std::string password;
    if (smtp && !smtp->user.empty() && !std::getline(std::cin, password))
        return Fail(kExitUsage, "the SMTP password is read from standard input");

    // The smaller copy goes to the user's temporary folder, which the program empties as it
    // starts: the desktop's mail program reads it after xdg-email has returned.
    std::string attachment = file;
    if (smaller) {
        const auto copy =
            sharing::MakeSmallerCopy(file, smaller, WritableProgramDir(kTempFolder), album::AlbumPhotoReaders());
        if (!copy)
            return Fail(kExitCannotRead, "cannot read the picture in " + file);
        attachment = *copy;
    }
    // Over SMTP the message has left when the call returns, so the copy can go at once.
    const auto cleanUp = [&] {
        std::error_code ignored;
        if (smtp && attachment != file)
            std::filesystem::remove(attachment, ignored);
    };

    std::optional<sharing::MailLayer> layer = sharing::LoadMailLayer(ProgramFile(sharing::kMailLayerLibrary));
    if (!layer) {
        cleanUp();
        return Fail(kExitCannotWrite, "the mail layer " + std::string(sharing::kMailLayerLibrary) + " is missing");
    }
    const std::string to = *a.value("--to");
    const std::string subject = a.value("--subject").value_or("");
    const std::string body = a.value("--body").value_or("");
    const std::string from = a.value("--from").value_or("");
    const std::string caFile = a.value("--ca-file").value_or("");
    Outcome outcome;
    sharing::mapi::MailHost host{};
    host.size = sizeof host;
    host.to = to.c_str();
    host.subject = subject.c_str();
    host.body = body.c_str();
    host.from = from.c_str();
    host.smtpHost = smtp ? smtp->host.c_str() : "";
    host.smtpPort = smtp ? smtp->port : 0;
    host.smtpSecurity = smtp ? smtp->security : SmtpSecurity::StartTls;
    host.smtpUser = smtp ? smtp->user.c_str() : "";
    host.smtpPassword = password.c_str();
    host.caFile = caFile.c_str();
    host.context = &outcome;
    host.failure = [](void* c, const char* message) { static_cast<Outcome*>(c)->failure = message; };
    const sharing::mapi::ULONG result = sharing::SendDocumentThroughLayer(*layer, host, attachment);
    cleanUp();
    if (a.has("--json")) {
        JsonWriter json;
        json.beginObject().key("sent").value(result == sharing::mapi::SUCCESS_SUCCESS).key("result").value(int(result));
        json.key("route").value(smtp ? "smtp" : "desktop").key("smaller").value(smaller).endObject();
        std::printf("%s\n", json.text().c_str());
    }
    if (result != sharing::mapi::SUCCESS_SUCCESS)
        return Fail(kExitCannotWrite, outcome.failure.empty() ? "the message was not sent" : outcome.failure);
    return kExitOk;
}

}  // namespace lv::tool
