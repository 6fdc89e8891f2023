#include "app/core/program_paths.h"

#include <algorithm>
#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace lv {
namespace {

namespace fs = std::filesystem;

std::optional<std::string> environmentValue(const char* name)
{
    const char* value = std::getenv(name);
    if (!value || !*value)
        return std::nullopt;  // an empty variable counts as unset
    return std::string(value);
}

}  // namespace

PathEnvironment CurrentPathEnvironment()
{
    PathEnvironment env;
    env.lumivistaHome = environmentValue("LUMIVISTA_HOME");
    env.configDir = environmentValue("LUMIVISTA_CONFIG_DIR");
    env.xdgConfigHome = environmentValue("XDG_CONFIG_HOME");
    env.home = environmentValue("HOME");
    if (!env.home) {
        if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir)
            env.home = std::string(pw->pw_dir);
    }
    env.executable = ExecutablePath();
    return env;
}

fs::path ResolveProgramDir(const PathEnvironment& env)
{
    if (env.lumivistaHome)
        return fs::path(*env.lumivistaHome);
    return env.executable.parent_path();
}

fs::path ResolveConfigFile(const PathEnvironment& env)
{
    fs::path dir;
    if (env.configDir)
        dir = *env.configDir;
    else if (env.xdgConfigHome && fs::path(*env.xdgConfigHome).is_absolute())
        dir = fs::path(*env.xdgConfigHome) / "lumivista";
    else
        dir = fs::path(env.home.value_or(".")) / ".config" / "lumivista";
    return dir / kConfigFileName;
}

fs::path ExecutablePath()
{
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path() : exe;
}

fs::path ProgramDir()
{
    return ResolveProgramDir(CurrentPathEnvironment());
}

fs::path ConfigFilePath()
{
    return ResolveConfigFile(CurrentPathEnvironment());
}

fs::path ProgramFile(std::string_view relative)
{
    std::string path(relative);
    std::replace(path.begin(), path.end(), '\\', '/');
    while (!path.empty() && path.front() == '/')
        path.erase(path.begin());  // "\ui\splashscreen.800" is still below the program folder
    return ProgramDir() / path;
}

}  // namespace lv
