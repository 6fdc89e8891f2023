#include "qt_side.h"

#include "common/program_paths.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <unistd.h>

namespace lv::tool {

int RunOnQtSide(std::string_view name, Arguments args)
{
    // Beside the real executable, not beside a launcher link that points to it.
    const std::string helper = (ExecutablePath().parent_path() / kQtSideExecutable).string();
    std::vector<std::string> line{helper, std::string(name)};
    line.insert(line.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& word : line)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    std::fflush(nullptr);
    execv(helper.c_str(), argv.data());
    const int error = errno;
    return Fail(kExitUsage, "the " + std::string(name) + " command runs in " + helper +
                                ", which could not be started: " + std::strerror(error));
}

}  // namespace lv::tool
