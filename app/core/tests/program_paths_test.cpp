#include "app/core/program_paths.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace lv {
namespace {

TEST(ProgramPaths, TheConfigurationFileFollowsTheOverrideThenXdgThenHome)
{
    PathEnvironment env;
    env.home = "/home/ana";
    EXPECT_EQ(ResolveConfigFile(env), "/home/ana/.config/lumivista/LV2000.ini");
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

}  // namespace
}  // namespace lv
