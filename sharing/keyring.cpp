#include "sharing/keyring.h"

#include "sharing/child_process.h"

#include <vector>

namespace lv::sharing {
namespace {

std::vector<std::string> Command(std::string verb, const SecretAttributes& attributes, const std::string& label = {})
{
    std::vector<std::string> args = {kKeyringTool, std::move(verb)};
    if (!label.empty())
        args.push_back("--label=" + label);
    for (const auto& [name, value] : attributes) {
        args.push_back(name);
        args.push_back(value);
    }
    return args;
}

}  // namespace

SecretAttributes SmtpSecretAttributes(const std::string& host, const std::string& user)
{
    return {{"service", "lumivista-smtp"}, {"server", host}, {"user", user}};
}

bool KeyringAvailable()
{
    return FindOnPath(kKeyringTool).has_value();
}

std::optional<std::string> LookupSecret(const SecretAttributes& attributes)
{
    if (!KeyringAvailable())
        return std::nullopt;
    ProgramResult r = RunProgram(Command("lookup", attributes));
    if (r.exitCode != 0)
        return std::nullopt;
    // The tool ends the secret with a line feed only when writing to a terminal; drop one anyway.
    if (!r.output.empty() && r.output.back() == '\n')
        r.output.pop_back();
    return r.output;
}

bool StoreSecret(const std::string& label, const SecretAttributes& attributes, const std::string& secret)
{
    return KeyringAvailable() && RunProgram(Command("store", attributes, label), secret).exitCode == 0;
}

bool ForgetSecret(const SecretAttributes& attributes)
{
    return KeyringAvailable() && RunProgram(Command("clear", attributes)).exitCode == 0;
}

}  // namespace lv::sharing
