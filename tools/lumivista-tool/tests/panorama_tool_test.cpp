// lumivista-tool panorama: turned views of one scene stitched into a file, the crop's
// rectangle wholly covered, and refusals with their exit codes and reasons.

#include "projects/panorama/tests/panorama_scene.h"
#include "tool_support.h"

namespace lv {
namespace {

using testing::Tool;

class PanoramaTool : public testing::ToolFolder {
protected:
    std::string writeViews(unsigned seed, const std::vector<double>& centres)
    {
        const cv::Mat scene = panorama::testing::Scene(seed, 2400, 700);
        std::string names;
        for (std::size_t i = 0; i < centres.size(); ++i) {
            const std::string name = "vista" + std::to_string(seed) + "_" + std::to_string(i) + ".bmp";
            HDIB view = panorama::testing::ToPicture(panorama::testing::View(scene, centres[i], 1.0));
            EXPECT_EQ(WriteBmp(file(name), view), WriteResult::Written);
            names += " " + quoted(name);
        }
        return names;
    }
};

TEST_F(PanoramaTool, ViewsStitchIntoAFileAndTheCropHasNoEmptyCorner)
{
    const std::string views = writeViews(4, {700, 1150, 1600});
    auto r = Tool("panorama " + quoted("whole.bmp") + views + " --json");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const HDIB wholePicture = ReadBmp(file("whole.bmp")).take();
    ASSERT_TRUE(wholePicture);
    EXPECT_EQ(r.out, "{\"photos\":3,\"width\":" + std::to_string(wholePicture.width()) +
                         ",\"height\":" + std::to_string(wholePicture.height()) + ",\"cropped\":false}\n");

    r = Tool("panorama " + quoted("cut.bmp") + views + " --crop");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const HDIB cutPicture = ReadBmp(file("cut.bmp")).take();
    ASSERT_TRUE(cutPicture);
    EXPECT_LT(cutPicture.height(), wholePicture.height());  // the cylinder's bowed edges went
    EXPECT_GT(cutPicture.width(), wholePicture.width() * 9 / 10);
    const std::uint8_t* corner = cutPicture.row(0) + (cutPicture.width() - 1) * 3;  // bottom right
    EXPECT_GT(corner[0] + corner[1] + corner[2], 0);
}

TEST_F(PanoramaTool, RefusalsSayWhyWithTheirExitCodes)
{
    const std::string apart = writeViews(5, {420, 1980});
    auto r = Tool("panorama " + quoted("out.bmp") + apart);
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_NE(r.err.find("As fotos não se sobrepõem o suficiente."), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(file("out.bmp")));
    testing::ExpectExitCodes({{"panorama " + quoted("out.bmp") + " " + quoted("vista5_0.bmp"), 2},
                              {"panorama " + quoted("out.bmp") + " " + quoted("missing.bmp") + " " + quoted("vista5_0.bmp"), 3},
                              {"panorama", 2}});
}

}  // namespace
}  // namespace lv
