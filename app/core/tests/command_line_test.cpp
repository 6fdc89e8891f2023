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

TEST(CommandLine, TwoFilesOpenRefusedOnesCountOnceAndNamesThatAreNoPicturesAreSkipped)
{
    using Names = std::vector<std::string>;
    const Names four = {"a.jpg", "b.jpg", "c.jpg", "d.jpg"};
    const struct {
        Names args;
        std::set<std::string> refused;
        Names opened, examined;
    } cases[] = {
        {{"-geometry", "-x", "/f/a.jpg", "/f/b c.bmp", "/f/c.tif"}, {}, {"/f/a.jpg", "/f/b c.bmp"}, {"/f/a.jpg", "/f/b c.bmp"}},
        {four, {"a.jpg"}, {"b.jpg"}, {"a.jpg", "b.jpg"}},  // the refused a counts 1, the opened b 2 more: c is not examined
        {four, {"a.jpg", "b.jpg", "c.jpg"}, {}, {"a.jpg", "b.jpg", "c.jpg"}},
        {{"a.jpg", "/f/photo.jpeg", "b.jpg"}, {"a.jpg"}, {"/f/photo.jpeg"}, {"a.jpg", "/f/photo.jpeg"}},
        {{"scan.TIFF", "x.jpe", "y.jpg"}, {}, {"scan.TIFF", "x.jpe"}, {"scan.TIFF", "x.jpe"}},
        {{"notes", "a.jpg"}, {}, {"a.jpg"}, {"a.jpg"}},
        {{"", "a.jpg"}, {}, {"a.jpg"}, {"a.jpg"}},
        {{"bmp", "/f.d/x", "a.jpg"}, {}, {"a.jpg"}, {"a.jpg"}},
        {{"  x.png", "-late.jpg"}, {"-late.jpg"}, {"x.png"}, {"x.png", "-late.jpg"}},  // only leading switches; 2 does not exceed 2
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << '"' << c.args[0] << "\" and " << c.args.size() - 1 << " more");
        RecordingOpener opener;
        opener.refused = c.refused;
        EXPECT_EQ(OpenCommandLineFiles(c.args, opener), int(c.opened.size()));
        EXPECT_EQ(opener.opened, c.opened);
        EXPECT_EQ(opener.examined, c.examined);
    }
}

}  // namespace
}  // namespace lv
