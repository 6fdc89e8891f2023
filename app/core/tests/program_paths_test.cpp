#include "common/program_paths.h"
#include "common/testing/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace lv {
namespace {

TEST(ProgramPaths, TheConfigurationFileFollowsTheOverrideThenXdgThenHomeAndTheUserDataFolderXdgThenHome)
{
    // Relative values are ignored.
    PathEnvironment env;
    env.home = "/home/ana";
    const auto resolved = [&env] { return std::tuple(ResolveConfigFile(env), ResolveUserDataDir(env)); };
    EXPECT_EQ(resolved(), std::tuple("/home/ana/.config/lumivista/LV2000.ini", "/home/ana/.local/share/lumivista"));
    env.xdgDataHome = "data";
    env.xdgConfigHome = "relative/ignored";
    EXPECT_EQ(resolved(), std::tuple("/home/ana/.config/lumivista/LV2000.ini", "/home/ana/.local/share/lumivista"));
    env.xdgDataHome = "/xdg/data";
    env.xdgConfigHome = "/xdg";
    EXPECT_EQ(resolved(), std::tuple("/xdg/lumivista/LV2000.ini", "/xdg/data/lumivista"));
    env.configDir = "/tmp/cfg";
    EXPECT_EQ(ResolveConfigFile(env), "/tmp/cfg/LV2000.ini");
}

TEST(ProgramPaths, TheProgramFolderIsLumivistaHomeOrTheExecutablesAndDataNamesUseBackslashes)
{
    ::setenv("LUMIVISTA_HOME", "/srv/lv", 1);
    ::setenv("LUMIVISTA_CONFIG_DIR", "", 1);  // empty counts as unset
    ::setenv("XDG_CONFIG_HOME", "/xdg", 1);
    EXPECT_EQ(std::tuple(ProgramDir(), ProgramFile("ui\\button.800"), ProgramFile("\\ui\\splashscreen.640"),
                         ConfigFilePath()),
              std::tuple("/srv/lv", "/srv/lv/ui/button.800", "/srv/lv/ui/splashscreen.640", "/xdg/lumivista/LV2000.ini"));
    ::unsetenv("LUMIVISTA_HOME");
    EXPECT_TRUE(ProgramDir() == ExecutablePath().parent_path() && ExecutablePath().is_absolute());
}

namespace fs = std::filesystem;

// A folder without write bits for anyone, given back its bits afterwards so it can be removed.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(fs::path folder) : folder_(std::move(folder))
    {
        fs::permissions(folder_, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove);
    }
    ~ReadOnlyFolder() { fs::permissions(folder_, fs::perms::owner_write, fs::perm_options::add); }

private:
    fs::path folder_;
};

TEST(ProgramPaths, ChangeableDataStaysInAWritableProgramFolderAndOtherwiseGoesToTheUserDataFolder)
{
    const testing::TempDir dir;
    const fs::path program = dir.path() / "program";
    const fs::path data = dir.path() / "data";
    fs::create_directories(program / "temp");
    fs::create_directories(program / "sysalbum");
    std::ofstream(program / "printcal.dat") << "x";

    // A file is no folder.
    EXPECT_EQ((std::vector{IsWritableFolder(program), IsWritableFolder(program / "printcal.dat"),
                           IsWritableFolder(program / "missing")}),
              (std::vector{true, false, false}));
    // A missing one ("photos") is made there.
    const std::pair<const char*, const char*> inProgram[] = {
        {"temp", "temp"}, {"photos", "photos"}, {"albums\\mine\\a.abm", "albums/mine/a.abm"},
        {"\\printcal.dat", "printcal.dat"}, {"", ""}};
    for (const auto& [name, place] : inProgram)
        EXPECT_EQ(ResolveWritableLocation(program, data, name), *place ? program / place : program) << name;

    {
        // A read-only folder inside a writable program folder: only what lies below it moves.
        const ReadOnlyFolder readOnly(program / "sysalbum");
        EXPECT_EQ(std::tuple(IsWritableFolder(program / "sysalbum"),
                             ResolveWritableLocation(program, data, "sysalbum/user.abm"),
                             ResolveWritableLocation(program, data, "temp")),
                  std::tuple(false, data / "sysalbum/user.abm", program / "temp"));
    }
    {
        // The installed case: nothing below the program folder can be changed.
        const ReadOnlyFolder readOnlyTemp(program / "temp");
        const ReadOnlyFolder readOnlyProgram(program);
        EXPECT_FALSE(IsWritableFolder(program));
        for (const char* name : {"temp", "photos", "albums/mine/a.abm", "printcal.dat"})
            EXPECT_EQ(ResolveWritableLocation(program, data, name), data / name) << name;
        EXPECT_EQ(ResolveWritableLocation(program, data, ""), data);
    }
    EXPECT_EQ(ResolveWritableLocation(dir.path() / "gone", data, "temp"), data / "temp");
}

}  // namespace
}  // namespace lv
