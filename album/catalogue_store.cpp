#include "album/catalogue_store.h"

#include "common/byte_source.h"
#include "common/profile.h"

namespace lv::album {
namespace {

std::optional<profile::ProfileDocument> parseFile(const std::filesystem::path& file)
{
    const auto bytes = ReadWholeFile(file.string());
    if (!bytes)
        return std::nullopt;
    return profile::ProfileDocument::Parse(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
}

}  // namespace

std::vector<profile::Entry> ProfileCatalogueStore::readSection(std::string_view section) const
{
    if (const auto config = parseFile(configFile_); config && config->hasSection(section))
        return config->section(section);
    if (const auto defaults = parseFile(defaults_))
        return defaults->section(section);
    return {};
}

bool ProfileCatalogueStore::writeSections(const Sections& sections)
{
    return profile::WriteSections(configFile_, sections);
}

std::optional<std::string> ProfileCatalogueStore::read(std::string_view section, std::string_view key) const
{
    return profile::ReadValue(configFile_, section, key);
}

bool ProfileCatalogueStore::write(std::string_view section, std::string_view key, std::string_view value)
{
    return profile::WriteString(configFile_, section, key, value);
}

}  // namespace lv::album
