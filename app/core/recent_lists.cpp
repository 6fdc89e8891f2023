#include "app/core/recent_lists.h"

#include "common/profile.h"
#include "common/text_encoding.h"

#include <algorithm>

namespace lv {
namespace {

std::string slotKey(int prefixId, std::size_t i)
{
    return SettingKeyName(prefixId) + std::to_string(i);
}

// Exact, case-sensitive comparison: found at k > 0 it moves to the front and entries
// 0..k-1 move down; absent it enters at the front and the last falls off.
void moveToFront(std::array<std::string, RecentLists::kSize>& list, std::string entry)
{
    auto found = std::find(list.begin(), list.end(), entry);
    if (found == list.end())
        found = list.end() - 1;
    std::rotate(list.begin(), found, found + 1);
    list[0] = std::move(entry);
}

}  // namespace

std::string DirectoryOf(std::string_view path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string_view::npos)
        return {};
    return std::string(path.substr(0, slash == 0 ? 1 : slash));
}

void RecentLists::load(const Settings& settings)
{
    const auto slot = [&](int prefixId, std::size_t i) {
        return profile::ProfileTextOr(settings.store().read(setting::kUsuarioSection, slotKey(prefixId, i)), "",
                                      kEntryBytes);
    };
    for (std::size_t i = 0; i < kSize; ++i) {
        directories_[i] = slot(setting::kLastDirPrefix, i);
        files_[i] = slot(setting::kFilePrefix, i);
    }
}

bool RecentLists::save(Settings& settings) const
{
    for (std::size_t i = 0; i < kSize; ++i)
        if (!settings.store().write(setting::kUsuarioSection, slotKey(setting::kLastDirPrefix, i), directories_[i]))
            return false;
    for (std::size_t i = 0; i < kSize; ++i)
        if (!settings.store().write(setting::kUsuarioSection, slotKey(setting::kFilePrefix, i), files_[i]))
            return false;
    return true;
}

void RecentLists::add(std::string_view path)
{
    const std::string_view kept = TruncateUtf8(path, kEntryBytes);
    moveToFront(directories_, DirectoryOf(kept));
    moveToFront(files_, std::string(kept));
}

}  // namespace lv
