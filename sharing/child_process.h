#pragma once
// Running the desktop's helper programs (the mail program's launcher, the key ring's tool,
// the mail client) without a shell: arguments go over as they are.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace lv::sharing {

struct ProgramResult {
    int exitCode = -1;  // -1 when it could not run or did not exit normally
    std::string output;  // standard output
};

// The program (looked up on PATH when the name has no "/") with `input` on its standard
// input; waits for it. Standard error goes where ours goes. Output beyond `maxOutput`
// bytes is dropped.
ProgramResult RunProgram(const std::vector<std::string>& arguments, const std::string& input = {},
                         std::size_t maxOutput = 1 << 16);

// Starts the program and lets it run on its own; false when it could not be started.
// `environment` entries ("NAME=value") are added to ours.
bool StartProgram(const std::vector<std::string>& arguments, const std::vector<std::string>& environment = {});

// The program's path on PATH; nothing when no executable of that name is there.
std::optional<std::filesystem::path> FindOnPath(std::string_view name);

}  // namespace lv::sharing
