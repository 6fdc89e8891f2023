#pragma once
// The program's mail layer speaks the Simple-MAPI calls: log on, send documents (or a whole
// message), log off. It is a shared library of its own (liblvmapi.so in the program folder)
// loaded when mail goes out. The caller's "window" parameter carries a MailHost record: the
// screen's fields, the account to send through and the caller's progress and messages.

#include <cstdint>

namespace lv::sharing::mapi {

using ULONG = std::uint32_t;
using FLAGS = std::uint32_t;
using ULONG_PTR = std::uintptr_t;
using LHANDLE = std::uintptr_t;
using LPSTR = char*;

inline constexpr ULONG SUCCESS_SUCCESS = 0;
inline constexpr ULONG MAPI_USER_ABORT = 1;
inline constexpr ULONG MAPI_E_FAILURE = 2;
inline constexpr ULONG MAPI_E_LOGON_FAILURE = 3;
inline constexpr ULONG MAPI_E_INSUFFICIENT_MEMORY = 5;
inline constexpr ULONG MAPI_E_ATTACHMENT_NOT_FOUND = 11;
inline constexpr ULONG MAPI_E_ATTACHMENT_OPEN_FAILURE = 12;
inline constexpr ULONG MAPI_E_UNKNOWN_RECIPIENT = 14;
inline constexpr ULONG MAPI_E_INVALID_SESSION = 19;
inline constexpr ULONG MAPI_E_NETWORK_FAILURE = 23;

inline constexpr FLAGS MAPI_LOGON_UI = 0x1;
inline constexpr FLAGS MAPI_NEW_SESSION = 0x2;
inline constexpr ULONG MAPI_TO = 1;

struct MapiRecipDesc {
    ULONG ulReserved;
    ULONG ulRecipClass;
    LPSTR lpszName;
    LPSTR lpszAddress;
    ULONG ulEIDSize;
    void* lpEntryID;
};

struct MapiFileDesc {
    ULONG ulReserved;
    ULONG flFlags;
    ULONG nPosition;
    LPSTR lpszPathName;
    LPSTR lpszFileName;
    void* lpFileType;
};

struct MapiMessage {
    ULONG ulReserved;
    LPSTR lpszSubject;
    LPSTR lpszNoteText;
    LPSTR lpszMessageType;
    LPSTR lpszDateReceived;
    LPSTR lpszConversationID;
    FLAGS flFlags;
    MapiRecipDesc* lpOriginator;
    ULONG nRecipCount;
    MapiRecipDesc* lpRecips;
    ULONG nFileCount;
    MapiFileDesc* lpFiles;
};

enum class SmtpSecurity : std::int32_t { None = 0, StartTls = 1, Tls = 2 };

// What the caller hands the layer through the window parameter. Null texts count as empty.
// Without an SMTP host the message goes to the desktop's mail program.
struct MailHost {
    std::uint32_t size;  // sizeof(MailHost): later layers may read more
    const char* to;       // addresses separated by ";" or ","
    const char* subject;
    const char* body;
    const char* from;     // the sender; the account's user name when empty
    const char* smtpHost;
    std::int32_t smtpPort;  // 0: the security's usual port
    SmtpSecurity smtpSecurity;
    const char* smtpUser;
    const char* smtpPassword;
    const char* caFile;   // a further certificate to trust (a self-signed server)
    void* context;
    // Share of the message sent, 0 to 100; called on the sending thread.
    void (*progress)(void* context, int percent);
    // Non-zero stops the transfer.
    int (*cancelled)(void* context);
    // Why sending failed, in words for the user.
    void (*failure)(void* context, const char* message);
};

using MapiLogonFunction = ULONG (*)(ULONG_PTR uiParam, LPSTR profile, LPSTR password, FLAGS flags, ULONG reserved,
                                    LHANDLE* session);
using MapiLogoffFunction = ULONG (*)(LHANDLE session, ULONG_PTR uiParam, FLAGS flags, ULONG reserved);
using MapiSendMailFunction = ULONG (*)(LHANDLE session, ULONG_PTR uiParam, MapiMessage* message, FLAGS flags,
                                       ULONG reserved);
using MapiSendDocumentsFunction = ULONG (*)(ULONG_PTR uiParam, LPSTR delimiters, LPSTR paths, LPSTR names,
                                            ULONG reserved);

}  // namespace lv::sharing::mapi
