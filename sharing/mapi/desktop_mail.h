#pragma once
// Handing a message to the desktop's mail program: "xdg-email" opens a new message in the
// user's own mail program with the fields filled in and the files attached; the user sends it.

#include "sharing/mapi/mail_draft.h"

#include <string>
#include <vector>

namespace lv::sharing {

inline constexpr char kDesktopMailCommand[] = "xdg-email";

// The command's arguments for the draft (without the sender, which the mail program knows).
std::vector<std::string> DesktopMailArguments(const MailDraft& draft);

bool DesktopMailAvailable();

// True when the mail program took the message.
bool OpenInDesktopMail(const MailDraft& draft);

}  // namespace lv::sharing
