// Our FlashPix files read by an independent reader (Pillow's), and files in the published
// layout that reader decodes read by ours.

#include "common/testing/temp_dir.h"
#include "imagelib/codecs/flashpix/fpx.h"
#include "pictures.h"
#include "ppm.h"

#include "imagelib/tests/interop_script.h"

#include <gtest/gtest.h>

namespace lv {
namespace {

HDIB GreyRipples(int width, int height)
{
    HDIB picture = testing::MakeGreyPicture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.row(y)[x] = std::uint8_t((x * x + y * 7) % 251);
    return picture;
}

TEST(FlashPixInterop, PillowDecodesOurFilesExactlyAsWeDo)
{
    // No single-colour tile, one JPEG table, and whole tiles at the full size (Pillow 9.4
    // decodes an edge tile's 64 x 64 rows into the picture's part of it and fails): what it
    // can decode.
    testing::TempDir dir;
    const struct {
        const char* name;
        HDIB picture;
    } cases[] = {{"photo", testing::MakePhotoLike(320, 192)},
                 {"one_tile", testing::MakePhotoLike(64, 64)},
                 {"tall", testing::MakePhotoLike(128, 256)},
                 {"grey", GreyRipples(192, 64)}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string fpx = dir.file(std::string(c.name) + ".fpx");
        const std::string ppm = dir.file(std::string(c.name) + ".ppm");
        ASSERT_EQ(WriteFlashPix(fpx, c.picture, 90), WriteResult::Written);
        const int status = testing::RunInteropScript("decode_fpx_with_pil.py", fpx + " " + ppm);
        if (status == testing::kScriptSkipped)
            GTEST_SKIP() << "Pillow or olefile is missing";
        ASSERT_EQ(status, 0);
        ReadResult ours = ReadFlashPix(fpx);
        ASSERT_TRUE(ours.ok());
        EXPECT_LT(testing::MeanDifference(c.picture, ours.image()), 3.0);
        EXPECT_TRUE(testing::ShowsReference(std::move(ours), ppm));
    }
}

}  // namespace
}  // namespace lv
