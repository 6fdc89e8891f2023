#pragma once
// The program's side of the mail layer: loading liblvmapi.so with its four calls, and one
// send of a file: log on, send the document, log off.

#include "sharing/mapi/simple_mapi.h"
#include "sharing/shared_library.h"

#include <filesystem>
#include <optional>
#include <string>

namespace lv::sharing {

inline constexpr char kMailLayerLibrary[] = "liblvmapi.so";
inline constexpr int kMailLayerMissingString = 2609;
inline constexpr int kMailLayerCallsMissingString = 2610;

struct MailLayer {
    SharedLibrary library;
    mapi::MapiLogonFunction logon = nullptr;
    mapi::MapiLogoffFunction logoff = nullptr;
    mapi::MapiSendMailFunction sendMail = nullptr;
    mapi::MapiSendDocumentsFunction sendDocuments = nullptr;
};

// The library and its calls (named by strings 2605-2608); 2609 when the library can't be
// loaded, 2610 when a call is missing, each in the warning box.
std::optional<MailLayer> LoadMailLayer(const std::filesystem::path& library);

// Logs on for a new session (the layer may ask), sends the file and logs off. The send's
// result, or the logon's when it refused.
mapi::ULONG SendDocumentThroughLayer(const MailLayer& layer, const mapi::MailHost& host, const std::string& path);

}  // namespace lv::sharing
