#pragma once
// Running lumivista-tool from its tests.

#include "common/testing/run_command.h"

#include <string>

namespace lv::testing {

inline const std::string kFixtures = std::string(LV_SOURCE_DIR) + "/imagelib/tests/fixtures/";

inline CommandResult Tool(const std::string& arguments)
{
    return RunCommand(std::string(LV_TOOL) + " " + arguments);
}

// The path of a fixture, quoted for the shell.
inline std::string Fixture(const std::string& name)
{
    return ShellQuote(kFixtures + name);
}

}  // namespace lv::testing
