#include "common/testing/temp_dir.h"
#include "imagelib/codecs/bmp/bmp.h"
#include "output/screen_bitmap.h"
#include "tool_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace lv {
namespace {

using testing::ShellQuote;
using testing::Tool;

ScreenBitmap ReadFrame(const std::string& path)
{
    return ScreenBitmapFromDib(ReadBmp(path).image());
}

TEST(SlideshowTool, ListsEveryTransitionWithItsVariantsAndRandomNumbers)
{
    const auto text = Tool("slideshow list");
    ASSERT_EQ(text.exitCode, 0) << text.err;
    EXPECT_NE(text.out.find("33  Apagar  variants 3  random 15-18, 53-55\n"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("18  Queda aleatória  variants 3  random 19-21  (by random choice only)\n"), std::string::npos);
    EXPECT_NE(text.out.find("34  (no name)  variants 4  random 92-95\n"), std::string::npos);
    const auto json = Tool("slideshow list --json");
    ASSERT_EQ(json.exitCode, 0);
    EXPECT_NE(json.out.find("{\"index\":5,\"name\":\"Cortina\",\"variants\":8,\"firstVariant\":1,\"random\":[[1,8]],"
                            "\"reachableByName\":true}"),
              std::string::npos)
        << json.out;
    EXPECT_NE(json.out.find("\"name\":\"Duas passagens da diagonal\",\"variants\":4,\"firstVariant\":0,"
                            "\"random\":[[29,32]],\"reachableByName\":false"),
              std::string::npos);
}

// Old and new pictures of one colour each, made by the tool itself, and the frames of a
// curtain over them written in order: the old screen first, the new slide between black
// bands last (what each step shows is the transitions' own test).
TEST(SlideshowTool, FramesRunFromTheOldScreenToTheNewSlide)
{
    testing::TempDir dir;
    const std::string before = dir.file("old.bmp"), after = dir.file("new.bmp");
    ASSERT_EQ(Tool("new 40 30 0 0 255 " + ShellQuote(before)).exitCode, 0);
    ASSERT_EQ(Tool("new 40 20 255 128 0 " + ShellQuote(after)).exitCode, 0);
    const std::uint32_t blue = ScreenPixel(0, 0, 255), orange = ScreenPixel(255, 128, 0);
    const auto frames = [&](const std::string& folder, const std::string& options) {
        return Tool("slideshow frames " + ShellQuote(before) + " " + ShellQuote(after) + " " + ShellQuote(dir.file(folder)) + options);
    };

    const auto run = frames("all", " --transition Cortina --variant 1 --size 40x30 --format bmp");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "Cortina (5) variant 1: 20 steps, 21 frames in " + dir.file("all") + "\n");
    const ScreenBitmap first = ReadFrame(dir.file("all/frame-00000.bmp"));
    EXPECT_EQ(first, ScreenBitmap(40, 30, blue));
    const ScreenBitmap last = ReadFrame(dir.file("all/frame-00020.bmp"));
    for (int y = 0; y < 30; ++y)
        EXPECT_EQ(last.pixel(39, y), y >= 5 && y < 25 ? orange : kScreenBlack) << y;

    // Every 7th step and the last; the seed decides the random transitions' pieces.
    const auto json = frames("some", " --transition 'Linhas aleatórias' --variant 0 --every 7 --format bmp --json");
    ASSERT_EQ(json.exitCode, 0) << json.err;
    EXPECT_EQ(json.out, "{\"index\":19,\"name\":\"Linhas aleatórias\",\"variant\":0,\"steps\":20,\"paced\":true,"
                        "\"screen\":[40,20],\"slide\":[0,0,40,20],\"frames\":[\"frame-00000.bmp\",\"frame-00001.bmp\","
                        "\"frame-00002.bmp\",\"frame-00003.bmp\"]}\n");
    EXPECT_EQ(ReadFrame(dir.file("some/frame-00003.bmp")), ScreenBitmap(40, 20, orange));

    // The unnamed transition by its number, and "Aleatório" choosing from the seed.
    EXPECT_EQ(frames("x", " --transition 34 --variant 3 --every 1000").out,
              "(no name) (34) variant 3: 4 steps, 2 frames in " + dir.file("x") + "\n");
    const auto chosen = frames("y", " --transition Aleatório --seed 7 --every 1000");
    EXPECT_EQ(chosen.exitCode, 0);
    EXPECT_EQ(chosen.out, frames("y", " --transition Aleatório --seed 7 --every 1000").out);
}

TEST(SlideshowTool, BadArgumentsAndFilesAreRefusedWithTheirExitCodes)
{
    testing::TempDir dir;
    const std::string picture = dir.file("p.bmp");
    ASSERT_EQ(Tool("new 8 8 1 2 3 " + ShellQuote(picture)).exitCode, 0);
    const std::string both = ShellQuote(picture) + " " + ShellQuote(picture) + " " + ShellQuote(dir.file("out"));
    EXPECT_EQ(Tool("slideshow").exitCode, 2);
    EXPECT_EQ(Tool("slideshow list extra").exitCode, 2);
    // The first: no transition.
    for (const char* bad : {"", " --transition Nada", " --transition Cortina --variant 0", " --transition Cortina --variant 9",
                            " --transition Apagar --variant 3", " --transition 35", " --transition Cortina --size 10",
                            " --transition Cortina --size 0x10", " --transition Cortina --size 9000x10",
                            " --transition Cortina --every 0", " --transition Cortina --format ../x"})
        EXPECT_EQ(Tool("slideshow frames " + both + bad).exitCode, 2) << bad;
    testing::ExpectExitCodes({{"slideshow frames " + ShellQuote(dir.file("absent.bmp")) + " " + ShellQuote(picture) + " " +
                                   ShellQuote(dir.file("out")) + " --transition Cortina", 3},
                              {"slideshow frames " + ShellQuote(picture) + " " + ShellQuote(picture) + " " +
                                   ShellQuote(picture) + " --transition Cortina", 4}});
    EXPECT_FALSE(std::filesystem::exists(dir.file("out")));
}

}  // namespace
}  // namespace lv
