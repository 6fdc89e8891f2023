// Our HEIF pictures hold exactly the pixels of libheif's own interleaved RGB decode, whichever
// way the reader takes them out of the library: odd sizes, alpha, more than 8 bits.

#include "common/testing/temp_dir.h"
#include "imagelib/codecs/heif/heif.h"
#include "interop_script.h"

#include <libheif/heif.h>

#include <gtest/gtest.h>

#include <memory>

namespace lv {
namespace {

struct LibraryRgb {
    int width = 0, height = 0, lumaBits = 0;
    std::vector<std::uint8_t> rgb;  // top-down rows without padding
};

LibraryRgb decodeWithLibrary(const std::string& path)
{
    LibraryRgb out;
    const std::unique_ptr<heif_context, void (*)(heif_context*)> context(heif_context_alloc(), heif_context_free);
    heif_image_handle* handle = nullptr;
    heif_image* image = nullptr;
    if (heif_context_read_from_file(context.get(), path.c_str(), nullptr).code != heif_error_Ok
        || heif_context_get_primary_image_handle(context.get(), &handle).code != heif_error_Ok)
        return out;
    out.lumaBits = heif_image_handle_get_luma_bits_per_pixel(handle);
    if (heif_decode_image(handle, &image, heif_colorspace_RGB, heif_chroma_interleaved_RGB, nullptr).code == heif_error_Ok) {
        int stride = 0;
        const std::uint8_t* plane = heif_image_get_plane_readonly(image, heif_channel_interleaved, &stride);
        out.width = heif_image_get_width(image, heif_channel_interleaved);
        out.height = heif_image_get_height(image, heif_channel_interleaved);
        for (int top = 0; top < out.height; ++top)
            out.rgb.insert(out.rgb.end(), plane + std::size_t(top) * stride, plane + std::size_t(top) * stride + 3 * out.width);
        heif_image_release(image);
    }
    heif_image_handle_release(handle);
    return out;
}

TEST(HeifDecode, MatchesTheLibrarysOwnRgbForEveryLayout)
{
    testing::TempDir dir;
    struct Case {
        int width, height;
        const char* kind;
        int lumaBits;
    };
    for (const Case& c : {Case{33, 17, "rgb", 8}, Case{1, 1, "rgb", 8}, Case{150, 101, "rgb", 8}, Case{31, 9, "rgba", 8},
                          Case{35, 19, "deep", 10}}) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height) + " " + c.kind);
        const std::string png = dir.file("in.png"), heic = dir.file("in.heic");
        const std::string arguments = png + " " + std::to_string(c.width) + " " + std::to_string(c.height) + " " + c.kind;
        const int made = testing::RunInteropScript("make_png_variant.py", arguments);
        if (made == testing::kScriptSkipped)
            GTEST_SKIP() << "python3 with numpy and PIL is needed";
        ASSERT_EQ(made, 0);
        ASSERT_EQ(std::system(("heif-enc -q 90 " + png + " -o " + heic + " >/dev/null 2>&1").c_str()), 0);

        const LibraryRgb theirs = decodeWithLibrary(heic);
        ASSERT_EQ(theirs.lumaBits, c.lumaBits);
        const ReadResult ours = ReadHeif(heic);
        ASSERT_TRUE(ours.ok());
        const HDIB& picture = ours.image();
        ASSERT_EQ(picture.width(), theirs.width);
        ASSERT_EQ(picture.height(), theirs.height);
        int differing = 0;
        for (int top = 0; top < theirs.height; ++top)
            for (int x = 0; x < theirs.width; ++x) {
                const std::uint8_t* bgr = picture.row(theirs.height - 1 - top) + 3 * x;
                const std::uint8_t* rgb = &theirs.rgb[(std::size_t(top) * theirs.width + x) * 3];
                differing += bgr[0] != rgb[2] || bgr[1] != rgb[1] || bgr[2] != rgb[0];
            }
        EXPECT_EQ(differing, 0);
    }
}

}  // namespace
}  // namespace lv
