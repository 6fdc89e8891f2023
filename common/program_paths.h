#pragma once
// Where the program's files are: the program folder (executable, skins, albums, stamps,
// "temp", "photos", ...), the folders and files the program changes as it runs, and the
// configuration file "LV2000.ini".

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
    std::optional<std::string> xdgDataHome;      // $XDG_DATA_HOME
    std::optional<std::string> home;             // $HOME, else the user's home from the password file
    std::filesystem::path executable;            // this process's executable
};

PathEnvironment CurrentPathEnvironment();

// $LUMIVISTA_HOME, else the executable's folder.
std::filesystem::path ResolveProgramDir(const PathEnvironment& env);
// "LV2000.ini" in $LUMIVISTA_CONFIG_DIR, else $XDG_CONFIG_HOME/lumivista, else ~/.config/lumivista.
std::filesystem::path ResolveConfigFile(const PathEnvironment& env);
// $XDG_DATA_HOME/lumivista, else ~/.local/share/lumivista.
std::filesystem::path ResolveUserDataDir(const PathEnvironment& env);

// The same for this process.
std::filesystem::path ExecutablePath();
std::filesystem::path ProgramDir();
std::filesystem::path ConfigFilePath();
std::filesystem::path UserDataDir();

// A path below the program folder, written as the program's data names it ("ui\button.800"):
// backslashes become folder separators.
std::filesystem::path ProgramFile(std::string_view relative);

// Whether this process may make and change files in the folder: the permission bits of its
// class of user (owner, group or others) allow writing, and so does the system (not a
// read-only mount). The bits count for root too, so a folder made read-only stays so.
bool IsWritableFolder(const std::filesystem::path& folder);

// Where the changeable data `relative` ("temp", "photos", "albums\x.abm", "printcal.dat") lives:
// below the program folder while the user may write there (the folder itself, or the nearest
// existing folder above it, is writable), else at the same place below the user's data folder.
// An installed program folder is shared and read-only, so every user gets their own.
std::filesystem::path ResolveWritableLocation(const std::filesystem::path& programDir,
                                              const std::filesystem::path& userDataDir, std::string_view relative);

// The same for this process. The folder is made when missing (the file's folder, for a file);
// a failure to make it shows when the caller writes.
std::filesystem::path WritableProgramDir(std::string_view relative);
std::filesystem::path WritableProgramFile(std::string_view relative);

inline constexpr std::string_view kTempFolder = "temp";
inline constexpr std::string_view kPhotosFolder = "photos";

}  // namespace lv
