#pragma once
// Passwords in the user's key ring, through libsecret's "secret-tool" when it is installed:
// never in the configuration file. Each is found by its attributes.

#include <map>
#include <optional>
#include <string>

namespace lv::sharing {

inline constexpr char kKeyringTool[] = "secret-tool";

using SecretAttributes = std::map<std::string, std::string>;

// The SMTP account's password: service "lumivista-smtp", the server and the user.
SecretAttributes SmtpSecretAttributes(const std::string& host, const std::string& user);

bool KeyringAvailable();
std::optional<std::string> LookupSecret(const SecretAttributes& attributes);
bool StoreSecret(const std::string& label, const SecretAttributes& attributes, const std::string& secret);
bool ForgetSecret(const SecretAttributes& attributes);

}  // namespace lv::sharing
