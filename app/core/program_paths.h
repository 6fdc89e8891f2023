#pragma once
// Where the program's files are: the program folder (executable, skins, albums, stamps,
// "temp", "photos", ...) and the configuration file "LV2000.ini".

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace lv {

inline constexpr std::string_view kConfigFileName = "LV2000.ini";

// What the paths depend on, gathered once so the rules can be tested without the process.
struct PathEnvironment {
    std::optional<std::string> lumivistaHome;    // $LUMIVISTA_HOME
    std::optional<std::string> configDir;        // $LUMIVISTA_CONFIG_DIR
    std::optional<std::string> xdgConfigHome;    // $XDG_CONFIG_HOME
    std::optional<std::string> home;             // $HOME, else the user's home from the password file
    std::filesystem::path executable;            // this process's executable
};

PathEnvironment CurrentPathEnvironment();

// $LUMIVISTA_HOME, else the executable's folder.
std::filesystem::path ResolveProgramDir(const PathEnvironment& env);
// "LV2000.ini" in $LUMIVISTA_CONFIG_DIR, else $XDG_CONFIG_HOME/lumivista, else ~/.config/lumivista.
std::filesystem::path ResolveConfigFile(const PathEnvironment& env);

// The same for this process.
std::filesystem::path ExecutablePath();
std::filesystem::path ProgramDir();
std::filesystem::path ConfigFilePath();

// A path below the program folder, written as the program's data names it ("ui\button.800"):
// backslashes become folder separators.
std::filesystem::path ProgramFile(std::string_view relative);

inline constexpr std::string_view kTempFolder = "temp";
inline constexpr std::string_view kPhotosFolder = "photos";

}  // namespace lv
