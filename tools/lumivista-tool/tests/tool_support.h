#pragma once
// Running lumivista-tool from its tests.

#include "common/testing/run_command.h"
#include "common/testing/temp_dir.h"
#include "imagelib/codecs/bmp/bmp.h"
#include "imagelib/tests/pictures.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

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

inline std::size_t EntriesIn(const std::filesystem::path& folder)
{
    return std::size_t(std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()));
}

// A command line and the exit code it must end with.
struct ExitCase {
    std::string arguments;
    int code;
};

inline void ExpectExitCodes(const std::vector<ExitCase>& cases)
{
    for (const ExitCase& c : cases)
        EXPECT_EQ(Tool(c.arguments).exitCode, c.code) << c.arguments;
}

// A test with a folder of its own for the files it gives the tool.
class ToolFolder : public ::testing::Test {
protected:
    std::string file(const std::string& name) const { return dir.file(name); }
    std::string quoted(const std::string& name) const { return ShellQuote(file(name)); }
    // A 24-bit bitmap whose pixel (x, y), y counted from the top, is colour(x, y).
    void writePicture(const std::string& name, int width, int height, const std::function<Rgb(int, int)>& colour)
    {
        HDIB picture = AllocatePicture(width, height, 24, 0);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                SetPixel24(picture, x, height - 1 - y, colour(x, y));
        ASSERT_EQ(WriteBmp(file(name), picture), WriteResult::Written);
    }

    TempDir dir;
};

}  // namespace lv::testing
