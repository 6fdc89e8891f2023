#include "common/settings_store.h"

#include "common/profile.h"

namespace lv {

std::optional<std::string> ProfileStore::read(std::string_view section, std::string_view key) const
{
    return profile::ReadValue(file_, section, key);
}

bool ProfileStore::write(std::string_view section, std::string_view key, std::string_view value)
{
    return profile::WriteString(file_, section, key, value);
}

}  // namespace lv
