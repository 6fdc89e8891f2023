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

int run(const std::string& command)
{
    return std::system(command.c_str());
}

// What the metadata tool prints with these options.
std::string exiv(const std::string& options, const std::string& path)
{
    run("exiv2 -q " + options + " '" + path + "' > '" + path + ".out' 2>/dev/null");
    std::ifstream in(path + ".out", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(LayeredMetadata, TagsAndProfileSurviveALayeredFileBetweenTwoJpegs)
{
    testing::TempDir dir;
    testing::UiRecorder ui;
    const std::string photo = dir.file("retrato.jpg");
    // Stored lying down (orientation 6), with an EXIF thumbnail and a wide-gamut profile.
    ASSERT_EQ(run("/usr/bin/python3 '" LV_SOURCE_DIR "/imagelib/tests/make_oriented_jpeg.py' 6 '" + photo + "' && cp '"
                  + photo + "' '" + dir.file("retrato-thumb.jpg") + "' && cp " + kWideGamut + " '" + dir.file("retrato.icc")
                  + "' && exiv2 -q -it -iC '" + photo + "' && exiv2 -q -M'set Exif.Photo.DateTimeOriginal 2024:02:29 07:45:00'"
                  " -M'set Exif.Photo.PixelXDimension 16' -M'set Exif.Photo.PixelYDimension 32'"
                  " -M'set Xmp.dc.subject praia' -M'set Iptc.Application2.City Lisboa' '" + photo + "'"), 0);
    ASSERT_NE(exiv("-pa", photo).find("Exif.Thumbnail"), std::string::npos);

    LoadedDocument opened = LoadDocument(photo);
    ASSERT_TRUE(opened.stack);
    std::string layered = dir.file("retrato.vlf");
    ASSERT_TRUE(WriteDocument(*opened.stack, layered, kSaveAsLayered, opened.facts, opened.metadata));
    LoadedDocument reopened = LoadDocument(layered);
    ASSERT_TRUE(reopened.stack);
    EXPECT_EQ(reopened.metadata.dateTaken, "2024:02:29 07:45:00");
    std::string jpeg = dir.file("de_novo.jpg");
    ASSERT_TRUE(WriteDocument(*reopened.stack, jpeg, kSaveAsJpeg, reopened.facts, reopened.metadata));

    const std::string tags = exiv("-pa", jpeg);
    for (const char* kept : {"2024:02:29 07:45:00", "Acme", "praia", "Lisboa"})
        EXPECT_NE(tags.find(kept), std::string::npos) << kept << " in\n" << tags;
    EXPECT_EQ(tags.find("Exif.Thumbnail"), std::string::npos) << tags;
    EXPECT_EQ(exiv("-Pv -K Exif.Image.Orientation", jpeg), "1\n");
    EXPECT_EQ(exiv("-Pv -K Exif.Photo.PixelXDimension", jpeg) + exiv("-Pv -K Exif.Photo.PixelYDimension", jpeg), "32\n16\n");
    std::ifstream profile(kWideGamut, std::ios::binary);
    EXPECT_EQ(exiv("-pC", jpeg), std::string(std::istreambuf_iterator<char>(profile), {}));
}

}  // namespace
}  // namespace lv
