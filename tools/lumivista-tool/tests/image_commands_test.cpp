// Pictures through the real tool: info, convert and the save options, the geometry and effect
// commands, JPEG scaling, transparency and the photo's metadata; exit codes and refusals.

#include "common/byte_source.h"
#include "common/little_endian.h"
#include "edit/layered_format.h"
#include "effects/enhance_and_effect.h"
#include "imagelib/codecs/flashpix/fpx.h"
#include "imagelib/codecs/gif/gif.h"
#include "imagelib/codecs/jpeg/jpeg.h"
#include "imagelib/codecs/library_messages.h"
#include "imagelib/codecs/pcx/pcx.h"
#include "imagelib/codecs/png/png.h"
#include "imagelib/codecs/tiff/tiff.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/dib_convert.h"
#include "imagelib/dib_geometry.h"
#include "imagelib/metadata/orient_upright.h"
#include "tool_support.h"

namespace lv {
namespace {

using testing::EntriesIn;
using testing::Fixture;
using testing::Pixel24;
using testing::Rgb;
using testing::SamePixels;
using testing::ShellQuote;
using testing::Tool;

TEST(Tool, SaveOptionsReachTheWriters)
{
    testing::TempDir dir;
    const auto convert = [&](const std::string& in, const std::string& out, const std::string& flags = "") {
        const auto r = Tool("convert " + flags + " " + in + " " + ShellQuote(dir.file(out)));
        EXPECT_EQ(r.exitCode, 0) << r.err;
        return ReadWholeFile(dir.file(out)).value_or(std::vector<std::uint8_t>{});
    };
    // TIFF and Targa compress when asked; the TIFF compression entry is the fourth.
    EXPECT_EQ(LoadLE16(&convert(Fixture("tiff/cp_be_lzw2_rgb.tif"), "plain.tif")[10 + 3 * 12 + 8]), 1);
    EXPECT_EQ(LoadLE16(&convert(Fixture("tiff/cp_be_lzw2_rgb.tif"), "lzw.tif", "--compress")[10 + 3 * 12 + 8]), 5);
    EXPECT_TRUE(testing::SamePixels(ReadTiff(testing::kFixtures + "tiff/cp_be_lzw2_rgb.tif").image(),
                                    ReadTiff(dir.file("lzw.tif")).image()));
    EXPECT_EQ(convert(Fixture("bmp/nb_4.bmp"), "picture.tga").at(2), 1);

    // GIF: a graphic control for the transparent colour, and interlaced rows.
    const auto plain = convert(Fixture("gif/im_16.gif"), "plain.gif");
    const auto both = convert(Fixture("gif/im_16.gif"), "both.gif", "--interlace --transparent");
    EXPECT_EQ(std::tuple(std::string(plain.begin(), plain.begin() + 6), plain[13 + 48 + 9]), std::tuple("GIF87a", 0));
    EXPECT_EQ(std::tuple(std::string(both.begin(), both.begin() + 6), both[13 + 48 + 8 + 9]), std::tuple("GIF89a", 0x40));
    EXPECT_TRUE(testing::SamePixels(ReadGifStream(testing::kFixtures + "gif/im_16.gif"), ReadGifStream(dir.file("both.gif"))));

    // Paintbrush input comes through the general loader's reader as 24 bits.
    convert(ShellQuote(dir.file("picture.tga")), "out.pcx");
    EXPECT_EQ(ReadPcx(dir.file("out.pcx")).image().bitCount(), 4);  // Targa input keeps its depth
    const auto info = Tool("info " + ShellQuote(dir.file("out.pcx")));
    EXPECT_NE(info.out.find("format: PCX\n"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("bitCount: 24\n"), std::string::npos) << info.out;
}

TEST(Tool, ExitCodesTellWhatWentWrong)
{
    testing::TempDir dir;
    const std::string in = Fixture("bmp/pil_24.bmp");
    testing::ExpectExitCodes({{in, 2} /* no command */, {"frobnicate", 2}, {"convert " + in, 2},
                              {"convert --quality 101 " + in + " x.jpg", 2}, {"--help", 0},
                              {"convert " + in + " " + ShellQuote(dir.file("out.xyz")), 2},
                              {"info " + Fixture("bmp/fixtures.txt"), 3},
                              {"convert " + in + " " + ShellQuote(dir.file("no/dir/out.bmp")), 4}});
    const auto missing = Tool("info " + ShellQuote(dir.file("absent.bmp")));
    EXPECT_EQ(missing.exitCode, 3);
    EXPECT_NE(missing.err.find("absent.bmp"), std::string::npos);
    // A 4-bit picture as JPEG: the library's message, and no file.
    const auto refused = Tool("convert " + Fixture("bmp/nb_4.bmp") + " " + ShellQuote(dir.file("x.jpg")));
    EXPECT_EQ(refused.exitCode, 4);
    EXPECT_EQ(refused.err, "Atenção: " + std::string(kJpegIndexedMessage) + "\n");
    EXPECT_EQ(EntriesIn(dir.path()), 0u);
}

TEST(Tool, PhotoCdReadsAtBaseOrTheAskedResolutionAndFlashPixRoundTrips)
{
    const auto info = Tool("info --json " + Fixture("pcd/gm.pcd"));
    EXPECT_EQ(info.exitCode, 0) << info.err;
    EXPECT_EQ(info.out.rfind("{\"format\":\"PCD\",\"width\":768,\"height\":512,\"bitCount\":24,", 0), 0u) << info.out;
    const auto small = Tool("info --pcd-resolution 0 " + Fixture("pcd/gm.pcd"));
    EXPECT_NE(small.out.find("width: 192\nheight: 128\n"), std::string::npos) << small.out;
    EXPECT_EQ(Tool("info --pcd-resolution 5 " + Fixture("pcd/gm.pcd")).exitCode, 2);

    testing::TempDir dir;
    const std::string fpx = dir.file("big.fpx");
    ASSERT_EQ(Tool("convert --pcd-resolution 3 " + Fixture("pcd/fourbase.pcd") + " " + ShellQuote(fpx)).exitCode, 0);
    const auto back = Tool("info " + ShellQuote(fpx));
    EXPECT_NE(back.out.find("format: FPX\nwidth: 1536\nheight: 1024\nbitCount: 24\n"), std::string::npos) << back.out;
    // Save as appends the FlashPix extension; a grey picture stays grey.
    ASSERT_EQ(Tool("convert --save-as " + Fixture("bmp/pil_grey8.bmp") + " " + ShellQuote(dir.file("grey.fpx"))).exitCode, 0);
    EXPECT_EQ(ReadFlashPix(dir.file("grey.fpx")).image().bitCount(), 8);
    EXPECT_EQ(Tool("convert " + Fixture("bmp/pil_24.bmp") + " " + ShellQuote(dir.file("x.pcd"))).exitCode, 2);
}

TEST(ToolGeometry, NewCropAndThumbWriteWhatTheyAreAsked)
{
    testing::TempDir dir;
    const std::string made = dir.file("made.bmp");
    ASSERT_EQ(Tool("new 40 30 255 128 0 " + ShellQuote(made)).exitCode, 0);
    HDIB picture = ReadBmp(made).take();
    ASSERT_TRUE(picture);
    EXPECT_EQ(std::tuple(picture.width(), picture.row(0)[2], picture.row(0)[0]), std::tuple(40, 255, 0));
    ASSERT_EQ(Tool("new 4 4 99 0 0 --grey " + ShellQuote(dir.file("grey.bmp"))).exitCode, 0);
    EXPECT_EQ(DibGetType(ReadBmp(dir.file("grey.bmp")).image()), IMG_GREY8);

    // A rectangle reaching beyond the picture is clamped to it: no "Crop Image outside".
    const auto crop = Tool("crop " + ShellQuote(made) + " " + ShellQuote(dir.file("c.bmp")) + " -5 10 20 90");
    ASSERT_EQ(crop.exitCode, 0) << crop.err;
    EXPECT_EQ(crop.err, "");
    const HDIB cropped = ReadBmp(dir.file("c.bmp")).take();
    EXPECT_EQ(std::tuple(cropped.width(), cropped.height()), std::tuple(20, 20));

    ASSERT_EQ(Tool("thumb " + Fixture("jpeg/pil_420.jpg") + " " + ShellQuote(dir.file("t.jpg")) + " 30 30").exitCode, 0);
    const HDIB thumb = ReadJpeg(dir.file("t.jpg")).take();
    EXPECT_EQ(std::tuple(thumb.width(), thumb.height()), std::tuple(30, 21)) << "61 x 43 fitted into 30 x 30";
}

TEST(ToolGeometry, BadArgumentsAndEmptyRectanglesAreUsageErrors)
{
    testing::TempDir dir;
    const std::string in = Fixture("bmp/pil_24.bmp");
    const std::string out = ShellQuote(dir.file("o.bmp"));
    testing::ExpectExitCodes({{"resize " + in + " " + out + " 0 10", 2}, {"resize " + in + " " + out + " 10", 2},
                              {"thumb " + in + " " + out + " ten 10", 2}, {"crop " + in + " " + out + " 50 50 60 60", 2},
                              {"new 10 10 256 0 0 " + out, 2}, {"new 10 10 1 2 3 " + ShellQuote(dir.file("o.xyz")), 2},
                              {"resize " + ShellQuote(dir.file("absent.bmp")) + " " + out + " 5 5", 3}});
    EXPECT_FALSE(std::filesystem::exists(dir.file("o.bmp")));
}

double MeanSample(const HDIB& dib)
{
    double sum = 0;
    const int samples = dib.width() * dib.bitCount() / 8;
    for (int y = 0; y < dib.height(); ++y)
        for (int i = 0; i < samples; ++i)
            sum += dib.row(y)[i];
    return sum / (double(samples) * dib.height());
}

TEST(ToolEffects, EnhanceAndEffectWriteWhatTheLibraryComputes)
{
    testing::TempDir dir;
    const std::string in = Fixture("bmp/pil_24.bmp");
    const HDIB original = ReadBmp(testing::kFixtures + "bmp/pil_24.bmp").take();
    ASSERT_TRUE(original);

    ASSERT_EQ(Tool("enhance " + in + " " + ShellQuote(dir.file("same.bmp")) + " --mode 1 --sliders 50,50").exitCode, 0);
    EXPECT_TRUE(SamePixels(ReadBmp(dir.file("same.bmp")).image(), original));
    ASSERT_EQ(Tool("enhance " + in + " " + ShellQuote(dir.file("bright.bmp")) + " --mode 0 --sliders 85").exitCode, 0);
    EXPECT_GT(MeanSample(ReadBmp(dir.file("bright.bmp")).image()), MeanSample(original) + 10);
    ASSERT_EQ(Tool("enhance " + in + " " + ShellQuote(dir.file("auto.png")) + " --mode 6").exitCode, 0);
    EXPECT_TRUE(std::filesystem::exists(dir.file("auto.png")));

    // The relief slider reaches the library reversed, as the effects screen passes it.
    ASSERT_EQ(Tool("effect " + in + " " + ShellQuote(dir.file("relief.bmp")) + " --op 88 --strength 30").exitCode, 0);
    const std::int32_t reversed[] = {70};
    const HDIB expected = effects::DoEnhanceAndEffect(original, 88, reversed, 1, nullptr);
    EXPECT_TRUE(SamePixels(ReadBmp(dir.file("relief.bmp")).image(), expected));

    // Grey stays grey; palette pictures are widened first.
    ASSERT_EQ(Tool("effect " + Fixture("bmp/pil_grey8.bmp") + " " + ShellQuote(dir.file("g.bmp")) + " --op 15").exitCode, 0);
    EXPECT_EQ(DibGetType(ReadBmp(dir.file("g.bmp")).image()), IMG_GREY8);
    ASSERT_EQ(Tool("effect " + Fixture("bmp/pil_8.bmp") + " " + ShellQuote(dir.file("p.bmp")) + " --op 594 --strength 80").exitCode, 0);
    const HDIB sketched = ReadBmp(dir.file("p.bmp")).take();
    EXPECT_EQ(std::tuple(sketched.bitCount(), sketched.width()), std::tuple(24, 37));
}

TEST(ToolEffects, BadArgumentsFilesAndOutputsAreRefused)
{
    testing::TempDir dir;
    const std::string in = Fixture("bmp/pil_24.bmp");
    const std::string out = ShellQuote(dir.file("o.bmp"));
    for (const std::string& arguments :
         {"effect " + in + " " + out + " --op 12345", "effect " + in + " " + out + " --op 15 --strength 101",
          "effect --list " + in, "enhance " + in + " " + out + " --mode 8",
          "enhance " + in + " " + out + " --mode 0 --sliders 40,60",
          "enhance " + in + " " + out + " --mode 1 --sliders 40,",
          "enhance " + in + " " + out + " --mode 6 --sliders 50"})
        EXPECT_EQ(Tool(arguments).exitCode, 2) << arguments;
    EXPECT_FALSE(std::filesystem::exists(dir.file("o.bmp")));
    const auto missing = Tool("effect " + ShellQuote(dir.file("absent.bmp")) + " " + out + " --op 15");
    EXPECT_EQ(missing.exitCode, 3);
    EXPECT_FALSE(missing.err.empty());
    EXPECT_EQ(Tool("enhance " + in + " " + ShellQuote(dir.file("no/such/dir/o.bmp")) + " --mode 0").exitCode, 4);
}

TEST(ToolResizeJpeg, TurnedPhotoUprightCutPhotoToldHeaderlessPhotoRefused)
{
    testing::TempDir dir;
    ASSERT_EQ(testing::RunCommand("/usr/bin/python3 '" LV_SOURCE_DIR "/imagelib/tests/make_scaling_photos.py' "
                                  + ShellQuote(dir.path().string())).exitCode, 0);
    const auto resize = [&](const std::string& in, const std::string& out, const std::string& size) {
        return Tool("resize " + ShellQuote(dir.file(in)) + " " + ShellQuote(dir.file(out)) + " " + size);
    };

    const auto turned = resize("turned.jpg", "turned.png", "375 500");
    ASSERT_EQ(turned.exitCode, 0) << turned.err;
    const HDIB scaled = ReadPng(dir.file("turned.png")).take();
    ASSERT_TRUE(scaled);
    EXPECT_EQ(std::tuple(scaled.width(), scaled.height()), std::tuple(375, 500));
    const HDIB whole = DibResize(OrientUpright(ReadJpeg(dir.file("turned.jpg")).take(), 6), 375, 500);
    EXPECT_LE(testing::MeanDifference(scaled, whole), 2.5);

    const auto cut = resize("cut.jpg", "cut.png", "250 187");
    EXPECT_EQ(cut.exitCode, 0) << cut.err;
    EXPECT_NE(cut.err.find("cut.jpg"), std::string::npos) << cut.err;
    EXPECT_EQ(ReadPng(dir.file("cut.png")).image().width(), 250);

    std::filesystem::resize_file(dir.file("cut.jpg"), 200);
    const auto headless = resize("cut.jpg", "headless.png", "250 187");
    EXPECT_EQ(headless.exitCode, 3);
    EXPECT_NE(headless.err.find("cut.jpg"), std::string::npos) << headless.err;
    EXPECT_FALSE(std::filesystem::exists(dir.file("headless.png")));
}

// Transparency through convert (the formats that keep it are checked against an outside
// reader by check_alpha_interop.py): what formats without it make of it, and layers kept.
constexpr int kWidth = 16;
constexpr int kHeight = 8;

// Columns 0-3 transparent, 4-7 partly (1, 65, 129, 193), 8-15 opaque.
std::uint8_t AlphaAt(int x)
{
    return x < 4 ? 0 : x < 8 ? std::uint8_t(64 * (x - 4) + 1) : 255;
}

class AlphaTool : public testing::ToolFolder {
protected:
    void SetUp() override
    {
        colours = testing::MakePhotoLike(kWidth, kHeight);
        alpha = AllocatePicture(kWidth, kHeight, 8, 256);
        FillGreyRamp(alpha.colors(), 256);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                alpha.row(y)[x] = AlphaAt(x);
        ASSERT_EQ(WritePng(file("a.png"), colours, nullptr, &alpha), PngWriteResult::Written);
    }
    void convert(const std::string& in, const std::string& out)
    {
        const auto run = Tool("convert " + quoted(in) + " " + quoted(out));
        ASSERT_EQ(run.exitCode, 0) << in << " -> " << out << ": " << run.err;
    }
    bool infoSaysAlpha(const std::string& name)
    {
        const auto info = Tool("info --json " + quoted(name));
        EXPECT_EQ(info.exitCode, 0) << info.err;
        EXPECT_NE(info.out.find("\"alpha\":"), std::string::npos) << info.out;
        return info.out.find("\"alpha\":true") != std::string::npos;
    }

    HDIB colours;
    HDIB alpha;
};

TEST_F(AlphaTool, FormatsWithoutAlphaHoldThePictureOnWhite)
{
    convert("a.png", "b.vlf");
    EXPECT_TRUE(infoSaysAlpha("a.png"));
    EXPECT_TRUE(infoSaysAlpha("b.vlf"));
    for (const std::string in : {"a.png", "b.vlf"})
        for (const std::string out : {"flat.tif", "flat.pcx", "flat.gif", "flat.jpg"}) {
            convert(in, out);
            EXPECT_FALSE(infoSaysAlpha(out)) << out;
            convert(out, "check.bmp");
            HDIB flat = ReadBmp(file("check.bmp")).take();
            if (flat && DibGetType(flat) != IMG_RGB24)
                flat = DibPromoteTo24(flat);
            ASSERT_TRUE(flat) << out;
            // GIF reduces to a palette, JPEG and the layered format are lossy: exact only for TIFF and PCX.
            const bool exact = in == "a.png" && (out == "flat.tif" || out == "flat.pcx");
            const int tolerance = exact ? 0 : 40;
            for (int x : {0, 3, 5, 6, 12}) {
                const Rgb c = Pixel24(colours, x, 4);
                const int a = AlphaAt(x);
                const auto onWhite = [a](int v) { return (v * a + 255 * (255 - a) + 127) / 255; };
                const Rgb got = Pixel24(flat, x, 4);
                for (const auto& [value, over] : {std::pair{got.r, c.r}, {got.g, c.g}, {got.b, c.b}})
                    EXPECT_NEAR(value, onWhite(over), tolerance) << in << " -> " << out << " column " << x;
            }
        }
}

TEST_F(AlphaTool, LayeredIntoLayeredKeepsEveryLayer)
{
    writePicture("base.bmp", kWidth, kHeight, [](int x, int y) { return Rgb{std::uint8_t(x * 15), std::uint8_t(y * 30), 90}; });
    ASSERT_EQ(WriteBmp(file("front.bmp"), colours), WriteResult::Written);
    ASSERT_EQ(WriteBmp(file("mask.bmp"), alpha), WriteResult::Written);
    const auto made = Tool("vlf make " + quoted("two.vlf") + " --size 16x8 " +
                           testing::ShellQuote("image=" + file("front.bmp") + ",mask=" + file("mask.bmp")) + " " +
                           testing::ShellQuote("image=" + file("base.bmp") + ",name=Fundo"));
    ASSERT_EQ(made.exitCode, 0) << made.err;
    convert("two.vlf", "copy.vlf");
    const auto source = ReadLayeredFile(file("two.vlf"));
    const auto copy = ReadLayeredFile(file("copy.vlf"));
    ASSERT_TRUE(source && copy);
    ASSERT_EQ(std::tuple(source->layerCount, copy->layerCount), std::tuple(2, 2));
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(copy->layers[i].name, source->layers[i].name);
        EXPECT_TRUE(testing::SamePixels(copy->layers[i].image.read(), source->layers[i].image.read())) << "layer " << i;
        EXPECT_TRUE(testing::SamePixels(copy->layers[i].mask.read(), source->layers[i].mask.read())) << "layer " << i;
    }
    // Into a flat format the layers are flattened, the front one's transparent part showing the base.
    convert("two.vlf", "flat.bmp");
    const HDIB flat = ReadBmp(file("flat.bmp")).take();
    ASSERT_TRUE(flat);
    EXPECT_EQ(Pixel24(flat, 0, 2), Pixel24(source->layers[1].image.read(), 0, 2));
}

// Photos as cameras store them: the editing commands and the layered format keep the photo's
// metadata (checked with the metadata library's own command-line reader), and the album search
// finds the date taken and the camera.
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
