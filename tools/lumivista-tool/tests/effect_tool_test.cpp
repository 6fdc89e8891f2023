// enhance and effect from the command line: files in, files out, the same results as the
// library gives the screens, and clear refusals.

#include "common/testing/temp_dir.h"
#include "effects/catalogue.h"
#include "effects/enhance_and_effect.h"
#include "imagelib/codecs/bmp/bmp.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/tests/pictures.h"
#include "tool_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace lv {
namespace {

using testing::Fixture;
using testing::SamePixels;
using testing::ShellQuote;
using testing::Tool;

double MeanSample(const HDIB& dib)
{
    double sum = 0;
    const int samples = dib.width() * dib.bitCount() / 8;
    for (int y = 0; y < dib.height(); ++y)
        for (int i = 0; i < samples; ++i)
            sum += dib.row(y)[i];
    return sum / (double(samples) * dib.height());
}

TEST(ToolEffects, EnhanceAndEffectWriteWhatTheLibraryComputes)
{
    testing::TempDir dir;
    const std::string in = Fixture("bmp/pil_24.bmp");
    const HDIB original = ReadBmp(testing::kFixtures + "bmp/pil_24.bmp").take();
    ASSERT_TRUE(original);

    ASSERT_EQ(Tool("enhance " + in + " " + ShellQuote(dir.file("same.bmp")) + " --mode 1 --sliders 50,50").exitCode, 0);
    EXPECT_TRUE(SamePixels(ReadBmp(dir.file("same.bmp")).image(), original));
    ASSERT_EQ(Tool("enhance " + in + " " + ShellQuote(dir.file("bright.bmp")) + " --mode 0 --sliders 85").exitCode, 0);
    EXPECT_GT(MeanSample(ReadBmp(dir.file("bright.bmp")).image()), MeanSample(original) + 10);
    ASSERT_EQ(Tool("enhance " + in + " " + ShellQuote(dir.file("auto.png")) + " --mode 6").exitCode, 0);
    EXPECT_TRUE(std::filesystem::exists(dir.file("auto.png")));

    // The relief slider reaches the library reversed, as the effects screen passes it.
    ASSERT_EQ(Tool("effect " + in + " " + ShellQuote(dir.file("relief.bmp")) + " --op 88 --strength 30").exitCode, 0);
    const std::int32_t reversed[] = {70};
    const HDIB expected = effects::DoEnhanceAndEffect(original, 88, reversed, 1, nullptr);
    EXPECT_TRUE(SamePixels(ReadBmp(dir.file("relief.bmp")).image(), expected));

    // Grey stays grey; palette pictures are widened first.
    ASSERT_EQ(Tool("effect " + Fixture("bmp/pil_grey8.bmp") + " " + ShellQuote(dir.file("g.bmp")) + " --op 15").exitCode, 0);
    EXPECT_EQ(DibGetType(ReadBmp(dir.file("g.bmp")).image()), IMG_GREY8);
    ASSERT_EQ(Tool("effect " + Fixture("bmp/pil_8.bmp") + " " + ShellQuote(dir.file("p.bmp")) + " --op 594 --strength 80").exitCode, 0);
    const HDIB sketched = ReadBmp(dir.file("p.bmp")).take();
    EXPECT_EQ(sketched.bitCount(), 24);
    EXPECT_EQ(sketched.width(), ReadBmp(testing::kFixtures + "bmp/pil_8.bmp").image().width());
}

TEST(ToolEffects, ListGivesEveryEffectAsTextAndJson)
{
    const auto json = Tool("effect --list --json");
    ASSERT_EQ(json.exitCode, 0);
    std::size_t entries = 0;
    for (std::size_t at = json.out.find("\"code\":"); at != std::string::npos; at = json.out.find("\"code\":", at + 1))
        ++entries;
    EXPECT_EQ(entries, effects::EffectCatalogue().size());
    EXPECT_NE(json.out.find("{\"code\":15,\"name\":\"Pintura a óleo\",\"parameter\":"), std::string::npos);
    EXPECT_EQ(json.out.front(), '[');
    const auto text = Tool("effect --list");
    ASSERT_EQ(text.exitCode, 0);
    EXPECT_NE(text.out.find("338  Mosaico"), std::string::npos);
}

TEST(ToolEffects, BadArgumentsFilesAndOutputsAreRefused)
{
    testing::TempDir dir;
    const std::string in = Fixture("bmp/pil_24.bmp");
    const std::string out = ShellQuote(dir.file("o.bmp"));
    for (const std::string& arguments :
         {"effect " + in + " " + out + " --op 12345", "effect " + in + " " + out + " --op 1", "effect " + in + " " + out,
          "effect " + in + " " + out + " --op 15 --strength 101", "effect " + in + " --op 15",
          "effect --list " + in, "effect " + in + " " + out + " --op 15 --bogus", "enhance " + in + " " + out,
          "enhance " + in + " " + out + " --mode 8", "enhance " + in + " " + out + " --mode 0 --sliders 40,60",
          "enhance " + in + " " + out + " --mode 3 --sliders 1,2,3,4", "enhance " + in + " " + out + " --mode 1 --sliders 40,",
          "enhance " + in + " " + out + " --mode 1 --sliders x", "enhance " + in + " " + out + " --mode 6 --sliders 50"})
        EXPECT_EQ(Tool(arguments).exitCode, 2) << arguments;
    EXPECT_FALSE(std::filesystem::exists(dir.file("o.bmp")));
    const auto missing = Tool("effect " + ShellQuote(dir.file("absent.bmp")) + " " + out + " --op 15");
    EXPECT_EQ(missing.exitCode, 3);
    EXPECT_FALSE(missing.err.empty());
    EXPECT_EQ(Tool("enhance " + in + " " + ShellQuote(dir.file("no/such/dir/o.bmp")) + " --mode 0").exitCode, 4);
}

}  // namespace
}  // namespace lv
