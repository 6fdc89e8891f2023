#include "memory_guard.h"

#include "common/file_problem.h"

#include <filesystem>
#include <new>

namespace lv::tool {
namespace {

// The file the command was reading: its first argument that names one.
std::string inputName(Arguments args)
{
    for (const std::string& arg : args) {
        std::error_code error;
        if (!arg.empty() && arg[0] != '-' && std::filesystem::is_regular_file(arg, error))
            return arg;
    }
    return {};
}

}  // namespace

int RunWithinMemory(const Command& command, Arguments args)
{
    try {
        return command.run(command.name, args);
    } catch (const std::bad_alloc&) {
        const FileFailure failure(FileProblem::OutOfMemory);
        const std::string input = inputName(args);
        return Fail(kExitCannotRead, input.empty() ? DescribeFileProblem(failure) : FileProblemMessage(failure, input));
    }
}

}  // namespace lv::tool
