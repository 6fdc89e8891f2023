#include "sharing/sharing_settings.h"

#include "common/profile.h"
#include "sharing/mail/smaller_copy.h"

#include <vector>

namespace lv::sharing {
namespace {

constexpr std::size_t kMaxValueBytes = 1024;

std::string Text(const std::filesystem::path& file, const char* key, std::string_view def = {})
{
    return profile::ReadString(file, kSharingSection, key, def, kMaxValueBytes);
}

int Number(const std::filesystem::path& file, const char* key, int def)
{
    return profile::ReadInt(file, kSharingSection, key, def);
}

}  // namespace

SharingSettings ReadSharingSettings(const std::filesystem::path& file)
{
    SharingSettings s;
    s.mailClient = Text(file, "MailClient");
    s.smtpHost = Text(file, "SmtpHost");
    s.smtpPort = Number(file, "SmtpPort", 0);
    if (s.smtpPort < 0 || s.smtpPort > 65535)
        s.smtpPort = 0;
    const int security = Number(file, "SmtpSecurity", int(mapi::SmtpSecurity::StartTls));
    s.smtpSecurity = security >= 0 && security <= 2 ? mapi::SmtpSecurity(security) : mapi::SmtpSecurity::StartTls;
    s.smtpUser = Text(file, "SmtpUser");
    s.smtpFrom = Text(file, "SmtpFrom");
    s.smtpCertificate = Text(file, "SmtpCertificate");
    s.smallerCopy = Number(file, "SmallerCopy", 0);
    if (!ValidSmallerSide(s.smallerCopy))
        s.smallerCopy = 0;
    s.storeServer = Text(file, "StoreServer", kDefaultStoreServer);
    if (s.storeServer.empty())
        s.storeServer = kDefaultStoreServer;
    s.storeCertificate = Text(file, "StoreCertificate");
    s.storeWebSite = Text(file, "StoreWebSite");
    return s;
}

bool WriteSharingSettings(const std::filesystem::path& file, const SharingSettings& s)
{
    const std::vector<profile::Entry> entries = {
        {"MailClient", s.mailClient},
        {"SmtpHost", s.smtpHost},
        {"SmtpPort", std::to_string(s.smtpPort)},
        {"SmtpSecurity", std::to_string(int(s.smtpSecurity))},
        {"SmtpUser", s.smtpUser},
        {"SmtpFrom", s.smtpFrom},
        {"SmtpCertificate", s.smtpCertificate},
        {"SmallerCopy", std::to_string(s.smallerCopy)},
        {"StoreServer", s.storeServer},
        {"StoreCertificate", s.storeCertificate},
        {"StoreWebSite", s.storeWebSite},
    };
    return profile::WriteSection(file, kSharingSection, entries);
}

}  // namespace lv::sharing
