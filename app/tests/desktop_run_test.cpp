// The program on a real X server, as a new user meets it: two photos side by side, the zoom
// in the 1:1 box, saving over a file; a phone's portrait photo opened upright, its EXIF, XMP
// and IPTC kept through an edit and the real Save as and Save.

#include "app/skin/button_table.h"
#include "imagelib/codecs/bmp/bmp.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/codecs/jpeg/jpeg.h"
#include "program_runner.h"
#include "skin_clicks.h"

#include <gtest/gtest.h>

#include <sstream>
#include <cstdlib>

namespace lv::testing {
namespace {

struct Frame {
    int x, y, width, height, zoom;
};

// The frames of every window in the order opened, from a state line's "all=".
std::vector<Frame> Frames(const std::string& state)
{
    std::vector<Frame> frames;
    std::istringstream in(StateField(state, "all"));
    for (std::string item; std::getline(in, item, ';');) {
        Frame f{};
        if (std::sscanf(item.c_str(), "%d,%d,%d,%d@%d", &f.x, &f.y, &f.width, &f.height, &f.zoom) == 5)
            frames.push_back(f);
    }
    return frames;
}

// A photo whose edges are bands of one colour each, 8 pixels deep: left red, right green,
// top blue, bottom yellow, grey inside.
HDIB BandedPhoto(int width, int height)
{
    HDIB dib = AllocatePicture(width, height, 24, 0);
    for (int y = 0; y < height; ++y) {
        const int top = height - 1 - y;
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = dib.row(y) + 3 * x;
            std::uint8_t r = 128, g = 128, b = 128;
            if (x < 8)
                r = 255, g = 0, b = 0;
            else if (x >= width - 8)
                r = 0, g = 255, b = 0;
            else if (top < 8)
                r = 0, g = 0, b = 255;
            else if (top >= height - 8)
                r = 255, g = 255, b = 0;
            p[0] = b, p[1] = g, p[2] = r;
        }
    }
    return dib;
}

// The colour at (x, y) of a picture read top-down.
std::uint32_t ColourAt(const HDIB& shot, int x, int y)
{
    const std::uint8_t* p = shot.row(shot.height() - 1 - y) + 3 * x;
    return std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0];
}

// Within what JPEG's compression leaves of a colour.
::testing::AssertionResult Near(std::uint32_t shown, std::uint32_t wanted)
{
    for (const int shift : {0, 8, 16})
        if (std::abs(int(shown >> shift & 255) - int(wanted >> shift & 255)) > 12)
            return ::testing::AssertionFailure() << std::hex << shown << " is not " << wanted;
    return ::testing::AssertionSuccess();
}

// Each edge of a photo shown in `frame` at its zoom, caption strip above it, centred across.
void ExpectDrawnWhole(const HDIB& shot, const Frame& frame, int width, int height, const char* name)
{
    constexpr int kCaption = 20;
    const int scaledWidth = frame.zoom >= 0 ? width * (frame.zoom + 1) : width / (1 - frame.zoom);
    const int scaledHeight = frame.zoom >= 0 ? height * (frame.zoom + 1) : height / (1 - frame.zoom);
    ASSERT_EQ(frame.height, scaledHeight + kCaption) << name;
    const int left = frame.x + (frame.width - scaledWidth) / 2;
    const int top = frame.y + kCaption;
    const int middleX = left + scaledWidth / 2, middleY = top + scaledHeight / 2;
    EXPECT_TRUE(Near(ColourAt(shot, left, middleY), 0xFF0000u)) << name << ": the left edge";
    EXPECT_TRUE(Near(ColourAt(shot, left + scaledWidth - 1, middleY), 0x00FF00u)) << name << ": the right edge, whole";
    EXPECT_TRUE(Near(ColourAt(shot, middleX, top), 0x0000FFu)) << name << ": the top edge";
    EXPECT_TRUE(Near(ColourAt(shot, middleX, top + scaledHeight - 1), 0xFFFF00u)) << name << ": the bottom edge";
    EXPECT_TRUE(Near(ColourAt(shot, middleX, middleY), 0x808080u)) << name;
}

HDIB Grab(ProgramSandbox& sandbox, const std::string& name)
{
    const std::string path = sandbox.file(name).string();
    return sandbox.ask("grab " + path, "grabbed ") == "grabbed ok" ? ReadBmpFile(path) : HDIB{};
}


using Desktop = OnVirtualX;

