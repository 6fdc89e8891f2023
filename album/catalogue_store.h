#pragma once
// Where the album catalogue keeps its lines and keys: the configuration file, with the
// program folder's list of system albums for sections the user's file doesn't have yet.

#include "common/profile_document.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lv::album {

class CatalogueStore {
public:
    virtual ~CatalogueStore() = default;
    virtual std::vector<profile::Entry> readSection(std::string_view section) const = 0;
    using Sections = std::vector<std::pair<std::string, std::vector<profile::Entry>>>;
    // Each section replaced whole, all in one write.
    virtual bool writeSections(const Sections& sections) = 0;
    virtual std::optional<std::string> read(std::string_view section, std::string_view key) const = 0;
    virtual bool write(std::string_view section, std::string_view key, std::string_view value) = 0;
};

class ProfileCatalogueStore final : public CatalogueStore {
public:
    // `defaults` may name a missing file.
    ProfileCatalogueStore(std::filesystem::path configFile, std::filesystem::path defaults)
        : configFile_(std::move(configFile))
        , defaults_(std::move(defaults))
    {
    }
    std::vector<profile::Entry> readSection(std::string_view section) const override;
    bool writeSections(const Sections& sections) override;
    std::optional<std::string> read(std::string_view section, std::string_view key) const override;
    bool write(std::string_view section, std::string_view key, std::string_view value) override;

private:
    std::filesystem::path configFile_;
    std::filesystem::path defaults_;
};

// The file of system-album lines that ships in the program folder.
inline constexpr std::string_view kSystemCatalogueFile = "sysalbum/albums.ini";

}  // namespace lv::album
