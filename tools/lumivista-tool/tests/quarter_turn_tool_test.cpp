// Four quarter turns (or two half turns) of a layer by `lumivista-tool transform` leave it
// where it started and equal to its source, whatever the parity of its sides.

#include "common/testing/temp_dir.h"
#include "imagelib/codecs/bmp/bmp.h"
#include "tool_support.h"

#include <gtest/gtest.h>

#include <cstring>

namespace lv {
namespace {

using testing::Tool;

class QuarterTurnTool : public testing::ToolFolder {
protected:
    void picture(int width, int height)
    {
        writePicture("src.bmp", width, height, [](int x, int top) {
            return testing::Rgb{std::uint8_t(x * 6), std::uint8_t(top * 8), std::uint8_t(x * top)};
        });
    }
    // The document's layer line of `vlf info`, after turning src.bmp by `turns`.
    std::string turnedLayer(const std::string& turns)
    {
        const auto r = Tool("transform " + quoted("src.bmp") + " " + quoted("out.vlf") + " " + turns);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        const auto info = Tool("vlf info " + quoted("out.vlf"));
        EXPECT_EQ(info.exitCode, 0) << info.err;
        const auto start = info.out.find("layer 0:");
        return start == std::string::npos ? info.out : info.out.substr(start, info.out.find('\n', start) - start);
    }
    // The same turns written to a flat file (the layered file keeps its pictures lossily).
    bool turnedEqualsSource(const std::string& turns)
    {
        if (Tool("transform " + quoted("src.bmp") + " " + quoted("flat.bmp") + " " + turns).exitCode != 0)
            return false;
        const auto a = ReadBmp(file("src.bmp"));
        const auto b = ReadBmp(file("flat.bmp"));
        return a.image() && b.image() && a.image().size() == b.image().size()
               && std::memcmp(a.image().data(), b.image().data(), a.image().size()) == 0;
    }
};

TEST_F(QuarterTurnTool, FourQuarterTurnsOfA41By29LayerLeaveItAtTheOrigin)
{
    picture(41, 29);
    const std::string turns = "rotate=90 rotate=90 rotate=90 rotate=90";
    const std::string layer = turnedLayer(turns);
    EXPECT_NE(layer.find(" x 0 y 0 "), std::string::npos) << layer;
    EXPECT_TRUE(turnedEqualsSource(turns));
}

TEST_F(QuarterTurnTool, TwoHalfTurnsAndTurnsBackOfOddAndMixedSizesDoNotDrift)
{
    for (const auto& [width, height] : {std::pair{41, 29}, std::pair{40, 29}, std::pair{41, 28}}) {
        picture(width, height);
        for (const char* turns : {"rotate=180 rotate=180", "rotate=90 rotate=-90", "rotate=-90 rotate=-90 rotate=-90 rotate=-90"}) {
            const std::string layer = turnedLayer(turns);
            EXPECT_NE(layer.find(" x 0 y 0 "), std::string::npos) << width << 'x' << height << ' ' << turns << ": " << layer;
            EXPECT_TRUE(turnedEqualsSource(turns)) << width << 'x' << height << ' ' << turns;
        }
    }
}

}  // namespace
}  // namespace lv
