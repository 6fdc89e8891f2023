// Our HEIF pictures hold exactly the pixels of libheif's own interleaved RGB decode, whichever
// way the reader takes them out of the library: odd sizes, alpha, more than 8 bits.

#include "common/testing/temp_dir.h"
#include "imagelib/codecs/heif/heif.h"
#include "imagelib/codecs/heif/heif_handles.h"
#include "interop_script.h"

#include <gtest/gtest.h>

namespace lv {
namespace {

TEST(HeifDecode, MatchesTheLibrarysOwnRgbForEveryLayout)
{
    testing::TempDir dir;
    const std::string png = dir.file("in.png"), heic = dir.file("in.heic");
    for (const auto& [width, height, kind, bits] : {std::tuple{33, 17, "rgb", 8}, {1, 1, "rgb", 8}, {150, 101, "rgb", 8},
                                                    {31, 9, "rgba", 8}, {35, 19, "deep", 10}}) {
        SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height) + " " + kind);
        const int made = testing::RunInteropScript("make_png_variant.py", png + " " + std::to_string(width) + " "
                                                                              + std::to_string(height) + " " + kind);
        if (made == testing::kScriptSkipped)
            GTEST_SKIP() << "python3 with numpy and PIL is needed";
        ASSERT_EQ(made, 0);
        ASSERT_EQ(std::system(("heif-enc -q 90 " + png + " -o " + heic + " >/dev/null 2>&1").c_str()), 0);

        const HeifLibrary* heif = LoadedHeifLibrary();
        ASSERT_NE(heif, nullptr);
        const HeifContext context(*heif);
        HeifHandle handle(*heif);
        HeifImage theirs(*heif);
        ASSERT_EQ(heif_context_read_from_file(context.get(), heic.c_str(), nullptr).code, heif_error_Ok);
        ASSERT_EQ(heif_context_get_primary_image_handle(context.get(), handle.out()).code, heif_error_Ok);
        ASSERT_EQ(heif_image_handle_get_luma_bits_per_pixel(handle.get()), bits);
        ASSERT_EQ(heif_decode_image(handle.get(), theirs.out(), heif_colorspace_RGB, heif_chroma_interleaved_RGB, nullptr).code,
                  heif_error_Ok);
        int stride = 0;
        const std::uint8_t* rgb = heif_image_get_plane_readonly(theirs.get(), heif_channel_interleaved, &stride);

        const ReadResult ours = ReadHeif(heic);
        ASSERT_TRUE(ours.ok());
        ASSERT_EQ(std::tuple(ours.image().width(), ours.image().height()), std::tuple(width, height));
        int differing = 0;
        for (int top = 0; top < height; ++top)
            for (int x = 0; x < width; ++x) {
                const std::uint8_t* bgr = ours.image().row(height - 1 - top) + 3 * x;
                const std::uint8_t* expected = rgb + std::size_t(top) * stride + 3 * x;
                differing += bgr[0] != expected[2] || bgr[1] != expected[1] || bgr[2] != expected[0];
            }
        EXPECT_EQ(differing, 0);
    }
}

}  // namespace
}  // namespace lv
