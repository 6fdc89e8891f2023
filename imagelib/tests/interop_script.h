#pragma once
// Running the independent readers and writers of tests/interop/ from a test.

#include <cstdlib>
#include <string>
#include <sys/wait.h>

namespace lv::testing {

// What a script exits with when its own tools are missing.
inline constexpr int kScriptSkipped = 77;

// The exit status of a script in tests/interop/ run on `arguments`.
inline int RunInteropScript(const std::string& script, const std::string& arguments)
{
    const std::string command = "/usr/bin/python3 tests/interop/" + script + " " + arguments;
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace lv::testing
