#include "app/handed_files_opener.h"

#include <filesystem>
#include <unistd.h>

namespace lv::app {

bool HandedFilesOpener::acceptsFile(const std::string& path)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec) && ::access(path.c_str(), R_OK) == 0;
}

bool HandedFilesOpener::openDocument(const std::string& path)
{
    hooks_.log("open " + QString::fromStdString(path));
    return true;
}

}  // namespace lv::app
