// Printing and the other commands that need Qt run in a second executable: reached through a
// launcher link as the installed program is, and a clear failure when it is missing.

#include "tool_support.h"

namespace lv::testing {
namespace {

namespace fs = std::filesystem;

class QtSide : public ToolFolder {
protected:
    CommandResult Run(const std::string& tool, const std::string& arguments)
    {
        return RunCommand("HOME=" + ShellQuote(dir.path().string()) + " XDG_CONFIG_HOME= XDG_DATA_HOME= " +
                          ShellQuote(tool) + " " + arguments);
    }
};

TEST_F(QtSide, ThroughALauncherLinkTheQtSideRunsWithItsOwnExitCodes)
{
    fs::create_directory(dir.path() / "bin");
    const std::string launcher = file("bin/lumivista-tool");
    fs::create_symlink(LV_TOOL, launcher);
    const auto shown = Run(launcher, "print curves show");
    EXPECT_EQ(shown.exitCode, 0) << shown.err;
    EXPECT_NE(shown.out.find("identity"), std::string::npos) << shown.out;
    const auto incomplete = Run(launcher, "print single");
    EXPECT_EQ(incomplete.exitCode, 2);
    EXPECT_NE(incomplete.err.find("usage: print single"), std::string::npos) << incomplete.err;
}

TEST_F(QtSide, WithoutTheQtSideItsCommandsFailClearlyAndTheOthersStillRun)
{
    const std::string alone = file("lumivista-tool");
    fs::create_hard_link(LV_TOOL, alone);
    const auto print = Run(alone, "print curves show");
    EXPECT_EQ(print.exitCode, 2);
    EXPECT_NE(print.err.find("print command runs in " + file("lumivista-tool-qt")), std::string::npos) << print.err;
    EXPECT_NE(print.err.find("No such file"), std::string::npos) << print.err;
    writePicture("p.bmp", 3, 2, [](int, int) { return Rgb{1, 2, 3}; });
    EXPECT_EQ(Run(alone, "info " + quoted("p.bmp")).exitCode, 0);
}

}  // namespace
}  // namespace lv::testing
