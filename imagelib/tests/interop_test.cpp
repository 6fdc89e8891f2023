// Files written by independent tools read to the pixels those tools decode (each fixture
// folder's make_fixtures.py says how they were made).

#include "common/testing/ui_recorder.h"
#include "imagelib/codecs/bmp/bmp.h"
#include "imagelib/codecs/gif/gif.h"
#include "imagelib/codecs/jpeg/jpeg.h"
#include "imagelib/codecs/pcx/pcx.h"
#include "imagelib/codecs/png/png.h"
#include "imagelib/codecs/targa/targa.h"
#include "imagelib/codecs/tiff/tiff.h"
#include "ppm.h"

#include <gtest/gtest.h>

#include <functional>

namespace lv {
namespace {

using PathReader = std::function<ReadResult(const std::string&)>;

const std::string kFixtures = "tests/fixtures/";

TEST(Interop, FilesFromOtherToolsReadToTheirReferencePixels)
{
    testing::UiRecorder ui;
    const struct {
        const char* folder;
        const char* extension;
        std::size_t count;
        std::vector<PathReader> readers;
    } sets[] = {
        {"bmp/", ".bmp", 17, {[](const std::string& p) { return ReadBmp(p); }}},
        {"jpeg/", ".jpg", 15, {[](const std::string& p) { return ReadJpeg(p); }}},
        {"png/", ".png", 37, {[](const std::string& p) { return ReadPng(p); }}},
        {"pcx/", ".pcx", 14, {[](const std::string& p) { return ReadPcx(p); }, [](const std::string& p) { return ReadPcxWhole(p); }}},
        {"tga/", ".tga", 25, {[](const std::string& p) { return ReadTarga(p); }}},
        {"tiff/", ".tif", 25, {[](const std::string& p) { return ReadTiff(p); }}},
        {"gif/", ".gif", 11,
         {[](const std::string& p) { return ReadGif(p); },
          [](const std::string& p) { return ReadResult(ReadGifStream(p)); }}},
    };
    for (const auto& set : sets) {
        const auto names = testing::FixtureNames(kFixtures + set.folder);
        EXPECT_EQ(names.size(), set.count) << set.folder;
        for (const std::string& name : names) {
            SCOPED_TRACE(set.folder + name);
            const std::string path = kFixtures + set.folder + name;
            for (std::size_t r = 0; r < set.readers.size(); ++r) {
                if (name == "nb_packed2" && r == 0)
                    continue;  // one plane of two bits is the general loader's only
                EXPECT_TRUE(testing::ShowsReference(set.readers[r](path + set.extension), path + ".ppm")) << "reader " << r;
            }
        }
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST(Interop, DepthsTablesAndResolutionsAreKeptAsStored)
{
    testing::UiRecorder ui;
    const PathReader bmp = [](const std::string& p) { return ReadBmp(kFixtures + "bmp/" + p + ".bmp"); };
    const PathReader pcx = [](const std::string& p) { return ReadPcx(kFixtures + "pcx/" + p + ".pcx"); };
    const PathReader tiff = [](const std::string& p) { return ReadTiff(kFixtures + "tiff/" + p + ".tif"); };
    const PathReader gif = [](const std::string& p) { return ReadGif(kFixtures + "gif/" + p + ".gif"); };
    const PathReader jpeg = [](const std::string& p) { return ReadJpeg(kFixtures + "jpeg/" + p + ".jpg"); };
    const struct {
        const PathReader& read;
        const char* name;
        int bits;
        unsigned colours;  // 1 for the grey table
        std::int32_t pixelsPerMetre;  // -1: whatever the file says
    } cases[] = {
        {bmp, "pil_1", 1, 2, -1},           {bmp, "nb_4", 4, 16, -1},        {bmp, "py_rle4", 4, 16, -1},
        {bmp, "im_rle8", 8, 256, -1},       {bmp, "nb_os2_8", 8, 256, -1},   {bmp, "pil_24", 24, 0, -1},
        {pcx, "nb_1", 1, 2, -1},            {pcx, "nb_planes2", 4, 16, -1},  {pcx, "nb_packed4", 4, 16, -1},
        {pcx, "pil_8", 8, 256, -1},         {pcx, "pil_24", 24, 0, -1},      {tiff, "pil_mono", 1, 2, -1},
        {tiff, "nb_lzw_white_mono", 1, 2, -1}, {tiff, "cp_be_pal4", 4, 16, -1}, {tiff, "cp_lzw2_grey8", 8, 1, -1},
        {tiff, "pil_rgb", 24, 0, 11811},    {gif, "im_mono", 1, 2, -1},      {gif, "im_4", 4, 4, -1},
        {gif, "im_16_local", 4, 16, -1},    {gif, "gm_64", 8, 64, -1},       {jpeg, "pil_grey", 8, 1, -1},
        {jpeg, "pil_300dpi", 24, 0, 11811}, {jpeg, "dots_per_cm", 24, 0, 11800}, {jpeg, "cj_restart", 24, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ReadResult r = c.read(c.name);
        ASSERT_TRUE(r.ok());
        const HDIB& picture = r.image();
        const bool table = c.colours == 1 ? DibGetType(picture) == IMG_GREY8 : picture.clrUsed() == c.colours;
        EXPECT_TRUE(picture.bitCount() == c.bits && table) << picture.bitCount() << " bits, " << picture.clrUsed();
        const std::int32_t resolution = picture.header().biXPelsPerMeter;
        EXPECT_TRUE(c.pixelsPerMetre < 0 || resolution == c.pixelsPerMetre) << resolution;
    }
    EXPECT_EQ(pcx("nb_packed2").code(), ReadCode::Failure);
    EXPECT_EQ(jpeg("cmyk").code(), ReadCode::Failure);
    // The predictor changes nothing in the picture, whatever the byte order.
    EXPECT_TRUE(testing::SamePixels(tiff("pil_rgb").image(), tiff("cp_be_lzw2_rgb").image()));
    EXPECT_TRUE(testing::SamePixels(tiff("cp_lzw_noise").image(), tiff("cp_be_lzw2_noise").image()));
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace lv
