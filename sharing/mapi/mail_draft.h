#pragma once
// A message as the mail layer sends it: who from and to, subject, text and the files.

#include <string>
#include <string_view>
#include <vector>

namespace lv::sharing {

// A recipient as typed: the name a mail program shows (may be empty) and the address.
struct Mailbox {
    std::string name;
    std::string address;
    bool operator==(const Mailbox&) const = default;
};

struct MailDraft {
    std::string from;
    std::vector<Mailbox> to;
    std::string subject;
    std::string body;
    std::vector<std::string> attachments;  // paths
};

// "a@b.com; Ana <c@d.org>, \"Lima, Bia\" <e@f>" → the recipients, in order. A separator
// inside quotes or angle brackets does not split; blank entries are skipped.
std::vector<Mailbox> SplitMailboxes(std::string_view list);
std::vector<std::string> AddressesOf(const std::vector<Mailbox>& mailboxes);

// One "@" with something on each side, no blanks, controls or angle brackets: what an SMTP
// server can take as a mailbox without the message's headers breaking.
bool PlausibleAddress(std::string_view address);

}  // namespace lv::sharing
