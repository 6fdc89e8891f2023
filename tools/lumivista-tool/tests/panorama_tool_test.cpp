// lumivista-tool panorama: views of one scene too far apart to stitch, and the other refusals with
// their exit codes and reasons.

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
