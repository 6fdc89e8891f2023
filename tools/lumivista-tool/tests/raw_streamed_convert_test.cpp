// A camera raw file converted to TIFF streams its developed rows into the very bytes the
// general way writes.

#include "common/testing/temp_dir.h"
#include "imagelib/codecs/save_options.h"
#include "tools/lumivista-tool/command.h"
#include "tools/lumivista-tool/image_io.h"
#include "tools/lumivista-tool/streamed_convert.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace lv::tool {
namespace {

std::vector<std::uint8_t> fileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(RawStreamedConvert, WritesTheBytesTheGeneralWayWrites)
{
    testing::TempDir dir;
    const std::string maker = "/usr/bin/python3 " LV_SOURCE_DIR "/imagelib/tests/interop/make_dng.py ";
    const std::string dng = dir.file("shot.dng"), nef = dir.file("previewed.nef");  // TIFF inside, raw by name
    ASSERT_EQ(std::system((maker + dng + " 96 64").c_str()), 0);
    ASSERT_EQ(std::system((maker + nef + " 96 64 --preview 48").c_str()), 0);
    for (const std::string& in : {dng, nef})
        for (const bool compress : {false, true}) {
            SCOPED_TRACE(in + (compress ? " compressed" : ""));
            CurrentSaveOptions().compress = compress;
            ToolPicture picture = OpenPictureWithAlpha(in);
            ASSERT_EQ(picture.exitCode, kExitOk);
            const std::string general = dir.file("general.tif");
            ASSERT_EQ(WritePhoto(picture.image, picture.metadata, general, false, picture.facts), kExitOk);
            EXPECT_EQ(ConvertStreamed(in, dir.file("streamed.tif"), false), std::optional<int>(kExitOk));
            EXPECT_TRUE(fileBytes(general) == fileBytes(dir.file("streamed.tif")));
        }
    CurrentSaveOptions() = SaveOptions{};
}

}  // namespace
}  // namespace lv::tool
