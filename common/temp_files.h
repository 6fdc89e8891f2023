#pragma once

#include <filesystem>

namespace lv {

// Deletes every file directly inside the folder (links included, folders and their
// contents left alone); returns how many went. A missing folder deletes nothing.
int DeleteTemporaryFiles(const std::filesystem::path& folder);

}  // namespace lv
