// The tool reads and writes WebP, AVIF, HEIC and JPEG XL by extension, with --quality and
// --lossless, and develops camera raw files.

#include "tool_support.h"

namespace lv::testing {
namespace {

class ModernFormatsTool : public ToolFolder {};

HDIB readBack(const std::string& path) { return ReadBmp(path).take(); }

TEST_F(ModernFormatsTool, ConvertWritesAndReadsEachFormatByExtension)
{
    writePicture("photo.bmp", 120, 80, [](int x, int y) { return Rgb{std::uint8_t(x * 2), std::uint8_t(y * 3), std::uint8_t((x + y) % 256)}; });
    const HDIB original = readBack(file("photo.bmp"));
    const struct {
        const char* name;
        const char* options;
        double tolerance;
    } cases[] = {
        {"small.webp", "--quality 20", 12}, {"fine.webp", "--quality 95", 4}, {"exact.webp", "--lossless", 0},
        {"photo.avif", "--quality 80", 8}, {"photo.heic", "--quality 80", 8},  {"photo.jxl", "--quality 90", 4},
        {"exact.jxl", "--lossless", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(Tool("convert " + quoted("photo.bmp") + " " + quoted(c.name) + " " + c.options).exitCode, 0);
        ASSERT_EQ(Tool("convert " + quoted(c.name) + " " + quoted("back.bmp")).exitCode, 0);
        const HDIB back = readBack(file("back.bmp"));
        ASSERT_TRUE(back);
        ASSERT_EQ(back.width(), 120);
        EXPECT_LE(MeanDifference(back, original), c.tolerance + 0.001);
    }
    EXPECT_LT(std::filesystem::file_size(file("small.webp")), std::filesystem::file_size(file("fine.webp")));
    const CommandResult info = Tool("info --json " + quoted("photo.heic"));
    EXPECT_EQ(info.exitCode, 0);
    EXPECT_NE(info.out.find("120"), std::string::npos) << info.out;
}

TEST_F(ModernFormatsTool, CameraRawDevelopsThroughConvert)
{
    ASSERT_EQ(std::system(("/usr/bin/python3 " LV_SOURCE_DIR "/imagelib/tests/interop/make_dng.py " + quoted("shot.dng") + " 64 48").c_str()), 0);
    ASSERT_EQ(Tool("convert " + quoted("shot.dng") + " " + quoted("shot.bmp")).exitCode, 0);
    const HDIB developed = readBack(file("shot.bmp"));
    ASSERT_TRUE(developed);
    EXPECT_EQ(developed.width(), 64);
    const Rgb left = Pixel24(developed, 4, 24), right = Pixel24(developed, 60, 24);
    EXPECT_GT(left.r, left.b + 60);
    EXPECT_GT(right.b, right.r + 60);
    ASSERT_EQ(std::system(("head -c 3000 " + quoted("shot.dng") + " > " + quoted("cut.dng")).c_str()), 0);
    const CommandResult cut = Tool("convert " + quoted("cut.dng") + " " + quoted("cut.bmp"));
    EXPECT_EQ(cut.exitCode, 3);
    EXPECT_NE(cut.err.find("cut.dng"), std::string::npos) << cut.err;
}

}  // namespace
}  // namespace lv::testing
