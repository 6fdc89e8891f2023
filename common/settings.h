#pragma once
// The two families of configuration access: section "USUÁRIO" keyed by string-table ids,
// section "USER" keyed by names. Each call reads or writes the store at once.

#include "common/settings_keys.h"
#include "common/settings_store.h"

#include <string>
#include <string_view>

namespace lv {

class Settings {
public:
    explicit Settings(SettingsStore& store)
        : store_(&store)
    {
    }

    // "USUÁRIO": the key is the text of string-table entry `keyId` (at most 31 characters).
    int getInt(int keyId, int def) const;
    bool setInt(int keyId, int value);  // written as "%d"
    // At most 127 bytes; `def` when the key is absent.
    std::string getString(int keyId, std::string_view def) const;
    bool setString(int keyId, std::string_view value);

    int get(setting::IntKey key) const { return getInt(key.id, key.def); }
    std::string get(setting::TextKey key) const { return getString(key.id, key.def); }
    bool set(setting::IntKey key, int value) { return setInt(key.id, value); }
    bool set(setting::TextKey key, std::string_view value) { return setString(key.id, value); }

    // "USER".
    bool userGetBool(std::string_view name, bool def) const;  // true when the number is > 0
    int userGetInt(std::string_view name, int def) const;
    // At most 255 bytes; `def` when the key is absent.
    std::string userGetString(std::string_view name, std::string_view def) const;
    bool userSetString(std::string_view name, std::string_view value);
    bool userSetInt(std::string_view name, int value);
    bool userSetBool(std::string_view name, bool value);  // "1" or "0"

    int get(setting::UserIntKey key) const { return userGetInt(key.name, key.def); }
    std::string get(setting::UserTextKey key) const { return userGetString(key.name, key.def); }

    SettingsStore& store() const { return *store_; }

private:
    SettingsStore* store_;
};

// The key name behind a "USUÁRIO" id, as the lookups use it.
std::string SettingKeyName(int keyId);

inline constexpr std::size_t kSettingTextBytes = 127;
inline constexpr std::size_t kUserTextBytes = 255;

}  // namespace lv
