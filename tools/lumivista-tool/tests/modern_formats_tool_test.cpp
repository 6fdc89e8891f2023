// The tool reads and writes WebP, AVIF, HEIC and JPEG XL by extension, with --quality and --lossless.

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

}  // namespace
}  // namespace lv::testing
