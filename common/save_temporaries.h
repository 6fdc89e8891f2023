#pragma once
// The temporary files of the safe write path: a name beside the target that no other
// program uses, and the sweep of those that a killed save left behind.

#include <chrono>
#include <string>
#include <string_view>

namespace lv {

// How old a temporary file must be before it is taken for a dead save's.
inline constexpr std::chrono::hours kStaleSaveTemporaryAge{24};

// The mkstemp template for a save into `target`: ".NAME.lv-XXXXXX" in the target's folder,
// the name cut to leave room for the rest.
std::string SaveTemporaryTemplate(const std::string& target);

// Whether a file's name is one SaveTemporaryTemplate makes (".NAME.lv-" and six letters or
// digits).
bool IsSaveTemporaryName(std::string_view name);

// Removes the temporary files in `folder` that are ours by name, regular files owned by this
// user and last changed more than kStaleSaveTemporaryAge before `now`; returns how many went.
int RemoveStaleSaveTemporaries(const std::string& folder,
                               std::chrono::system_clock::time_point now = std::chrono::system_clock::now());

}  // namespace lv
