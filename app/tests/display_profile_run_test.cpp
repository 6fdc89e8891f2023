// The image window on a display whose root window names a wide-gamut profile in _ICC_PROFILE
// (set before the program starts, as a colour manager does at log-in): an sRGB picture shows
// in that profile's numbers, as lcms (through PIL) converts them.

#include "imagelib/codecs/bmp/bmp.h"
#include "imagelib/colour/colour_profile.h"
#include "imagelib/colour/colour_transform.h"
#include "imagelib/dib_geometry.h"
#include "program_runner.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>
#include <fstream>
#include <iterator>

namespace lv::testing {
namespace {

constexpr char kWideGamut[] = "/usr/share/color/icc/colord/WideGamutRGB.icc";

using DisplayProfile = OnVirtualX;

TEST_F(DisplayProfile, TheImageWindowConvertsToTheProfileTheRootWindowNames)
{
    const std::string expectedFile = sandbox.file("expected.txt").string();
    if (std::system(("/usr/bin/python3 -c 'import sys; from PIL import Image, ImageCms\n"
                     "red = Image.new(\"RGB\", (1, 1), (200, 40, 40))\n"
                     "print(*ImageCms.profileToProfile(red, ImageCms.createProfile(\"sRGB\"), sys.argv[1]).getpixel((0, 0)))' "
                     + std::string(kWideGamut) + " > '" + expectedFile + "'").c_str()) != 0)
        GTEST_SKIP() << "needs PIL and colord-data";
    int expected[3] = {};
    std::FILE* in = std::fopen(expectedFile.c_str(), "r");
    ASSERT_TRUE(in && std::fscanf(in, "%d %d %d", &expected[0], &expected[1], &expected[2]) == 3);
    std::fclose(in);
    ASSERT_GT(std::abs(expected[0] - 200) + std::abs(expected[1] - 40), 20) << "the profile must change the colour";

    const std::string told = sandbox.file("set.txt").string();
    ASSERT_EQ(std::system(("DISPLAY=" + sandbox.display() + " " LV_SET_ROOT_PROFILE " " + kWideGamut + " > " + told + " &").c_str()), 0);
    for (int wait = 0; wait < 100 && ReadTextFile(told) != "set\n"; ++wait)
        usleep(50000);
    ASSERT_EQ(ReadTextFile(told), "set\n");
    const std::string photo = sandbox.file("vermelho.bmp").string();
    HDIB red = DibCreate(120, 80, 0x2828C8, false);  // rgb(200, 40, 40)
    ASSERT_EQ(WriteBmp(photo, red), WriteResult::Written);
    ASSERT_TRUE(sandbox.launch()) << sandbox.log();
    const std::string state = sandbox.ask("open " + photo);
    int fx = 0, fy = 0;
    ASSERT_EQ(std::sscanf(StateField(state, "frame").c_str(), "%d,%d", &fx, &fy), 2) << state;
    const std::string shot = sandbox.file("shot.bmp").string();
    ASSERT_EQ(sandbox.ask("grab " + shot, "grabbed "), "grabbed ok");
    const HDIB grabbed = ReadBmpFile(shot);
    ASSERT_TRUE(grabbed);
    const int caption = 20;
    const std::uint8_t* shown = grabbed.row(grabbed.height() - 1 - (fy + caption + 40)) + 3 * (fx + 60);
    // The program's own conversion of the same colour, which the window must show exactly;
    // lcms as PIL drives it may round a dark channel differently.
    std::ifstream wide(kWideGamut, std::ios::binary);
    const std::vector<std::uint8_t> profile{std::istreambuf_iterator<char>(wide), {}};
    std::uint8_t own[3] = {40, 40, 200};  // blue, green, red
    ColourTransform::Create(SrgbProfileBytes(), profile)->applyToRow(own, 1);
    for (int channel = 0; channel < 3; ++channel) {
        EXPECT_EQ(shown[2 - channel], own[2 - channel]) << "channel " << channel;
        EXPECT_NEAR(shown[2 - channel], expected[channel], 12) << "channel " << channel;
    }
}

}  // namespace
}  // namespace lv::testing
