#pragma once
// A settings store in memory that records the order of writes and can refuse one key.

#include "common/settings_store.h"

#include <map>
#include <string>
#include <vector>

namespace lv::testing {

class MemoryStore final : public SettingsStore {
public:
    std::optional<std::string> read(std::string_view section, std::string_view key) const override
    {
        const auto it = values.find(std::string(section) + "/" + std::string(key));
        if (it == values.end())
            return std::nullopt;
        return it->second;
    }
    bool write(std::string_view section, std::string_view key, std::string_view value) override
    {
        attempts.push_back(std::string(key));
        if (key == failingKey)
            return false;
        values[std::string(section) + "/" + std::string(key)] = std::string(value);
        return true;
    }

    std::map<std::string, std::string> values;  // "section/key" -> value
    std::vector<std::string> attempts;          // every key written, in order
    std::string failingKey;
};

}  // namespace lv::testing
