#include "app/core/command_line.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace lv {
namespace {

class RecordingOpener final : public DocumentOpener {
public:
    bool acceptsFile(const std::string& path) override
    {
        examined.push_back(path);
        return !refused.count(path);
    }
    bool openDocument(const std::string& path) override
    {
        opened.push_back(path);
        return true;
    }
    std::vector<std::string> examined;
    std::vector<std::string> opened;
    std::set<std::string> refused;
};

TEST(CommandLine, TwoFilesOpenAndAThirdIsNotExamined)
{
    RecordingOpener opener;
    const std::vector<std::string> args = {"-geometry", "-x", "/f/a.jpg", "/f/b c.bmp", "/f/c.tif"};
    EXPECT_EQ(OpenCommandLineFiles(args, opener), 2);
    EXPECT_EQ(opener.opened, (std::vector<std::string>{"/f/a.jpg", "/f/b c.bmp"}));
    EXPECT_EQ(opener.examined.size(), 2u);
}

TEST(CommandLine, RefusedFilesCountOnceSoAThirdIsExamined)
{
    RecordingOpener opener;
    opener.refused = {"a.jpg"};
    const std::vector<std::string> args = {"a.jpg", "b.jpg", "c.jpg", "d.jpg"};
    EXPECT_EQ(OpenCommandLineFiles(args, opener), 1);  // a: 1, b: 3
    EXPECT_EQ(opener.examined, (std::vector<std::string>{"a.jpg", "b.jpg"}));

    RecordingOpener none;
    none.refused = {"a.jpg", "b.jpg", "c.jpg"};
    EXPECT_EQ(OpenCommandLineFiles(args, none), 0);
    EXPECT_EQ(none.examined.size(), 3u);
}

TEST(CommandLine, ANameWithoutADotAndThreeCharactersEndsTheScan)
{
    RecordingOpener opener;
    opener.refused = {"a.jpg"};
    const std::vector<std::string> args = {"a.jpg", "/f/photo.jpeg", "b.jpg"};
    EXPECT_EQ(OpenCommandLineFiles(args, opener), 0);
    EXPECT_EQ(opener.examined, std::vector<std::string>{"a.jpg"});

    RecordingOpener second;
    for (const std::string first : {"notes", "", "bmp"})
        EXPECT_EQ(OpenCommandLineFiles(std::vector<std::string>{first, "a.jpg"}, second), 0) << first;
    EXPECT_TRUE(second.examined.empty());
}

TEST(CommandLine, LeadingBlanksAreSkippedAndOnlyLeadingSwitchesAreSwitches)
{
    RecordingOpener opener;
    opener.refused = {"-late.jpg"};
    EXPECT_EQ(OpenCommandLineFiles(std::vector<std::string>{"  x.png", "-late.jpg"}, opener), 1);
    EXPECT_EQ(opener.examined, (std::vector<std::string>{"x.png", "-late.jpg"})) << "2 does not exceed 2";
}

}  // namespace
}  // namespace lv
