// FlashPix files in the published layout made by the tests' own independent writer
// (tests/interop/fpx_standard.py), and ours read by its independent reader.

#include "common/testing/temp_dir.h"
#include "imagelib/codecs/flashpix/fpx.h"
#include "pictures.h"
#include "ppm.h"

#include "imagelib/tests/interop_script.h"

#include <gtest/gtest.h>

namespace lv {
namespace {

TEST(FlashPixStandardLayout, FilesMadeElsewhereReadToThePixelsTheyHold)
{
    testing::TempDir dir;
    // Raw, single-colour and self-contained JPEG tiles over partial edge tiles; then JPEG
    // tiles sharing the contents' tables, which Pillow decodes to the same pixels.
    for (const std::string kind : {"mixed", "pillow"}) {
        SCOPED_TRACE(kind);
        const std::string fpx = dir.file(kind + ".fpx"), ppm = dir.file(kind + ".ppm");
        const int status = testing::RunInteropScript("fpx_standard.py", "write " + kind + " " + fpx + " " + ppm);
        if (status == testing::kScriptSkipped)
            GTEST_SKIP() << "Pillow or olefile is missing";
        ASSERT_EQ(status, 0);
        EXPECT_TRUE(testing::ShowsReference(ReadFlashPix(fpx), ppm));
        if (kind == "pillow") {
            const std::string byPillow = dir.file("by_pillow.ppm");
            ASSERT_EQ(testing::RunInteropScript("decode_fpx_with_pil.py", fpx + " " + byPillow), 0);
            EXPECT_TRUE(testing::ShowsReference(ReadFlashPix(fpx), byPillow));
        }
    }
}

TEST(FlashPixStandardLayout, AnIndependentReaderSeesOurSingleColourAndEdgeTilesAsWeDo)
{
    testing::TempDir dir;
    // Flat tiles of several colours between photo tiles, partial tiles at both edges.
    HDIB picture = testing::MakePhotoLike(200, 150);
    const testing::Rgb flats[] = {{200, 100, 50}, {1, 2, 3}, {255, 0, 128}};
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 200; ++x)
            if (x / 64 != 1)
                testing::SetPixel24(picture, x, 149 - y, flats[x / 64 % 3]);
    // Grey: a flat left tile, a graded right one.
    HDIB grey = testing::MakeGreyPicture(70, 65);
    for (int y = 0; y < 65; ++y)
        for (int x = 0; x < 70; ++x)
            grey.row(y)[x] = std::uint8_t(x < 64 && y >= 1 ? 77 : x * 3 + y);
    const struct {
        const char* name;
        const HDIB& picture;
    } cases[] = {{"colour", picture}, {"grey", grey}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string fpx = dir.file(std::string(c.name) + ".fpx"), ppm = dir.file(std::string(c.name) + ".ppm");
        ASSERT_EQ(WriteFlashPix(fpx, c.picture, 85), WriteResult::Written);
        const int status = testing::RunInteropScript("fpx_standard.py", "read " + fpx + " " + ppm);
        if (status == testing::kScriptSkipped)
            GTEST_SKIP() << "Pillow or olefile is missing";
        ASSERT_EQ(status, 0);
        EXPECT_TRUE(testing::ShowsReference(ReadFlashPix(fpx), ppm));
    }
    const ReadResult back = ReadFlashPix(dir.file("colour.fpx"));
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(testing::Pixel24(back.image(), 130, 149), (testing::Rgb{255, 0, 128}));
}

}  // namespace
}  // namespace lv
