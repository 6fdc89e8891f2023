#include "common/program_paths.h"
#include "common/testing/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace lv {
namespace {

TEST(ProgramPaths, TheConfigurationFileFollowsTheOverrideThenXdgThenHomeAndTheUserDataFolderXdgThenHome)
{
    PathEnvironment env;
    env.home = "/home/ana";
    EXPECT_EQ(ResolveConfigFile(env), "/home/ana/.config/lumivista/LV2000.ini");
    EXPECT_EQ(ResolveUserDataDir(env), "/home/ana/.local/share/lumivista");
    env.xdgDataHome = "data";  // relative values are ignored
    EXPECT_EQ(ResolveUserDataDir(env), "/home/ana/.local/share/lumivista");
    env.xdgDataHome = "/xdg/data";
    EXPECT_EQ(ResolveUserDataDir(env), "/xdg/data/lumivista");
    env.xdgConfigHome = "relative/ignored";
    EXPECT_EQ(ResolveConfigFile(env), "/home/ana/.config/lumivista/LV2000.ini");
    env.xdgConfigHome = "/xdg";
    EXPECT_EQ(ResolveConfigFile(env), "/xdg/lumivista/LV2000.ini");
    env.configDir = "/tmp/cfg";
    EXPECT_EQ(ResolveConfigFile(env), "/tmp/cfg/LV2000.ini");
}

TEST(ProgramPaths, TheProgramFolderIsLumivistaHomeOrTheExecutablesAndDataNamesUseBackslashes)
{
    ::setenv("LUMIVISTA_HOME", "/srv/lv", 1);
    ::setenv("LUMIVISTA_CONFIG_DIR", "", 1);  // empty counts as unset
    ::setenv("XDG_CONFIG_HOME", "/xdg", 1);
    EXPECT_EQ(ProgramDir(), "/srv/lv");
    EXPECT_EQ(ProgramFile("ui\\button.800"), "/srv/lv/ui/button.800");
    EXPECT_EQ(ProgramFile("\\ui\\splashscreen.640"), "/srv/lv/ui/splashscreen.640");
    EXPECT_EQ(ConfigFilePath(), "/xdg/lumivista/LV2000.ini");
    ::unsetenv("LUMIVISTA_HOME");
    EXPECT_EQ(ProgramDir(), ExecutablePath().parent_path());
    EXPECT_TRUE(ExecutablePath().is_absolute());
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

    EXPECT_TRUE(IsWritableFolder(program));
    EXPECT_FALSE(IsWritableFolder(program / "printcal.dat"));  // a file is no folder
    EXPECT_FALSE(IsWritableFolder(program / "missing"));
    EXPECT_EQ(ResolveWritableLocation(program, data, "temp"), program / "temp");
    EXPECT_EQ(ResolveWritableLocation(program, data, "photos"), program / "photos");  // missing: made there
    EXPECT_EQ(ResolveWritableLocation(program, data, "albums\\mine\\a.abm"), program / "albums/mine/a.abm");
    EXPECT_EQ(ResolveWritableLocation(program, data, "\\printcal.dat"), program / "printcal.dat");
    EXPECT_EQ(ResolveWritableLocation(program, data, ""), program);

    {
        // A read-only folder inside a writable program folder: only what lies below it moves.
        const ReadOnlyFolder readOnly(program / "sysalbum");
        EXPECT_FALSE(IsWritableFolder(program / "sysalbum"));
        EXPECT_EQ(ResolveWritableLocation(program, data, "sysalbum/user.abm"), data / "sysalbum/user.abm");
        EXPECT_EQ(ResolveWritableLocation(program, data, "temp"), program / "temp");
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
