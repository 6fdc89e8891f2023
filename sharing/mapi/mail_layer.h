#pragma once
// The mail layer's work behind its Simple-MAPI calls: a message from the caller's MailHost
// and the files, sent through the configured SMTP account or handed to the desktop's mail
// program.

#include "sharing/mapi/mail_draft.h"
#include "sharing/mapi/simple_mapi.h"

#include <string>
#include <string_view>
#include <vector>

namespace lv::sharing {

// Larger attachments are refused before anything is read: no mail server takes them.
inline constexpr std::uint64_t kMaxAttachmentBytes = 100u << 20;

// The host's record, checked: null for a missing or too short one.
const mapi::MailHost* CheckedHost(mapi::ULONG_PTR uiParam);

// Whether the host names an SMTP account, or else the desktop's mail program is there.
bool MailLayerReady(const mapi::MailHost& host);

// The host's fields and the files as one draft.
MailDraft DraftFromHost(const mapi::MailHost& host, std::vector<std::string> attachments);

// Sends the draft; failures are told through the host's failure function.
mapi::ULONG SendDraft(const mapi::MailHost& host, const MailDraft& draft);

}  // namespace lv::sharing
