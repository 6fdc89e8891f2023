// A phone photo kept as a layered document: its EXIF, XMP, IPTC and colour profile survive
// open JPEG → save layered → open → save JPEG, checked with the metadata library's own tool.

#include "app/core/documents/document_io.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/codecs/save_as.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace lv {
namespace {

constexpr char kWideGamut[] = "/usr/share/color/icc/colord/ECI-RGBv2.icc";

std::string slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// What the metadata tool prints for `mode` ("a" tags, "C" the ICC profile).
std::string exivPrint(const std::string& path, const char* mode)
{
    const std::string out = path + "." + mode;
    std::system(("exiv2 -q -p" + std::string(mode) + " '" + path + "' > '" + out + "' 2>/dev/null").c_str());
    return slurp(out);
}

// The value the tool prints for `key`, after its type and count columns.
std::string tagValue(const std::string& tags, const std::string& key)
{
    const std::size_t at = tags.find(key + " ");
    if (at == std::string::npos)
        return "(none)";
    const std::string line = tags.substr(at, tags.find('\n', at) - at);
    std::size_t column = line.find_first_not_of(' ', key.size());
    for (int skipped = 0; skipped < 2 && column != std::string::npos; ++skipped)
        column = line.find_first_not_of(' ', line.find(' ', column));
    return column == std::string::npos ? "" : line.substr(column);
}

int run(const std::string& command)
{
    return std::system(command.c_str());
}

TEST(LayeredMetadata, TagsAndProfileSurviveALayeredFileBetweenTwoJpegs)
{
    if (run("command -v exiv2 >/dev/null") != 0 || slurp(kWideGamut).empty())
        GTEST_SKIP() << "needs exiv2 and colord-data";
    testing::TempDir dir;
    testing::UiRecorder ui;
    const std::string photo = dir.file("retrato.jpg");
    // Stored lying down (orientation 6), with an EXIF thumbnail and a wide-gamut profile.
    ASSERT_EQ(run("/usr/bin/python3 '" LV_SOURCE_DIR "/imagelib/tests/make_oriented_jpeg.py' 6 '" + photo + "'"), 0);
    ASSERT_EQ(run("cp '" + photo + "' '" + dir.file("retrato-thumb.jpg") + "' && cp '" + kWideGamut + "' '" +
                  dir.file("retrato.icc") + "' && exiv2 -q -it -iC '" + photo + "'"), 0);
    ASSERT_EQ(run("exiv2 -q -M'set Exif.Photo.DateTimeOriginal 2024:02:29 07:45:00'"
                  " -M'set Exif.Photo.PixelXDimension 16' -M'set Exif.Photo.PixelYDimension 32'"
                  " -M'set Xmp.dc.subject praia' -M'set Iptc.Application2.City Lisboa' '" + photo + "'"), 0);
    ASSERT_NE(exivPrint(photo, "a").find("Exif.Thumbnail"), std::string::npos);

    LoadedDocument opened = LoadDocument(photo);
    ASSERT_TRUE(opened.stack);
    std::string layered = dir.file("retrato.vlf");
    ASSERT_TRUE(WriteDocument(*opened.stack, layered, kSaveAsLayered, opened.facts, opened.metadata));
    LoadedDocument reopened = LoadDocument(layered);
    ASSERT_TRUE(reopened.stack);
    EXPECT_EQ(reopened.format, "VLF");
    EXPECT_EQ(reopened.metadata.dateTaken, "2024:02:29 07:45:00");
    EXPECT_EQ(reopened.metadata.camera, "Acme Z1");
    std::string jpeg = dir.file("de_novo.jpg");
    ASSERT_TRUE(WriteDocument(*reopened.stack, jpeg, kSaveAsJpeg, reopened.facts, reopened.metadata));

    const std::string tags = exivPrint(jpeg, "a");
    for (const char* kept : {"2024:02:29 07:45:00", "Acme", "Xmp.dc.subject", "praia", "Iptc.Application2.City", "Lisboa"})
        EXPECT_NE(tags.find(kept), std::string::npos) << kept << " in\n" << tags;
    EXPECT_EQ(tags.find("Exif.Thumbnail"), std::string::npos) << tags;
    EXPECT_EQ(tagValue(tags, "Exif.Image.Orientation"), "top, left");
    EXPECT_EQ(tagValue(tags, "Exif.Photo.PixelXDimension"), "32");
    EXPECT_EQ(tagValue(tags, "Exif.Photo.PixelYDimension"), "16");
    EXPECT_EQ(exivPrint(jpeg, "C"), slurp(kWideGamut));
}

}  // namespace
}  // namespace lv
