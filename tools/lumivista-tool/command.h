#pragma once
// What every subcommand of lumivista-tool shares.

#include <span>
#include <string>
#include <string_view>

namespace lv::tool {

enum ExitCode : int {
    kExitOk = 0,
    kExitUsage = 2,         // usage error or unknown format
    kExitCannotRead = 3,
    kExitCannotWrite = 4,
};

using Arguments = std::span<const std::string>;

struct Command {
    std::string_view name;
    std::string_view summary;  // one line
    int (*run)(std::string_view name, Arguments args);
};

// Prints "lumivista-tool: <text>" to stderr and returns `code`.
int Fail(int code, std::string_view text);

}  // namespace lv::tool
