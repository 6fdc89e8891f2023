#pragma once
// An Internet message with the text and the pictures attached: headers in UTF-8 encoded
// words where they need them, the text and every file in base64 lines of 76 characters,
// CRLF line ends throughout.

#include "sharing/mapi/mail_draft.h"

#include <cstdint>
#include <ctime>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lv::sharing {

struct MimeAttachment {
    std::string fileName;
    std::vector<std::uint8_t> bytes;
};

struct MimeMessage {
    std::string from;
    std::vector<Mailbox> to;
    std::string subject;
    std::string body;
    std::vector<MimeAttachment> attachments;
    std::time_t date = 0;
    std::string uniqueId;  // makes the Message-ID and the part boundary
};

std::string ComposeMime(const MimeMessage& message);

// The bytes in base64, broken into lines of 76 characters, each ending in CRLF.
std::string Base64Lines(std::span<const std::uint8_t> bytes);
// A header value: as it is when plain printable ASCII, else UTF-8 encoded words of at most
// 75 characters (never splitting a character). Line breaks become blanks.
std::string EncodeHeaderText(std::string_view text);
// A recipient for the To field: the bare address, or the name (quoted where it holds
// punctuation, encoded words where it is not plain ASCII) and the address in angle brackets.
std::string MailboxHeader(const Mailbox& mailbox);
// The type a picture file is sent as, by its extension.
std::string_view ContentTypeForName(std::string_view fileName);
// "Tue, 01 Feb 2000 13:05:09 +0000".
std::string MailDate(std::time_t time);

}  // namespace lv::sharing
