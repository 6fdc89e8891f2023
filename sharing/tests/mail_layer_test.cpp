// The mail layer: the message it composes, and liblvmapi.so as the program meets it, sending
// to a local SMTP server started by the test or to a stand-in desktop mail program.

#include "common/byte_source.h"
#include "common/string_table.h"
#include "common/testing/run_command.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "common/text_encoding.h"
#include "sharing/mapi/document_paths.h"
#include "sharing/mapi/mail_draft.h"
#include "sharing/mapi/mail_layer_client.h"
#include "sharing/mapi/mime_message.h"
#include "sharing/mapi/smtp_transfer.h"
#include "sharing/testing/server_process.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <map>
#include <random>

namespace lv::sharing {
namespace {

using lv::testing::TempDir;
using testing::ServerProcess;

std::vector<std::uint8_t> DecodeBase64(std::string_view text)
{
    const std::string_view alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::vector<std::uint8_t> out;
    std::uint32_t bits = 0;
    int held = 0;
    for (const char c : text) {
        const std::size_t v = alphabet.find(c);
        if (v == std::string_view::npos)
            continue;  // line breaks and padding
        bits = bits << 6 | std::uint32_t(v);
        if ((held += 6) >= 8)
            out.push_back(std::uint8_t(bits >> (held -= 8)));
    }
    return out;
}

std::span<const std::uint8_t> Bytes(std::string_view s)
{
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

TEST(Base64, KnownValuesPaddingAndLineBreaks)
{
    for (const auto& [in, out] :
         {std::pair{"", ""}, {"f", "Zg==\r\n"}, {"fo", "Zm8=\r\n"}, {"foo", "Zm9v\r\n"}, {"foob", "Zm9vYg==\r\n"}})
        EXPECT_EQ(Base64Lines(Bytes(in)), out) << in;
    // 57 bytes make exactly one line of 76 characters; 58 start a second.
    const std::string line(57, '\xff');
    EXPECT_EQ(Base64Lines(Bytes(line)), std::string(76, '/') + "\r\n");
    EXPECT_EQ(Base64Lines(Bytes(line + "a")), std::string(76, '/') + "\r\nYQ==\r\n");
}

TEST(HeaderText, PlainAsciiStaysAndLineBreaksCannotStartANewHeader)
{
    EXPECT_EQ(EncodeHeaderText("Fotos da praia"), "Fotos da praia");
    EXPECT_EQ(EncodeHeaderText("a\r\nBcc: x@y"), "a  Bcc: x@y");
    EXPECT_EQ(EncodeHeaderText(""), "");
}

TEST(HeaderText, AccentsBecomeUtf8WordsThatSplitBetweenCharacters)
{
    const std::string subject = "Férias em São João — " + std::string(60, 'x') + " çãõ€";
    const std::string encoded = EncodeHeaderText(subject);
    std::string decoded;
    std::size_t start = 0;
    while (start < encoded.size()) {
        std::size_t end = encoded.find("\r\n ", start);
        const std::string word = encoded.substr(start, end == std::string::npos ? end : end - start);
        ASSERT_LE(word.size(), 75u);
        ASSERT_TRUE(word.starts_with("=?UTF-8?B?") && word.ends_with("?=")) << word;
        const auto bytes = DecodeBase64(std::string_view(word).substr(10, word.size() - 12));
        const std::string piece(bytes.begin(), bytes.end());
        ASSERT_TRUE(IsValidUtf8(piece)) << "a word split a character";
        decoded += piece;
        start = end == std::string::npos ? encoded.size() : end + 3;
    }
    EXPECT_EQ(decoded, subject);
}

TEST(MimeMessage, HeadersAndPartsAreLaidOutInCrlfLines)
{
    MimeMessage m;
    m.from = "ana@exemplo.com.br";
    m.to = {{"", "bia@exemplo.com"}, {"", "caio@exemplo.org"}};
    m.subject = "Olá";
    m.body = "linha 1\nlinha 2\r\nfim";
    m.attachments = {{"praia \"1\".jpg", {0xFF, 0xD8, 0x00, 0x0D, 0x0A, 0x2E}}};
    m.date = 949410309;  // 2000-02-01 13:05:09 UTC
    m.uniqueId = "abc.123";
    const std::string text = ComposeMime(m);

    for (const char* part : {"From: ana@exemplo.com.br\r\n", "To: bia@exemplo.com,\r\n caio@exemplo.org\r\n",
                             "Subject: =?UTF-8?B?T2zDoQ==?=\r\n", "Date: Tue, 01 Feb 2000 13:05:09 +0000\r\n",
                             "Message-ID: <abc.123@exemplo.com.br>\r\n", "Content-Type: image/jpeg\r\n",
                             "filename=\"praia \\\"1\\\".jpg\""})
        EXPECT_NE(text.find(part), std::string::npos) << part;
    EXPECT_TRUE(text.ends_with("\r\n--=_lumivista_abc.123--\r\n"));
    for (std::size_t i = 0; i < text.size(); ++i)
        ASSERT_FALSE(text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) << "a bare line feed at " << i;
}

TEST(MimeMessage, RecipientsKeepTheirNamesQuotedOrEncodedWhereNeeded)
{
    EXPECT_EQ(MailboxHeader({"", "a@b"}), "a@b");
    EXPECT_EQ(MailboxHeader({"Ana Lima", "a@b"}), "Ana Lima <a@b>");
    EXPECT_EQ(MailboxHeader({"Lima, Ana \"A.\"", "a@b"}), R"("Lima, Ana \"A.\"" <a@b>)");
    EXPECT_EQ(MailboxHeader({"=?x?=", "a@b"}), R"("=?x?=" <a@b>)");
    EXPECT_EQ(MailboxHeader({"João", "j@b"}), "=?UTF-8?B?Sm/Do28=?= <j@b>");
    // A line break in a name can never start a header of its own.
    EXPECT_EQ(MailboxHeader({"Ana\r\nBcc: x@y", "a@b"}), R"("Ana  Bcc: x@y" <a@b>)");
}

TEST(MimeMessage, NamesWithAccentsUseTheExtendedParameter)
{
    MimeMessage m;
    m.from = "a@b";
    m.attachments = {{"São João.PNG", {1}}};
    m.uniqueId = "x";
    const std::string text = ComposeMime(m);
    EXPECT_NE(text.find("filename*=UTF-8''S%C3%A3o%20Jo%C3%A3o.PNG"), std::string::npos);
    EXPECT_NE(text.find("Content-Type: image/png"), std::string::npos);
    EXPECT_EQ(ContentTypeForName("x.vlf"), "application/octet-stream");
    EXPECT_EQ(ContentTypeForName("noextension"), "application/octet-stream");
    EXPECT_EQ(ContentTypeForName("a.TIFF"), "image/tiff");
}

TEST(Addresses, ListsSplitOnSeparatorsOutsideQuotesAndAngleBrackets)
{
    EXPECT_EQ(SplitMailboxes(" a@b.com; Ana Lima <c@d.org> ,e@f,, "),
              (std::vector<Mailbox>{{"", "a@b.com"}, {"Ana Lima", "c@d.org"}, {"", "e@f"}}));
    EXPECT_EQ(SplitMailboxes(R"("Lima; Bia \"B\"" <b@x.org>, <c@y>;"Sem fim <d@z)"),
              (std::vector<Mailbox>{{"Lima; Bia \"B\"", "b@x.org"}, {"", "c@y"}, {"", "\"Sem fim <d@z"}}));
    EXPECT_EQ(SplitMailboxes("Ana <a@b, c@d"), (std::vector<Mailbox>{{"Ana", "a@b, c@d"}}));
    EXPECT_EQ(AddressesOf(SplitMailboxes("Ana <a@b>;c@d")), (std::vector<std::string>{"a@b", "c@d"}));
    EXPECT_TRUE(SplitMailboxes("").empty());
    EXPECT_TRUE(SplitMailboxes(" ; , Ana <>").empty());
    EXPECT_TRUE(PlausibleAddress("ana.lima+fotos@exemplo.com.br"));
    for (const char* bad : {"", "@b", "a@", "a@b@c", "a b@c", "a@b\r\nRCPT TO:<x@y>", "<a@b>", "a\"@b"})
        EXPECT_FALSE(PlausibleAddress(bad)) << bad;
}

TEST(DocumentPaths, TheDelimiterNeverSplitsThePath)
{
    EXPECT_EQ(SplitPaths("/a.jpg;/b.jpg", ";"), (std::vector<std::string>{"/a.jpg", "/b.jpg"}));
    EXPECT_EQ(SplitPaths(";;/a.jpg;", ";"), std::vector<std::string>{"/a.jpg"});
    EXPECT_TRUE(SplitPaths("", ";").empty());
    for (const std::string path : {"/fotos/a.jpg", "/fotos/a;b.jpg"})
        EXPECT_EQ(SplitPaths(path, DelimiterFor(path)), std::vector<std::string>{path});
}

const std::filesystem::path kLayer = std::filesystem::path(LV_PROGRAM_DIR) / kMailLayerLibrary;

struct HostRecorder {
    std::vector<int> progress;
    std::vector<std::string> failures;
    bool cancel = false;
};

mapi::MailHost Host(HostRecorder& recorder)
{
    mapi::MailHost host{};
    host.size = sizeof host;
    host.context = &recorder;
    host.progress = [](void* c, int percent) { static_cast<HostRecorder*>(c)->progress.push_back(percent); };
    host.cancelled = [](void* c) { return int(static_cast<HostRecorder*>(c)->cancel); };
    host.failure = [](void* c, const char* m) { static_cast<HostRecorder*>(c)->failures.emplace_back(m); };
    return host;
}

// What Python's e-mail parser reads in a kept message, by field.
std::multimap<std::string, std::string> ReadMail(const std::filesystem::path& file)
{
    const lv::testing::CommandResult r =
        lv::testing::RunCommand("/usr/bin/python3 " LV_SOURCE_DIR "/sharing/tests/read_mail.py " + file.string());
    std::multimap<std::string, std::string> fields;
    std::size_t start = 0;
    for (std::size_t end; (end = r.out.find('\n', start)) != std::string::npos; start = end + 1) {
        const std::string line = r.out.substr(start, end - start);
        const std::size_t colon = line.find(": ");
        if (colon != std::string::npos)
            fields.emplace(line.substr(0, colon), line.substr(colon + 2));
    }
    return fields;
}

std::string Field(const std::multimap<std::string, std::string>& fields, const std::string& key)
{
    const auto it = fields.find(key);
    return it == fields.end() ? "<none>" : it->second;
}

std::vector<std::string> Lines(const std::filesystem::path& file)
{
    std::vector<std::string> lines;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::string Sha256Of(const std::string& path)
{
    const auto r = lv::testing::RunCommand("sha256sum '" + path + "'");
    return r.out.substr(0, 64);
}

class MailLayerTest : public ::testing::Test {
protected:
    MailLayerTest()
    {
        std::filesystem::create_directories(out());
        picture = dir.file("Férias na praia.jpg");
        std::vector<char> bytes(150000);
        std::mt19937 random(3);
        for (char& b : bytes)
            b = char(random());
        std::ofstream(picture, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
    }
    std::filesystem::path out() const { return dir.path() / "out"; }
    std::optional<MailLayer> load()
    {
        std::optional<MailLayer> layer = LoadMailLayer(kLayer);
        EXPECT_TRUE(layer.has_value());
        return layer;
    }
    // Ana writing to Bia through the server on this computer at `port`.
    mapi::MailHost localSmtp(int port, mapi::SmtpSecurity security = mapi::SmtpSecurity::None)
    {
        mapi::MailHost host = Host(recorder);
        host.to = "bia@exemplo.com";
        host.from = "ana@exemplo.com.br";
        host.smtpHost = "127.0.0.1";
        host.smtpPort = port;
        host.smtpSecurity = security;
        return host;
    }

    TempDir dir;
    lv::testing::UiRecorder ui;
    std::string picture;
    HostRecorder recorder;
};

TEST_F(MailLayerTest, AMissingLibraryOrOneWithoutTheCallsIsSaidSo)
{
    EXPECT_FALSE(LoadMailLayer(dir.path() / "liblvmapi.so"));
    EXPECT_FALSE(LoadMailLayer(std::filesystem::path(LV_PROGRAM_DIR) / "liblvstore.so"));
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].text, LoadString(kMailLayerMissingString));
    EXPECT_EQ(ui.messages[1].text, LoadString(kMailLayerCallsMissingString));
    for (const auto& m : ui.messages)
        EXPECT_EQ(std::tie(m.title, m.icon), std::tuple(ui::kWarningTitle, ui::Icon::Exclamation));
    EXPECT_TRUE(load().has_value());
}

TEST_F(MailLayerTest, ThePictureArrivesAtTheSmtpServerWithTheScreensFields)
{
    ServerProcess server("sharing/tests/smtp_sink.py", {"--out", out().string(), "--account", "ana:s3nh@ çã"});
    ASSERT_TRUE(server.started());
    const auto layer = load();
    mapi::MailHost host = localSmtp(server.port());
    host.to = "Bia <bia@exemplo.com>; \"Lima, Conceição\" <conceicao@exemplo.org>; caio@exemplo.org";
    host.subject = "Férias — fotos";
    host.body = "Olá!\nSegue a foto.\n";
    host.smtpUser = "ana";
    host.smtpPassword = "s3nh@ çã";
    EXPECT_EQ(SendDocumentThroughLayer(*layer, host, picture), mapi::SUCCESS_SUCCESS);
    EXPECT_TRUE(recorder.failures.empty()) << recorder.failures.front();
    ASSERT_FALSE(recorder.progress.empty());
    EXPECT_EQ(recorder.progress.back(), 100);

    EXPECT_EQ(Lines(out() / "1.env"), (std::vector<std::string>{"ana@exemplo.com.br", "bia@exemplo.com",
                                                                 "conceicao@exemplo.org", "caio@exemplo.org"}));

    const auto mail = ReadMail(out() / "1.eml");
    EXPECT_EQ(Field(mail, "from"), "ana@exemplo.com.br");
    EXPECT_EQ(Field(mail, "to"), "Bia <bia@exemplo.com>, \"Lima, Conceição\" <conceicao@exemplo.org>, caio@exemplo.org");
    EXPECT_EQ(Field(mail, "subject"), "Férias — fotos");
    // Text parts travel in the canonical form, lines ending in CRLF.
    EXPECT_EQ(Field(mail, "body"), "'Olá!\\r\\nSegue a foto.\\r\\n'");
    EXPECT_EQ(Field(mail, "defects"), "0");
    EXPECT_EQ(Field(mail, "attachment"), "Férias na praia.jpg|image/jpeg|150000|" + Sha256Of(picture));
}

TEST_F(MailLayerTest, StartTlsAndTlsFromTheStartWithTheServersCertificate)
{
    const auto cert = testing::MakeSelfSignedCertificate(dir.path());
    ASSERT_FALSE(cert.certificate.empty()) << "openssl could not make a certificate";
    const auto layer = load();
    for (const auto security : {mapi::SmtpSecurity::StartTls, mapi::SmtpSecurity::Tls}) {
        const std::filesystem::path kept = out() / std::to_string(int(security));
        std::filesystem::create_directories(kept);
        ServerProcess server("sharing/tests/smtp_sink.py",
                             {"--out", kept.string(), "--cert", cert.certificate, "--key", cert.key,
                              security == mapi::SmtpSecurity::Tls ? "--tls" : "--starttls"});
        ASSERT_TRUE(server.started());
        mapi::MailHost host = localSmtp(server.port(), security);
        host.caFile = cert.certificate.c_str();
        EXPECT_EQ(SendDocumentThroughLayer(*layer, host, picture), mapi::SUCCESS_SUCCESS);
        EXPECT_TRUE(std::filesystem::exists(kept / "1.eml"));
        // Without the certificate the server is a stranger: nothing goes out.
        host.caFile = nullptr;
        recorder.failures.clear();
        EXPECT_NE(SendDocumentThroughLayer(*layer, host, picture), mapi::SUCCESS_SUCCESS);
        ASSERT_EQ(recorder.failures.size(), 1u);
        EXPECT_TRUE(recorder.failures[0].starts_with(LoadString(7303))) << recorder.failures[0];
        EXPECT_FALSE(std::filesystem::exists(kept / "2.eml"));
    }
}

TEST_F(MailLayerTest, RefusalsComeBackAsSentencesForTheUser)
{
    ServerProcess server("sharing/tests/smtp_sink.py", {"--out", out().string(), "--account", "ana:certa"});
    ASSERT_TRUE(server.started());
    const auto layer = load();
    mapi::MailHost host = localSmtp(server.port());
    host.smtpUser = "ana";

    struct Case {
        const char* to;
        const char* password;
        mapi::ULONG result;
        int string;
    };
    for (const Case& c : {Case{"bia@exemplo.com", "errada", mapi::MAPI_E_LOGON_FAILURE, 7301},
                          Case{"ninguem@recusado.example", "certa", mapi::MAPI_E_UNKNOWN_RECIPIENT, 7302},
                          Case{"", "certa", mapi::MAPI_E_UNKNOWN_RECIPIENT, 7307},
                          Case{"sem arroba", "certa", mapi::MAPI_E_UNKNOWN_RECIPIENT, 7307}}) {
        recorder.failures.clear();
        host.to = c.to;
        host.smtpPassword = c.password;
        EXPECT_EQ(SendDocumentThroughLayer(*layer, host, picture), c.result) << c.to;
        ASSERT_EQ(recorder.failures.size(), 1u) << c.to;
        EXPECT_TRUE(recorder.failures[0].starts_with(LoadString(c.string))) << recorder.failures[0];
    }
    EXPECT_FALSE(std::filesystem::exists(out() / "1.eml"));

    recorder.failures.clear();
    host.to = "bia@exemplo.com";
    host.smtpPassword = "certa";
    EXPECT_EQ(SendDocumentThroughLayer(*layer, host, dir.file("sumiu.jpg")), mapi::MAPI_E_ATTACHMENT_NOT_FOUND);
    ASSERT_EQ(recorder.failures.size(), 1u);
    EXPECT_TRUE(recorder.failures[0].starts_with(LoadString(7308)));
}

TEST_F(MailLayerTest, NoServerListeningAndACancelledSend)
{
    const auto layer = load();
    mapi::MailHost host = localSmtp(1);  // nothing listens there
    EXPECT_EQ(SendDocumentThroughLayer(*layer, host, picture), mapi::MAPI_E_NETWORK_FAILURE);
    ASSERT_EQ(recorder.failures.size(), 1u);
    EXPECT_TRUE(recorder.failures[0].starts_with(LoadString(7300)));

    ServerProcess server("sharing/tests/smtp_sink.py", {"--out", out().string()});
    ASSERT_TRUE(server.started());
    host.smtpPort = server.port();
    recorder.failures.clear();
    recorder.cancel = true;
    EXPECT_EQ(SendDocumentThroughLayer(*layer, host, picture), mapi::MAPI_USER_ABORT);
    EXPECT_TRUE(recorder.failures.empty());
    EXPECT_FALSE(std::filesystem::exists(out() / "1.eml"));
}

TEST_F(MailLayerTest, AServerThatFallsSilentIsGivenUpAfterTheSilenceLimitAndSaidSo)
{
    EXPECT_EQ(kSmtpSilenceSeconds, 30);
    for (const char* when : {"data", "body"}) {
        SCOPED_TRACE(when);
        ServerProcess server("sharing/tests/smtp_sink.py", {"--out", out().string(), "--silent-after", when});
        ASSERT_TRUE(server.started());
        SmtpAccount account;
        account.host = "127.0.0.1";
        account.port = server.port();
        account.security = mapi::SmtpSecurity::None;
        account.silenceSeconds = 1;
        const auto started = std::chrono::steady_clock::now();
        const SmtpOutcome outcome =
            SendBySmtp(account, {"ana@exemplo.com.br", {"bia@exemplo.com"}}, "Subject: oi\r\n\r\nfoto\r\n", {});
        const auto waited = std::chrono::steady_clock::now() - started;
        EXPECT_EQ(outcome.failure, SmtpFailure::Silent) << outcome.detail;
        EXPECT_LT(waited, std::chrono::seconds(10)) << "the reply wait kept its own two minutes";
        EXPECT_TRUE(SmtpFailureText(outcome, account)
                        .starts_with("O servidor de e-mail parou de responder: nada chegou dele em 1 segundos."))
            << SmtpFailureText(outcome, account);
    }
    EXPECT_FALSE(std::filesystem::exists(out() / "1.eml"));
}

class DesktopMail : public MailLayerTest {
protected:
    DesktopMail()
    {
        const std::filesystem::path bin = dir.path() / "bin";
        std::filesystem::create_directories(bin);
        const std::string script = (bin / "xdg-email").string();
        std::ofstream(script) << "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > " << dir.file("args")
                              << "\nexit ${XDG_EMAIL_EXIT:-0}\n";
        std::filesystem::permissions(script, std::filesystem::perms::owner_all);
        savedPath_ = std::getenv("PATH");
        setenv("PATH", (bin.string() + ":" + savedPath_).c_str(), 1);
    }
    ~DesktopMail() override
    {
        setenv("PATH", savedPath_.c_str(), 1);
        unsetenv("XDG_EMAIL_EXIT");
    }
    std::vector<std::string> arguments() const { return Lines(dir.file("args")); }

private:
    std::string savedPath_;
};

TEST_F(DesktopMail, WithoutAnAccountTheDesktopsMailProgramGetsTheFileAndFields)
{
    const auto layer = load();
    mapi::MailHost host = Host(recorder);
    host.to = "bia@exemplo.com;-x@y";
    host.subject = "Fotos";
    host.body = "Olá";
    const std::string odd = dir.file("a;b.jpg");
    std::filesystem::copy_file(picture, odd);
    EXPECT_EQ(SendDocumentThroughLayer(*layer, host, odd), mapi::SUCCESS_SUCCESS);
    EXPECT_EQ(arguments(), (std::vector<std::string>{"--utf8", "--subject", "Fotos", "--body", "Olá", "--attach", odd,
                                                     "bia@exemplo.com"}));
    setenv("XDG_EMAIL_EXIT", "4", 1);
    EXPECT_EQ(SendDocumentThroughLayer(*layer, host, picture), mapi::MAPI_E_FAILURE);
    ASSERT_EQ(recorder.failures.size(), 1u);
    EXPECT_EQ(recorder.failures[0], LoadString(7309));
}

TEST_F(DesktopMail, SendMailTakesTheMessagesOwnFields)
{
    const auto layer = load();
    mapi::MailHost host = Host(recorder);
    host.to = "ignorado@exemplo.com";
    char subject[] = "Assunto";
    char note[] = "Texto";
    char address[] = "SMTP:bia@exemplo.com";
    mapi::MapiRecipDesc recipient{0, mapi::MAPI_TO, nullptr, address, 0, nullptr};
    mapi::MapiFileDesc file{0, 0, 0, picture.data(), nullptr, nullptr};
    mapi::MapiMessage message{0, subject, note, nullptr, nullptr, nullptr, 0, nullptr, 1, &recipient, 1, &file};
    EXPECT_EQ(layer->sendMail(0, reinterpret_cast<mapi::ULONG_PTR>(&host), &message, 0, 0), mapi::SUCCESS_SUCCESS);
    EXPECT_EQ(arguments(), (std::vector<std::string>{"--utf8", "--subject", "Assunto", "--body", "Texto", "--attach",
                                                     picture, "bia@exemplo.com"}));
    // A record too short to be a host is refused, as is a logoff of no session.
    mapi::MailHost shortHost = host;
    shortHost.size = 8;
    mapi::LHANDLE session = 0;
    EXPECT_EQ(layer->logon(reinterpret_cast<mapi::ULONG_PTR>(&shortHost), nullptr, nullptr, 3, 0, &session),
              mapi::MAPI_E_LOGON_FAILURE);
    EXPECT_EQ(layer->logoff(12345, 0, 0, 0), mapi::MAPI_E_INVALID_SESSION);
}

}  // namespace
}  // namespace lv::sharing
