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

TEST(CommandLine, AlbumFilesGoToTheAlbumOpenerAndCountLikeOpenedFiles)
{
    for (const auto& [name, album] : {std::pair{"/f/Férias.ABM", true}, {"album1.abm", true},
                                      {"/f/albums.abm/photo.jpg", false}, {"/f/album.abmx", false}, {"abm", false}})
        EXPECT_EQ(IsAlbumFileName(name), album) << name;

    RecordingOpener opener;
    std::vector<std::string> albums;
    bool takeAlbums = true;
    const AlbumFileOpener openAlbum = [&](const std::string& path) {
        albums.push_back(path);
        return takeAlbums;
    };
    // The album counts 2, the picture 2 more: the last name is never looked at.
    const std::vector<std::string> args = {"-x", "/f/Viagem.ABM", "/f/a.jpg", "/f/b.abm"};
    EXPECT_EQ(OpenCommandLineFiles(args, opener, openAlbum), 2);
    EXPECT_EQ(albums, std::vector<std::string>{"/f/Viagem.ABM"});
    EXPECT_EQ(opener.opened, std::vector<std::string>{"/f/a.jpg"});
    EXPECT_EQ(opener.examined, std::vector<std::string>{"/f/a.jpg"});

    // An album the page does not take counts once, like a refused picture.
    albums.clear();
    takeAlbums = false;
    RecordingOpener second;
    EXPECT_EQ(OpenCommandLineFiles(std::vector<std::string>{"a.abm", "b.jpg", "c.jpg"}, second, openAlbum), 1);
    EXPECT_EQ(albums, std::vector<std::string>{"a.abm"});
    EXPECT_EQ(second.opened, std::vector<std::string>{"b.jpg"});

    // Without an album opener the document opener is asked, as for any file.
    RecordingOpener plain;
    plain.refused = {"a.abm"};
    EXPECT_EQ(OpenCommandLineFiles(std::vector<std::string>{"a.abm"}, plain), 0);
    EXPECT_EQ(plain.examined, std::vector<std::string>{"a.abm"});
}

}  // namespace
}  // namespace lv
