#pragma once
// Where settings live: sections of named text values. The program uses the configuration
// file; tests use a store in memory that can be told to fail.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace lv {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The stored text, or nothing when the key is absent.
    virtual std::optional<std::string> read(std::string_view section, std::string_view key) const = 0;
    // Whether the value was stored.
    virtual bool write(std::string_view section, std::string_view key, std::string_view value) = 0;
};

// The private-profile file "LV2000.ini".
class ProfileStore final : public SettingsStore {
public:
    explicit ProfileStore(std::filesystem::path file)
        : file_(std::move(file))
    {
    }
    std::optional<std::string> read(std::string_view section, std::string_view key) const override;
    bool write(std::string_view section, std::string_view key, std::string_view value) override;
    const std::filesystem::path& file() const { return file_; }

private:
    std::filesystem::path file_;
};

}  // namespace lv
