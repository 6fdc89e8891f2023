#pragma once
// A message as the mail layer sends it: who from and to, subject, text and the files.

#include <string>
#include <vector>

namespace lv::sharing {

struct MailDraft {
    std::string from;
    std::vector<std::string> to;
    std::string subject;
    std::string body;
    std::vector<std::string> attachments;  // paths
};

// "a@b.com; Ana <c@d.org>, e@f" → the bare addresses, in order. Blank entries are skipped.
std::vector<std::string> SplitAddresses(std::string_view list);

// One "@" with something on each side, no blanks, controls or angle brackets: what an SMTP
// server can take as a mailbox without the message's headers breaking.
bool PlausibleAddress(std::string_view address);

}  // namespace lv::sharing
