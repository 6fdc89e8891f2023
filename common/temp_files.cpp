#include "common/temp_files.h"

#include <vector>

namespace lv {

int DeleteTemporaryFiles(const std::filesystem::path& folder)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    std::vector<fs::path> files;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code entryError;
        if (!it->is_directory(entryError) || it->is_symlink(entryError))
            files.push_back(it->path());
    }
    int deleted = 0;
    for (const fs::path& file : files)
        if (fs::remove(file, ec))
            ++deleted;
    return deleted;
}

}  // namespace lv
