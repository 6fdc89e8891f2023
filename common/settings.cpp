#include "common/settings.h"

#include "common/profile.h"
#include "common/string_table.h"
#include "common/text_encoding.h"

namespace lv {
namespace {

int readInt(const SettingsStore& store, std::string_view section, std::string_view key, int def)
{
    return profile::ProfileIntOr(store.read(section, key), def);
}

std::string readText(const SettingsStore& store, std::string_view section, std::string_view key,
                     std::string_view def, std::size_t maxBytes)
{
    return profile::ProfileTextOr(store.read(section, key), def, maxBytes);
}

}  // namespace

std::string SettingKeyName(int keyId)
{
    return std::string(TruncateUtf8(LoadString(keyId), 31));
}

int Settings::getInt(int keyId, int def) const
{
    return readInt(*store_, setting::kUsuarioSection, SettingKeyName(keyId), def);
}

bool Settings::setInt(int keyId, int value)
{
    return store_->write(setting::kUsuarioSection, SettingKeyName(keyId), std::to_string(value));
}

std::string Settings::getString(int keyId, std::string_view def) const
{
    return readText(*store_, setting::kUsuarioSection, SettingKeyName(keyId), def, kSettingTextBytes);
}

bool Settings::setString(int keyId, std::string_view value)
{
    return store_->write(setting::kUsuarioSection, SettingKeyName(keyId), value);
}

bool Settings::userGetBool(std::string_view name, bool def) const
{
    return readInt(*store_, setting::kUserSection, name, def ? 1 : 0) > 0;
}

int Settings::userGetInt(std::string_view name, int def) const
{
    return readInt(*store_, setting::kUserSection, name, def);
}

std::string Settings::userGetString(std::string_view name, std::string_view def) const
{
    return readText(*store_, setting::kUserSection, name, def, kUserTextBytes);
}

bool Settings::userSetString(std::string_view name, std::string_view value)
{
    return store_->write(setting::kUserSection, name, value);
}

bool Settings::userSetInt(std::string_view name, int value)
{
    return store_->write(setting::kUserSection, name, std::to_string(value));
}

bool Settings::userSetBool(std::string_view name, bool value)
{
    return store_->write(setting::kUserSection, name, value ? "1" : "0");
}

}  // namespace lv
