#include "sharing/mapi/mime_message.h"

#include "sharing/net/curl_support.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>

namespace lv::sharing {
namespace {

constexpr char kBase64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr std::size_t kBase64LineChars = 76;
constexpr std::size_t kEncodedWordChars = 75;
constexpr std::string_view kWordStart = "=?UTF-8?B?";
constexpr std::string_view kWordEnd = "?=";

std::string Base64(std::span<const std::uint8_t> bytes)
{
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        const std::uint32_t v = std::uint32_t(bytes[i]) << 16 | std::uint32_t(bytes[i + 1]) << 8 | bytes[i + 2];
        out += kBase64[v >> 18];
        out += kBase64[(v >> 12) & 63];
        out += kBase64[(v >> 6) & 63];
        out += kBase64[v & 63];
    }
    if (const std::size_t rest = bytes.size() - i) {
        const std::uint32_t v = std::uint32_t(bytes[i]) << 16 | (rest == 2 ? std::uint32_t(bytes[i + 1]) << 8 : 0);
        out += kBase64[v >> 18];
        out += kBase64[(v >> 12) & 63];
        out += rest == 2 ? kBase64[(v >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

std::span<const std::uint8_t> Bytes(std::string_view text)
{
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

bool PlainAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= ' ' && c < 127; });
}

// The length of the UTF-8 character starting with this byte (1 for stray bytes).
std::size_t CharacterLength(unsigned char lead)
{
    if (lead >= 0xF0)
        return 4;
    if (lead >= 0xE0)
        return 3;
    if (lead >= 0xC0)
        return 2;
    return 1;
}

std::string SingleLine(std::string_view text)
{
    std::string single(text);
    std::replace_if(single.begin(), single.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return single;
}

std::string Quoted(std::string_view name)
{
    std::string out = "\"";
    for (const char c : name) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + '"';
}

// RFC 2231: filename*=UTF-8''percent-encoded.
std::string ExtendedFileName(std::string_view name)
{
    return "UTF-8''" + PercentEncode(name, ".-_");
}

std::string FileNameParameters(std::string_view name)
{
    if (PlainAscii(name))
        return "filename=" + Quoted(name);
    return "filename*=" + ExtendedFileName(name);
}

std::string LineEndsCrLf(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 32);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            out += "\r\n";
        } else if (text[i] == '\n') {
            out += "\r\n";
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

std::string Base64Lines(std::span<const std::uint8_t> bytes)
{
    const std::string flat = Base64(bytes);
    std::string out;
    out.reserve(flat.size() + flat.size() / kBase64LineChars * 2 + 2);
    for (std::size_t i = 0; i < flat.size(); i += kBase64LineChars) {
        out.append(flat, i, kBase64LineChars);
        out += "\r\n";
    }
    return out;
}

std::string EncodeHeaderText(std::string_view text)
{
    const std::string single = SingleLine(text);
    if (PlainAscii(single))
        return single;
    // Each word's payload: whole characters, at most what fits in 75 characters encoded.
    constexpr std::size_t payloadBytes = (kEncodedWordChars - kWordStart.size() - kWordEnd.size()) / 4 * 3;
    std::string out;
    std::size_t i = 0;
    while (i < single.size()) {
        std::size_t end = i;
        while (end < single.size()) {
            const std::size_t next = end + CharacterLength(static_cast<unsigned char>(single[end]));
            if (next - i > payloadBytes)
                break;
            end = std::min(next, single.size());
        }
        if (!out.empty())
            out += "\r\n ";
        out += kWordStart;
        out += Base64(Bytes(std::string_view(single).substr(i, end - i)));
        out += kWordEnd;
        i = end;
    }
    return out;
}

std::string MailboxHeader(const Mailbox& mailbox)
{
    if (mailbox.name.empty())
        return mailbox.address;
    // The characters that would end or split a plain display name.
    constexpr std::string_view kSpecials = "()<>[]:;@\\,.\"";
    std::string name = SingleLine(mailbox.name);
    if (!PlainAscii(name))
        name = EncodeHeaderText(name);
    else if (name.find_first_of(kSpecials) != std::string::npos || name.find("=?") != std::string::npos)
        name = Quoted(name);
    return name + " <" + mailbox.address + ">";
}

std::string_view ContentTypeForName(std::string_view fileName)
{
    const std::size_t dot = fileName.rfind('.');
    std::string extension = dot == std::string_view::npos ? std::string() : std::string(fileName.substr(dot + 1));
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 9> kTypes = {{
        {"jpg", "image/jpeg"}, {"jpeg", "image/jpeg"}, {"jpe", "image/jpeg"}, {"png", "image/png"},
        {"gif", "image/gif"}, {"bmp", "image/bmp"}, {"tif", "image/tiff"}, {"tiff", "image/tiff"},
        {"tga", "image/x-tga"},
    }};
    for (const auto& [ext, type] : kTypes)
        if (extension == ext)
            return type;
    return "application/octet-stream";
}

std::string MailDate(std::time_t time)
{
    std::tm utc{};
    gmtime_r(&time, &utc);
    std::array<char, 64> text{};
    // The C locale's names: the header's words are English whatever the user's language.
    static constexpr std::array<const char*, 7> kDays = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static constexpr std::array<const char*, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                             "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::snprintf(text.data(), text.size(), "%s, %02d %s %d %02d:%02d:%02d +0000", kDays[std::size_t(utc.tm_wday)],
                  utc.tm_mday, kMonths[std::size_t(utc.tm_mon)], utc.tm_year + 1900, utc.tm_hour, utc.tm_min,
                  utc.tm_sec);
    return text.data();
}

std::string ComposeMime(const MimeMessage& m)
{
    const std::string boundary = "=_lumivista_" + m.uniqueId;
    const std::size_t at = m.from.rfind('@');
    const std::string domain = at == std::string::npos ? "lumivista.invalid" : m.from.substr(at + 1);

    std::string out;
    out += "From: " + m.from + "\r\n";
    out += "To: ";
    for (std::size_t i = 0; i < m.to.size(); ++i)
        out += (i ? ",\r\n " : "") + MailboxHeader(m.to[i]);
    out += "\r\n";
    out += "Subject: " + EncodeHeaderText(m.subject) + "\r\n";
    out += "Date: " + MailDate(m.date) + "\r\n";
    out += "Message-ID: <" + m.uniqueId + "@" + domain + ">\r\n";
    out += "MIME-Version: 1.0\r\n";
    out += "X-Mailer: Lumivista 2000\r\n";
    out += "Content-Type: multipart/mixed; boundary=\"" + boundary + "\"\r\n";
    out += "\r\n";
    out += "This is a message in MIME format.\r\n";

    out += "\r\n--" + boundary + "\r\n";
    out += "Content-Type: text/plain; charset=UTF-8\r\n";
    out += "Content-Transfer-Encoding: base64\r\n\r\n";
    out += Base64Lines(Bytes(LineEndsCrLf(m.body)));

    for (const MimeAttachment& a : m.attachments) {
        out += "\r\n--" + boundary + "\r\n";
        out += "Content-Type: " + std::string(ContentTypeForName(a.fileName)) + "\r\n";
        out += "Content-Transfer-Encoding: base64\r\n";
        out += "Content-Disposition: attachment;\r\n " + FileNameParameters(a.fileName) + "\r\n\r\n";
        out += Base64Lines(a.bytes);
    }
    out += "\r\n--" + boundary + "--\r\n";
    return out;
}

}  // namespace lv::sharing
