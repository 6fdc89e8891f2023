#include "common/program_paths.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include <pwd.h>
#include <sys/stat.h>
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

// "\ui\button.800" and "ui/button.800" name the same file below a folder.
fs::path relativeDataPath(std::string_view name)
{
    std::string path(name);
    std::replace(path.begin(), path.end(), '\\', '/');
    while (!path.empty() && path.front() == '/')
        path.erase(path.begin());
    return fs::path(path);
}

bool isMemberOfGroup(gid_t group)
{
    if (group == getegid())
        return true;
    const int count = getgroups(0, nullptr);
    if (count <= 0)
        return false;
    std::vector<gid_t> groups(static_cast<std::size_t>(count));
    const int got = getgroups(count, groups.data());
    return got > 0 && std::find(groups.begin(), groups.begin() + got, group) != groups.begin() + got;
}

// The folder itself, or the nearest folder above it that exists.
fs::path nearestExistingFolder(fs::path path, const fs::path& top)
{
    std::error_code ec;
    while (!fs::is_directory(path, ec) && path != top && path.has_relative_path())
        path = path.parent_path();
    return path;
}

}  // namespace

PathEnvironment CurrentPathEnvironment()
{
    PathEnvironment env;
    env.lumivistaHome = environmentValue("LUMIVISTA_HOME");
    env.configDir = environmentValue("LUMIVISTA_CONFIG_DIR");
    env.xdgConfigHome = environmentValue("XDG_CONFIG_HOME");
    env.xdgDataHome = environmentValue("XDG_DATA_HOME");
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

fs::path ResolveUserDataDir(const PathEnvironment& env)
{
    // Relative XDG paths are ignored, as the desktop does.
    if (env.xdgDataHome && fs::path(*env.xdgDataHome).is_absolute())
        return fs::path(*env.xdgDataHome) / "lumivista";
    return fs::path(env.home.value_or(".")) / ".local" / "share" / "lumivista";
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

fs::path UserDataDir()
{
    return ResolveUserDataDir(CurrentPathEnvironment());
}

fs::path ProgramFile(std::string_view relative)
{
    return ProgramDir() / relativeDataPath(relative);
}

bool IsWritableFolder(const fs::path& folder)
{
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return false;
    mode_t bit = S_IWOTH;
    if (st.st_uid == geteuid())
        bit = S_IWUSR;
    else if (isMemberOfGroup(st.st_gid))
        bit = S_IWGRP;
    // access() adds what the bits don't say: read-only mounts and access control lists.
    return (st.st_mode & bit) != 0 && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

fs::path ResolveWritableLocation(const fs::path& programDir, const fs::path& userDataDir, std::string_view relative)
{
    const fs::path rel = relativeDataPath(relative);
    const fs::path inProgram = rel.empty() ? programDir : programDir / rel;
    if (IsWritableFolder(nearestExistingFolder(inProgram, programDir)))
        return inProgram;
    return rel.empty() ? userDataDir : userDataDir / rel;
}

fs::path WritableProgramDir(std::string_view relative)
{
    const PathEnvironment env = CurrentPathEnvironment();
    const fs::path dir = ResolveWritableLocation(ResolveProgramDir(env), ResolveUserDataDir(env), relative);
    std::error_code ec;
    fs::create_directories(dir, ec);
    return dir;
}

fs::path WritableProgramFile(std::string_view relative)
{
    const PathEnvironment env = CurrentPathEnvironment();
    const fs::path file = ResolveWritableLocation(ResolveProgramDir(env), ResolveUserDataDir(env), relative);
    std::error_code ec;
    fs::create_directories(file.parent_path(), ec);
    return file;
}

}  // namespace lv
