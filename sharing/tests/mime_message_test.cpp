#include "common/text_encoding.h"
#include "sharing/mapi/document_paths.h"
#include "sharing/mapi/mail_draft.h"
#include "sharing/mapi/mime_message.h"

#include <gtest/gtest.h>

#include <random>

namespace lv::sharing {
namespace {

std::vector<std::uint8_t> DecodeBase64(std::string_view text)
{
    std::vector<std::uint8_t> out;
    std::uint32_t bits = 0;
    int count = 0;
    for (const char c : text) {
        int v = -1;
        if (c >= 'A' && c <= 'Z') v = c - 'A';
        else if (c >= 'a' && c <= 'z') v = c - 'a' + 26;
        else if (c >= '0' && c <= '9') v = c - '0' + 52;
        else if (c == '+') v = 62;
        else if (c == '/') v = 63;
        if (v < 0)
            continue;
        bits = bits << 6 | std::uint32_t(v);
        if (++count == 4) {
            out.push_back(std::uint8_t(bits >> 16));
            out.push_back(std::uint8_t(bits >> 8));
            out.push_back(std::uint8_t(bits));
            bits = 0;
            count = 0;
        }
    }
    if (count == 3) {
        out.push_back(std::uint8_t(bits >> 10));
        out.push_back(std::uint8_t(bits >> 2));
    } else if (count == 2) {
        out.push_back(std::uint8_t(bits >> 4));
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

TEST(Base64, EveryLengthAndByteRoundTrips)
{
    std::mt19937 random(7);
    for (std::size_t n = 0; n < 300; ++n) {
        std::vector<std::uint8_t> bytes(n);
        for (auto& b : bytes)
            b = std::uint8_t(random());
        const std::string text = Base64Lines(bytes);
        std::size_t start = 0;
        for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
            ASSERT_LE(end - start, 76u);
        ASSERT_EQ(start, text.size());
        ASSERT_EQ(DecodeBase64(text), bytes) << n;
    }
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

TEST(MimeMessage, HeadersPartsAndTheAttachmentRoundTrip)
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

    EXPECT_NE(text.find("From: ana@exemplo.com.br\r\n"), std::string::npos);
    EXPECT_NE(text.find("To: bia@exemplo.com,\r\n caio@exemplo.org\r\n"), std::string::npos);
    EXPECT_NE(text.find("Subject: =?UTF-8?B?T2zDoQ==?=\r\n"), std::string::npos);
    EXPECT_NE(text.find("Date: Tue, 01 Feb 2000 13:05:09 +0000\r\n"), std::string::npos);
    EXPECT_NE(text.find("Message-ID: <abc.123@exemplo.com.br>\r\n"), std::string::npos);
    EXPECT_NE(text.find("Content-Type: image/jpeg\r\n"), std::string::npos);
    EXPECT_NE(text.find("filename=\"praia \\\"1\\\".jpg\""), std::string::npos);
    EXPECT_TRUE(text.ends_with("\r\n--=_lumivista_abc.123--\r\n"));
    // No bare line feeds anywhere.
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << i;
        }
    }

    const std::string boundary = "\r\n--=_lumivista_abc.123\r\n";
    const std::size_t textPart = text.find(boundary);
    const std::size_t filePart = text.find(boundary, textPart + 1);
    ASSERT_NE(filePart, std::string::npos);
    const std::size_t bodyStart = text.find("\r\n\r\n", textPart + boundary.size()) + 4;
    const auto body = DecodeBase64(text.substr(bodyStart, filePart - bodyStart));
    EXPECT_EQ(std::string(body.begin(), body.end()), "linha 1\r\nlinha 2\r\nfim");
    const std::size_t fileStart = text.find("\r\n\r\n", filePart + boundary.size()) + 4;
    EXPECT_EQ(DecodeBase64(text.substr(fileStart, text.rfind("\r\n--") - fileStart)), m.attachments[0].bytes);
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

}  // namespace
}  // namespace lv::sharing
