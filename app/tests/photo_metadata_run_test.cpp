// A phone's photo in the running program: it opens upright, and its EXIF, XMP and IPTC survive
// an edit and the real Save as and Save, less its personal data when the user asks (checked
// with the metadata library's own reader).

#include "program_runner.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace lv::testing {
namespace {

using PhotoMetadataJourney = OnVirtualX;

std::string Quoted(const std::filesystem::path& path)
{
    return "'" + path.string() + "'";
}

std::string ExivTags(const std::filesystem::path& path)
{
    const std::filesystem::path listed = path.string() + ".tags";
    std::system(("exiv2 -q -pa " + Quoted(path) + " > " + Quoted(listed) + " 2>/dev/null").c_str());
    std::ifstream in(listed);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool Has(const std::string& tags, const std::string& key, const std::string& value)
{
    for (std::size_t at = tags.find(key + " "); at != std::string::npos; at = tags.find(key + " ", at + 1)) {
        const std::string line = tags.substr(at, tags.find('\n', at) - at);
        if (line.size() >= value.size() && line.compare(line.size() - value.size(), value.size(), value) == 0)
            return true;
    }
    return false;
}

TEST_F(PhotoMetadataJourney, APortraitPhotoOpensUprightAndKeepsItsMetadataThroughSaveAsAndSave)
{
    const std::filesystem::path photo = sandbox.file("retrato.jpg");
    ASSERT_EQ(std::system(("/usr/bin/python3 '" LV_SOURCE_DIR "/imagelib/tests/make_oriented_jpeg.py' 6 " + Quoted(photo)).c_str()), 0);
    ASSERT_EQ(std::system(("exiv2 -q -M'set Exif.Photo.DateTimeOriginal 2021:06:05 14:03:09'"
                           " -M'set Exif.Photo.PixelXDimension 16' -M'set Exif.Photo.PixelYDimension 32'"
                           " -M'set Exif.Photo.BodySerialNumber 12345' -M'set Exif.GPSInfo.GPSLatitudeRef S'"
                           " -M'set Xmp.dc.title Praia' -M'set Iptc.Application2.Caption Praia' " + Quoted(photo)).c_str()),
              0);
    ASSERT_TRUE(sandbox.launch({photo.string()}, {}, "open " + photo.string() + " ok\n")) << sandbox.log();
    EXPECT_EQ(StateField(sandbox.ask("state"), "size"), "32x16") << "stored 16x32, orientation 6";

    // An edit the saved pixels show: a layer merged into the photo.
    sandbox.ask("addlayer");
    EXPECT_EQ(StateField(sandbox.ask("layer flatten"), "layers"), "1");
    const auto saveAsInDialog = [&](const std::filesystem::path& name) {
        sandbox.expectAnswers({{"dialog saveas", "dialog saveas\n"}});
        sandbox.send("key Ctrl+A");
        sandbox.send("type " + name.string());
        sandbox.expectAnswers({{"key Return", "saved ok\n"}});
    };
    for (const char* name : {"editada.jpg", "editada.tif", "editada.png"}) {
        SCOPED_TRACE(name);
        const std::filesystem::path saved = sandbox.file(name);
        saveAsInDialog(saved);
        const std::string tags = ExivTags(saved);
        EXPECT_TRUE(Has(tags, "Exif.Image.Orientation", "top, left")) << tags;
        EXPECT_TRUE(Has(tags, "Exif.Photo.DateTimeOriginal", "2021:06:05 14:03:09")) << tags;
        EXPECT_TRUE(Has(tags, "Exif.Photo.PixelXDimension", "32")) << tags;
        EXPECT_TRUE(Has(tags, "Exif.Photo.PixelYDimension", "16")) << tags;
        EXPECT_TRUE(Has(tags, "Exif.Photo.BodySerialNumber", "12345")) << "kept unless asked: " << tags;
        EXPECT_TRUE(Has(tags, "Xmp.dc.title", "Praia")) << tags;
        if (std::string(name) != "editada.png") {  // PNG holds no IPTC block
            EXPECT_TRUE(Has(tags, "Iptc.Application2.Caption", "Praia")) << tags;
        }
    }

    // Save under the last name after another edit: still the photo's blocks.
    sandbox.ask("addlayer");
    sandbox.ask("layer flatten");
    sandbox.expectAnswers({{"save", "saved ok\n"}});
    const std::string resaved = ExivTags(sandbox.file("editada.png"));
    EXPECT_TRUE(Has(resaved, "Exif.Photo.DateTimeOriginal", "2021:06:05 14:03:09")) << resaved;
    EXPECT_TRUE(Has(resaved, "Exif.GPSInfo.GPSLatitudeRef", "South")) << resaved;

    // "Remover informações pessoais" checked in the dialog: no position, no serial, the date stays.
    const std::filesystem::path anonymous = sandbox.file("anonima.jpg");
    sandbox.expectAnswers({{"dialog saveas", "dialog saveas\n"}, {"dialogclick personal", "dialog dialogclick personal\n"}});
    sandbox.send("key Ctrl+A");
    sandbox.send("type " + anonymous.string());
    sandbox.expectAnswers({{"key Return", "saved ok\n"}});
    const std::string removed = ExivTags(anonymous);
    EXPECT_EQ(removed.find("GPSInfo"), std::string::npos) << removed;
    EXPECT_EQ(removed.find("12345"), std::string::npos) << removed;
    EXPECT_TRUE(Has(removed, "Exif.Photo.DateTimeOriginal", "2021:06:05 14:03:09")) << removed;
    EXPECT_EQ(sandbox.quit(), 0);
}

}  // namespace
}  // namespace lv::testing
