// The panorama window in the running program: the open album's photos listed, stitched on a
// worker while the window answers, and the result opened as a new picture of its own. (The
// refusals' sentences are checked through the tool and the adapter.)

#include "album/album.h"
#include "album/entry_builder.h"
#include "album/photo_loader.h"
#include "imagelib/codecs/bmp/bmp.h"
#include "program_runner.h"
#include "projects/panorama/tests/panorama_scene.h"
#include "screen_places.h"

#include <gtest/gtest.h>

#include <fstream>

namespace lv::testing {
namespace {

constexpr int kPanoramaScreen = 23;

std::string WriteAlbumOfViews(const ProgramSandbox& sandbox, const std::vector<double>& centres)
{
    const cv::Mat scene = panorama::testing::Scene(11, 2400, 700);
    album::Album album;
    for (std::size_t i = 0; i < centres.size(); ++i) {
        const std::string file = sandbox.file("vista" + std::to_string(i) + ".bmp").string();
        HDIB view = panorama::testing::ToPicture(panorama::testing::View(scene, centres[i], 1.0));
        EXPECT_EQ(WriteBmp(file, view), WriteResult::Written);
        auto built = album::BuildPhotoEntry({file, "vista"}, album::AlbumPhotoReaders());
        EXPECT_TRUE(built.entry);
        if (built.entry)
            album.append(std::move(*built.entry));
    }
    const std::string albumFile = sandbox.file("serra.abm").string();
    EXPECT_TRUE(album.write(albumFile));
    return albumFile;
}

TEST(PanoramaWindow, TheAlbumsPhotosAreStitchedAndOpenAsANewPicture)
{
    ProgramSandbox sandbox(1280, 1024);
    const std::string albumFile = WriteAlbumOfViews(sandbox, {700, 1150, 1600});
    std::ofstream(sandbox.configFile()) << "[USUÁRIO]\nAlbum Name=" << albumFile << "\n";
    ASSERT_TRUE(sandbox.launch());
    sandbox.expectAnswers({{"screen 23", "screen 23 panels"},
                           {ClickOnCaption(kPanoramaScreen, "Panorama"), "panorama window 3 photos"},
                           {"key Space", "panorama stitching 3"}});
    ASSERT_TRUE(sandbox.waitForLog("panorama preview ", std::chrono::seconds(60))) << sandbox.log();
    const std::string stitched = sandbox.lastLine("panorama stitched ");
    sandbox.expectAnswers({{"key Space", "panorama opened"}});
    const HDIB shown = sandbox.shownPicture("panorama.bmp");
    ASSERT_TRUE(shown);
    EXPECT_EQ(stitched, "panorama stitched " + std::to_string(shown.width()) + " " + std::to_string(shown.height()));
    EXPECT_GT(shown.width(), 1500);
    EXPECT_EQ(sandbox.log().find("beep"), std::string::npos) << sandbox.log();
    // The new picture is unsaved, so quitting asks to save it (left unanswered here).
    EXPECT_NE(sandbox.lastLine("state ").find("modified=2"), std::string::npos) << sandbox.log();
    EXPECT_TRUE(sandbox.killHard());
}

}  // namespace
}  // namespace lv::testing
