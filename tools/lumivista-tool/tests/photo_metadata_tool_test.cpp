// Photos as cameras store them: every EXIF orientation opens upright, and converting keeps
// the photo's metadata (checked with the metadata library's own command-line reader).

#include "common/byte_source.h"
#include "imagelib/tests/pictures.h"
#include "tool_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace lv {
namespace {

using testing::Tool;

class PhotoMetadataTool : public testing::ToolFolder {
protected:
    void makeJpeg(int orientation, const std::string& name)
    {
        const auto made = testing::RunCommand("/usr/bin/python3 " + testing::ShellQuote(testing::kFixtures + "../make_oriented_jpeg.py") +
                                              " " + std::to_string(orientation) + " " + quoted(name));
        ASSERT_EQ(made.exitCode, 0) << made.err;
    }
    void tag(const std::string& name)
    {
        const auto tagged = testing::RunCommand(
            "exiv2 -q -M'set Exif.Photo.DateTimeOriginal 2021:06:05 14:03:09' -M'set Exif.Photo.BodySerialNumber 12345'"
            " -M'set Exif.GPSInfo.GPSLatitudeRef S' -M'set Exif.GPSInfo.GPSLatitude 22/1 54/1 0/1'"
            " -M'set Xmp.dc.title Praia' -M'set Iptc.Application2.Caption Praia' " + quoted(name));
        ASSERT_EQ(tagged.exitCode, 0) << tagged.err;
    }
    std::string exivTags(const std::string& name) { return testing::RunCommand("exiv2 -q -pa " + quoted(name)).out; }
};

TEST_F(PhotoMetadataTool, EveryOrientationOpensUpright)
{
    const testing::Rgb quarters[] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
    for (int orientation = 1; orientation <= 8; ++orientation) {
        SCOPED_TRACE(orientation);
        makeJpeg(orientation, "photo.jpg");
        const auto info = Tool("info --json " + quoted("photo.jpg"));
        ASSERT_EQ(info.exitCode, 0) << info.err;
        EXPECT_NE(info.out.find("\"width\":32,\"height\":16"), std::string::npos) << info.out;
        EXPECT_NE(info.out.find("\"orientation\":" + std::to_string(orientation)), std::string::npos) << info.out;
        EXPECT_NE(info.out.find("\"camera\":\"Acme Z1\""), std::string::npos) << info.out;

        ASSERT_EQ(Tool("convert " + quoted("photo.jpg") + " " + quoted("upright.bmp")).exitCode, 0);
        const HDIB upright = ReadBmp(file("upright.bmp")).take();
        ASSERT_TRUE(upright);
        for (int q = 0; q < 4; ++q) {
            // Pixel24 counts rows from the bottom.
            const testing::Rgb seen = testing::Pixel24(upright, 8 + 16 * (q % 2), 11 - 8 * (q / 2));
            EXPECT_NEAR(seen.r, quarters[q].r, 40) << "quarter " << q;
            EXPECT_NEAR(seen.g, quarters[q].g, 40) << "quarter " << q;
            EXPECT_NEAR(seen.b, quarters[q].b, 40) << "quarter " << q;
        }
        ASSERT_EQ(Tool("thumb " + quoted("photo.jpg") + " " + quoted("thumb.bmp") + " 16 16").exitCode, 0);
        const HDIB thumb = ReadBmp(file("thumb.bmp")).take();
        ASSERT_TRUE(thumb);
        EXPECT_EQ(thumb.width(), 16);  // the upright shape, whatever the stored one
        EXPECT_EQ(thumb.height(), 8);
        EXPECT_GT(testing::Pixel24(thumb, 3, 6).r, 200);  // red top-left
        ASSERT_EQ(Tool("convert " + quoted("photo.jpg") + " " + quoted("saved.jpg")).exitCode, 0);
        const std::string saved = exivTags("saved.jpg");
        EXPECT_NE(saved.find("Exif.Image.Orientation                       Short       1  top, left"), std::string::npos)
            << saved;
        const auto reopened = Tool("info --json " + quoted("saved.jpg")).out;
        EXPECT_NE(reopened.find("\"width\":32,\"height\":16"), std::string::npos) << reopened;
    }
}

TEST_F(PhotoMetadataTool, ConvertKeepsMetadataAndStripsPersonalData)
{
    makeJpeg(6, "photo.jpg");
    tag("photo.jpg");
    for (const std::string out : {"kept.jpg", "kept.tif", "kept.png"}) {
        SCOPED_TRACE(out);
        ASSERT_EQ(Tool("convert " + quoted("photo.jpg") + " " + quoted(out)).exitCode, 0);
        const std::string kept = exivTags(out);
        for (const char* expected : {"2021:06:05 14:03:09", "Acme", "Z1", "12345", "GPSLatitude", "Praia"})
            EXPECT_NE(kept.find(expected), std::string::npos) << expected << "\n" << kept;
        EXPECT_EQ(kept.find("right, top"), std::string::npos) << kept;
        const auto info = Tool("info --json " + quoted(out));
        EXPECT_NE(info.out.find("\"orientation\":1,\"dateTaken\":\"2021:06:05 14:03:09\""), std::string::npos)
            << info.out;
        EXPECT_NE(info.out.find("\"width\":32,\"height\":16"), std::string::npos) << info.out;
    }
    ASSERT_EQ(Tool("convert --strip-metadata " + quoted("photo.jpg") + " " + quoted("private.jpg")).exitCode, 0);
    const std::string stripped = exivTags("private.jpg");
    EXPECT_NE(stripped.find("2021:06:05 14:03:09"), std::string::npos) << stripped;
    EXPECT_EQ(stripped.find("GPS"), std::string::npos) << stripped;
    EXPECT_EQ(stripped.find("12345"), std::string::npos) << stripped;
}

TEST_F(PhotoMetadataTool, LayeredFileCarriesMetadataAndProfileThroughConvert)
{
    const std::string profile = "/usr/share/color/icc/colord/AdobeRGB1998.icc";
    makeJpeg(6, "photo.jpg");
    makeJpeg(1, "photo-thumb.jpg");
    std::filesystem::copy_file(profile, file("photo.icc"));
    tag("photo.jpg");
    ASSERT_EQ(testing::RunCommand("cd " + quoted("") + " && exiv2 -q -it -iC photo.jpg && exiv2 -q"
                                  " -M'set Exif.Photo.PixelXDimension 16' -M'set Exif.Photo.PixelYDimension 32' photo.jpg")
                  .exitCode, 0);
    ASSERT_NE(exivTags("photo.jpg").find("Exif.Thumbnail"), std::string::npos);
    ASSERT_EQ(Tool("convert " + quoted("photo.jpg") + " " + quoted("doc.vlf")).exitCode, 0);
    ASSERT_EQ(Tool("convert " + quoted("doc.vlf") + " " + quoted("again.vlf")).exitCode, 0);
    for (const std::string out : {"j.jpg", "p.png", "t.tif", "w.webp"}) {
        SCOPED_TRACE(out);
        ASSERT_EQ(Tool("convert " + quoted("again.vlf") + " " + quoted(out)).exitCode, 0);
        const std::string kept = exivTags(out);
        for (const char* expected : {"2021:06:05 14:03:09", "Acme", "12345", "Xmp.dc.title", "top, left",
                                     "PixelXDimension                   Long        1  32",
                                     "PixelYDimension                   Long        1  16"})
            EXPECT_NE(kept.find(expected), std::string::npos) << expected << "\n" << kept;
        EXPECT_EQ(kept.find("Iptc.Application2.Caption") != std::string::npos, out != "w.webp");  // none in WebP
        EXPECT_EQ(kept.find("Exif.Thumbnail"), std::string::npos) << kept;
        ASSERT_EQ(testing::RunCommand("cd " + quoted("") + " && exiv2 -q -eC " + out).exitCode, 0);
        EXPECT_EQ(ReadWholeFile(file(out.substr(0, 1) + ".icc")), ReadWholeFile(profile));
    }
}

TEST_F(PhotoMetadataTool, AlbumSearchFindsDateTakenAndCameraAndRebuildsItsIndex)
{
    makeJpeg(1, "praia.jpg");
    tag("praia.jpg");  // taken 2021-06-05 by an "Acme Z1"
    makeJpeg(1, "serra.jpg");
    ASSERT_EQ(testing::RunCommand("exiv2 -q -M'set Exif.Photo.DateTimeOriginal 2019:01:02 10:00:00'"
                                  " -M'set Exif.Image.Model Outra' " + quoted("serra.jpg")).exitCode, 0);
    std::filesystem::create_directory(file("albuns"));
    ASSERT_EQ(Tool("album make " + quoted("albuns/fotos.abm") + " " + quoted("praia.jpg") + " " + quoted("serra.jpg"))
                  .exitCode, 0);
    const std::string env = "XDG_DATA_HOME=" + quoted("dados") + " ";
    const auto search = [&](const std::string& options) {
        const auto r = testing::RunCommand(env + LV_TOOL + " album search " + quoted("albuns") + " " + options);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        return r.out;
    };
    const auto index = file("dados/lumivista/taken");
    for (int pass = 0; pass < 2; ++pass) {
        SCOPED_TRACE(pass);
        const std::string recent = search("--taken-after 2021-06-05");
        EXPECT_NE(recent.find("praia.jpg"), std::string::npos) << recent;
        EXPECT_EQ(recent.find("serra.jpg"), std::string::npos) << recent;
        const std::string old = search("--taken-before 2019-01-02 --camera outra");
        EXPECT_EQ(old.find("praia.jpg"), std::string::npos) << old;
        EXPECT_NE(old.find("serra.jpg"), std::string::npos) << old;
        EXPECT_EQ(search("--taken-after 2021-06-06").find(".jpg"), std::string::npos);
        EXPECT_NE(search("--camera 'acme z1'").find("praia.jpg"), std::string::npos);
        ASSERT_EQ(testing::EntriesIn(index), 1u);
        std::filesystem::remove_all(index);  // the second pass rebuilds it
    }
}

TEST_F(PhotoMetadataTool, EditingCommandsKeepTheDateAndTheProfile)
{
    makeJpeg(6, "photo.jpg");
    tag("photo.jpg");
    // A profile beside the EXIF, written by an outside writer.
    ASSERT_EQ(testing::RunCommand("/usr/bin/python3 -c \"from PIL import Image, ImageCms; import sys; i = Image.open(sys.argv[1]);"
                                  " i.save(sys.argv[1], quality=95, exif=i.info['exif'],"
                                  " icc_profile=ImageCms.ImageCmsProfile(ImageCms.createProfile('LAB')).tobytes())\" "
                                  + quoted("photo.jpg")).exitCode, 0);
    const std::pair<std::string, std::string> commands[] = {{"resize", " 16 8"}, {"crop", " 0 0 16 8"},
                                                            {"enhance", " --mode 0 --sliders 60"}, {"effect", " --op 88"}};
    for (const auto& [command, arguments] : commands) {
        SCOPED_TRACE(command);
        const auto run = Tool(command + " " + quoted("photo.jpg") + " " + quoted("out.jpg") + arguments);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const std::string kept = exivTags("out.jpg");
        EXPECT_NE(kept.find("2021:06:05 14:03:09"), std::string::npos) << kept;
        EXPECT_EQ(kept.find("right, top"), std::string::npos) << kept;
        const auto sameProfile = testing::RunCommand("/usr/bin/python3 -c \"from PIL import Image; import sys;"
                                                     " sys.exit(Image.open(sys.argv[1]).info.get('icc_profile')"
                                                     " != Image.open(sys.argv[2]).info.get('icc_profile'))\" "
                                                     + quoted("photo.jpg") + " " + quoted("out.jpg"));
        EXPECT_EQ(sameProfile.exitCode, 0) << sameProfile.err;
    }
}

}  // namespace
}  // namespace lv
