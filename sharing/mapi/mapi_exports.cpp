// The Simple-MAPI calls of liblvmapi.so. A session is only a ticket here: the account and
// the fields come with every call in the MailHost record.

#include "sharing/mapi/document_paths.h"
#include "sharing/mapi/mail_layer.h"
#include "sharing/mapi/simple_mapi.h"

#include <mutex>
#include <set>

using namespace lv::sharing;
using namespace lv::sharing::mapi;

namespace {

class Sessions {
public:
    LHANDLE open()
    {
        const std::lock_guard lock(mutex_);
        const LHANDLE session = next_++;
        open_.insert(session);
        return session;
    }
    bool close(LHANDLE session)
    {
        const std::lock_guard lock(mutex_);
        return open_.erase(session) > 0;
    }

private:
    std::mutex mutex_;
    std::set<LHANDLE> open_;
    LHANDLE next_ = 1;
};

Sessions& OpenSessions()
{
    static Sessions sessions;
    return sessions;
}

std::vector<std::string> MessageFiles(const MapiMessage& message)
{
    std::vector<std::string> files;
    for (ULONG i = 0; i < message.nFileCount; ++i)
        if (message.lpFiles[i].lpszPathName && *message.lpFiles[i].lpszPathName)
            files.emplace_back(message.lpFiles[i].lpszPathName);
    return files;
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) ULONG MAPILogon(ULONG_PTR uiParam, LPSTR, LPSTR, FLAGS, ULONG, LHANDLE* session)
{
    const MailHost* host = CheckedHost(uiParam);
    if (!session || !host || !MailLayerReady(*host))
        return MAPI_E_LOGON_FAILURE;
    *session = OpenSessions().open();
    return SUCCESS_SUCCESS;
}

__attribute__((visibility("default"))) ULONG MAPILogoff(LHANDLE session, ULONG_PTR, FLAGS, ULONG)
{
    return OpenSessions().close(session) ? SUCCESS_SUCCESS : MAPI_E_INVALID_SESSION;
}

__attribute__((visibility("default"))) ULONG MAPISendDocuments(ULONG_PTR uiParam, LPSTR delimiters, LPSTR paths, LPSTR,
                                                                ULONG)
{
    const MailHost* host = CheckedHost(uiParam);
    if (!host)
        return MAPI_E_FAILURE;
    const std::string_view separators = delimiters && *delimiters ? delimiters : ";";
    return SendDraft(*host, DraftFromHost(*host, SplitPaths(paths ? paths : "", separators)));
}

// The message's own subject, text, recipients and files take the place of the host's fields.
__attribute__((visibility("default"))) ULONG MAPISendMail(LHANDLE, ULONG_PTR uiParam, MapiMessage* message, FLAGS,
                                                           ULONG)
{
    const MailHost* host = CheckedHost(uiParam);
    if (!host || !message)
        return MAPI_E_FAILURE;
    MailDraft draft = DraftFromHost(*host, MessageFiles(*message));
    draft.subject = message->lpszSubject ? message->lpszSubject : "";
    draft.body = message->lpszNoteText ? message->lpszNoteText : "";
    draft.to.clear();
    for (ULONG i = 0; i < message->nRecipCount; ++i)
        if (const char* address = message->lpRecips[i].lpszAddress) {
            std::string_view text = address;
            if (text.starts_with("SMTP:"))
                text.remove_prefix(5);
            for (Mailbox& m : SplitMailboxes(text))
                draft.to.push_back(std::move(m));
        }
    return SendDraft(*host, draft);
}

}  // extern "C"
