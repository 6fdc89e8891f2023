#pragma once
// The sharing settings of the configuration file, section "SHARING": the mail client, the
// SMTP account (its password lives in the key ring, never here), the smaller copy, and the
// photo service's addresses.

#include "sharing/mapi/simple_mapi.h"

#include <filesystem>
#include <string>

namespace lv::sharing {

inline constexpr char kSharingSection[] = "SHARING";
// A reserved name: nothing answers there until the user sets the service's address.
inline constexpr char kDefaultStoreServer[] = "https://loja.harborlyn.example/";

struct SharingSettings {
    std::string mailClient;  // the client's executable; empty for none
    std::string smtpHost;    // empty: the desktop's mail program
    int smtpPort = 0;
    mapi::SmtpSecurity smtpSecurity = mapi::SmtpSecurity::StartTls;
    std::string smtpUser;
    std::string smtpFrom;
    std::string smtpCertificate;  // a further certificate to trust
    int smallerCopy = 0;          // 0, 1024 or 1600
    std::string storeServer = kDefaultStoreServer;
    std::string storeCertificate;
    std::string storeWebSite;  // empty: the service's own address

    bool operator==(const SharingSettings&) const = default;
    const std::string& webSite() const { return storeWebSite.empty() ? storeServer : storeWebSite; }
};

// Values out of range read as their defaults.
SharingSettings ReadSharingSettings(const std::filesystem::path& configFile);
bool WriteSharingSettings(const std::filesystem::path& configFile, const SharingSettings& settings);

}  // namespace lv::sharing