TEST_F(Desktop, TwoPhotosSideBySideAreEachDrawnWholeAndThe1To1BoxShowsTheZoom)
{
    const std::string a = sandbox.file("a.jpg").string(), b = sandbox.file("b.jpg").string();
    ASSERT_EQ(WriteJpeg(a, BandedPhoto(800, 600), 100), WriteResult::Written);
    ASSERT_EQ(WriteJpeg(b, BandedPhoto(640, 480), 100), WriteResult::Written);
    ASSERT_TRUE(sandbox.launch()) << sandbox.log();
    const HDIB empty = Grab(sandbox, "empty.bmp");
    ASSERT_TRUE(empty);

    sandbox.ask("open " + a);
    const std::string state = sandbox.ask("open " + b);
    const std::vector<Frame> frames = Frames(state);
    ASSERT_EQ(frames.size(), 2u) << state;
    EXPECT_LT(frames[0].x + frames[0].width, 228 + 394) << "left of the divider";
    EXPECT_GT(frames[1].x, 228 + 394) << "right of it";
    const HDIB shot = Grab(sandbox, "two.bmp");
    ASSERT_TRUE(shot);
    ExpectDrawnWhole(shot, frames[0], 800, 600, "a.jpg");
    ExpectDrawnWhole(shot, frames[1], 640, 480, "b.jpg");

    // Control 203 shows the active picture's zoom; before, its own "1:1".
    EXPECT_EQ(StateField(state, "box"), "Visualizar 50%");
    const int box = skin::ButtonIndexByControl(0, 203);
    const skin::Rect r = skin::PanelButtons(0)[std::size_t(box)].placeIn(skin::SkinVariant::Large);
    int changed = 0;
    for (int y = r.top; y < r.top + r.height(); ++y)
        for (int x = r.left; x < r.left + r.width(); ++x)
            changed += ColourAt(shot, x, y) != ColourAt(empty, x, y);
    EXPECT_GT(changed, 50) << "the box shows other text than 1:1";

    // A click on a skin button, then Ctrl with the keypad's plus: still a zoom step.
    sandbox.send(ClickOnControl(204));
    EXPECT_EQ(StateField(sandbox.ask("state"), "zoom"), "0");
    sandbox.send("key Ctrl+Num++");
    EXPECT_EQ(StateField(sandbox.ask("state"), "zoom"), "1") << sandbox.log();
    EXPECT_EQ(StateField(sandbox.lastLine("state "), "box"), "Visualizar 200%");

    // Closing one gives the other the whole workspace, fitted anew.
    const std::vector<Frame> after = Frames(sandbox.ask("close"));
    ASSERT_EQ(after.size(), 1u);
    EXPECT_EQ(after[0].zoom, -1) << "800 x 600 in 788 x 572";
    ExpectDrawnWhole(Grab(sandbox, "one.bmp"), after[0], 800, 600, "a.jpg alone");
    EXPECT_EQ(sandbox.quit(), 0);
}

TEST_F(Desktop, SavingOverAFileAsksFirstAndNaoKeepsTheOldFile)
{
    const std::string photo = sandbox.file("praia.jpg").string(), old = sandbox.file("velha.jpg").string();
    ASSERT_EQ(WriteJpeg(photo, BandedPhoto(64, 48), 90), WriteResult::Written);
    ASSERT_EQ(WriteJpeg(old, BandedPhoto(16, 16), 90), WriteResult::Written);
    const auto oldBytes = ReadWholeFile(old);
    ASSERT_TRUE(sandbox.launch({photo}, {}, "open " + photo + " ok\n")) << sandbox.log();

    const std::string question = "message Lumivista 2000: O arquivo " + old + " já existe. Deseja substituí-lo?\n";
    // The save dialog answered with the old file's name, then the question with `answer`.
    const auto saveOverTheOldFile = [&](const std::string& answer, const std::string& logged) {
        sandbox.send("answer " + answer);
        sandbox.expectAnswers({{"dialog saveas", "dialog saveas\n"}});
        sandbox.send("key Ctrl+A");
        sandbox.send("type " + old);
        sandbox.expectAnswers({{"key Return", logged}});
    };
    saveOverTheOldFile("Não", question);
    EXPECT_EQ(StateField(sandbox.ask("state"), "modal"), "saveas") << "Não goes back to the dialog";
    EXPECT_EQ(ReadWholeFile(old), oldBytes) << "nothing written before the answer";
    sandbox.expectAnswers({{"key Escape", "saved failed\n"}});
    EXPECT_EQ(ReadWholeFile(old), oldBytes);

    // "Sim" replaces it with the picture.
    saveOverTheOldFile("Sim", "saved ok\n");
    ReadResult replaced = ReadJpeg(old);
    ASSERT_TRUE(replaced.ok());
    EXPECT_EQ(replaced.image().width(), 64);
    EXPECT_EQ(sandbox.quit(), 0);
}

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

    EXPECT_EQ(sandbox.quit(), 0);
}

}  // namespace
}  // namespace lv::testing
