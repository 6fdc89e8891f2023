// PNG files written by independent encoders read to the pixels an independent decoder
// sees, after the reader's own transformations (see fixtures/png/make_fixtures.py).

#include "common/testing/ui_recorder.h"
#include "imagelib/png.h"
#include "ppm.h"

#include <gtest/gtest.h>

#include <fstream>

namespace lv {
namespace {

const std::string kFixtures = "tests/fixtures/png/";

TEST(PngInterop, EveryColourTypeAndDepthReadsToTheIndependentDecodersPixels)
{
    testing::UiRecorder ui;
    const auto names = testing::FixtureNames(kFixtures);
    ASSERT_EQ(names.size(), 37u);
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        ReadResult r = ReadPng(kFixtures + name + ".png");
        ASSERT_TRUE(r.ok());
        const auto reference = testing::ReadPpm(kFixtures + name + ".ppm");
        ASSERT_TRUE(reference);
        EXPECT_TRUE(testing::MatchesRaster(r.image(), *reference));
        EXPECT_EQ(r.image().header().biXPelsPerMeter, 0);
    }
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace lv
